// The mail autoconfig reader over whatever a server answers, and the
// address check before any lookup.
#include <cstdint>
#include <string_view>

#include "letter/MailAutoconfig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto split = bytes.find('\n');
  const std::string_view address = split == std::string_view::npos ? bytes : bytes.substr(0, split);
  if (const auto domain = mv::MailDomainOf(address)) mv::AutoconfigUrls(address, *domain);
  mv::ReadAutoconfig(split == std::string_view::npos ? bytes : bytes.substr(split + 1), address);
  return 0;
}
