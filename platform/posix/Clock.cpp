#include "platform/Clock.h"

namespace mv {

std::tm LocalTime(std::time_t when) {
  std::tm out{};
  localtime_r(&when, &out);
  return out;
}

std::tm UtcTime(std::time_t when) {
  std::tm out{};
  gmtime_r(&when, &out);
  return out;
}

}  // namespace mv
