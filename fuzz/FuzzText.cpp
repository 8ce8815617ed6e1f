// The Windows-1250 codec (exact both ways) and the integer syntax.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Cp1250.h"
#include "core/IntegerText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (mv::cp1250::FromUtf8(mv::cp1250::ToUtf8(bytes)) != bytes) __builtin_trap();  // every byte survives
  mv::cp1250::FromUtf8(bytes);                                                     // arbitrary, possibly broken UTF-8
  const auto value = mv::ParseInteger(bytes);
  if (value && mv::IntOrZero(bytes) != *value) __builtin_trap();
  mv::cp1250::Upper(bytes);
  return 0;
}
