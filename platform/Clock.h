// Calendar time, the same on both platforms.
#pragma once

#include <ctime>

namespace mv {

std::tm LocalTime(std::time_t when);
std::tm UtcTime(std::time_t when);

}  // namespace mv
