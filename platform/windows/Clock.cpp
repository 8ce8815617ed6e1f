#include "platform/Clock.h"

namespace mv {

std::tm LocalTime(std::time_t when) {
  std::tm out{};
  localtime_s(&out, &when);
  return out;
}

std::tm UtcTime(std::time_t when) {
  std::tm out{};
  gmtime_s(&out, &when);
  return out;
}

}  // namespace mv
