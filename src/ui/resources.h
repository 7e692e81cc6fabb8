#pragma once

namespace keruna {

// Registers the icons compiled into the library (a static library's resources are only
// linked in when something refers to them).
void initResources();

} // namespace keruna
