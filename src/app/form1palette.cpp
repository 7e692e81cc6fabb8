#include "app/form1.h"

namespace keruna {

void Form1::wirePalette()
{
}

} // namespace keruna
