#include <iconv.h>

#include "tests/core/Cp1250Reference.h"

namespace mv {

std::string ReferenceToUtf8(unsigned char byte) {
  iconv_t cd = iconv_open("UTF-8", "WINDOWS-1250");
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* inp = in;
  char* outp = out;
  size_t inLeft = 1, outLeft = sizeof out;
  const size_t rc = iconv(cd, &inp, &inLeft, &outp, &outLeft);
  iconv_close(cd);
  if (rc == size_t(-1)) return {};
  return std::string(out, sizeof out - outLeft);
}

}  // namespace mv
