// The SMTP server's replies, whatever a server sends: one reply per line,
// and the first bytes choose how the transfer ended.
#include <curl/curl.h>

#include <cstdint>
#include <string_view>

#include "letter/SmtpTransport.h"
#include "store/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  mv::SmtpReplies replies;
  const std::string_view text(reinterpret_cast<const char*>(data) + 3, size - 3);
  for (const std::string& line : mv::SplitLines(text)) replies.Add(line + "\r\n");
  const mv::SmtpReplies::End end{long(data[0] % (CURL_LAST + 1)), long(data[1]) * 3, (data[2] & 1) != 0,
                                 (data[2] & 2) != 0};
  mv::SendOutcomeMessage(replies.Outcome(end));
  return 0;
}
