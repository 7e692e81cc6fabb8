#include "app/form1.h"

namespace keruna {

void Form1::wireAppearance()
{
}

} // namespace keruna
