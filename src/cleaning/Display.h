// The display adapter's name.
#pragma once

#include <string>

// The description of display device 0 up to its first NUL; "" when the platform has none.
std::string GetDisplayAdapterName();
