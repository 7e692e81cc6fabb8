#include "app/form1.h"

namespace keruna {

void Form1::wireTools()
{
}

} // namespace keruna
