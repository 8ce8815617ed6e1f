#include <windows.h>

#include "tests/core/Cp1250Reference.h"

namespace mv {

std::string ReferenceToUtf8(unsigned char byte) {
  const char in = static_cast<char>(byte);
  wchar_t wide = 0;
  if (::MultiByteToWideChar(1250, MB_ERR_INVALID_CHARS, &in, 1, &wide, 1) != 1) return {};
  // Windows gives the undefined bytes their C1 control by best fit.
  if (byte >= 0x80 && byte <= 0x9f && wide == wchar_t(byte)) return {};
  char out[8] = {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, &wide, 1, out, sizeof out, nullptr, nullptr);
  return std::string(out, std::size_t(size > 0 ? size : 0));
}

}  // namespace mv
