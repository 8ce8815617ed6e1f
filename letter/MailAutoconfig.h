// The outgoing mail server found from the sender's address alone, the way
// desktop mail programs find it: the provider's autoconfig file, its
// well-known location, then the public ISP database.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "letter/SmtpTransport.h"

namespace mv {

struct MailSetup {
  std::string server;
  int port = 587;
  SmtpSettings::Security security = SmtpSettings::Security::StartTls;
  std::string user;
  std::string source;  // the URL that answered
};

// What one source's answer offers.
struct AutoconfigAnswer {
  enum class Kind { Usable, OAuthOnly, Unusable };
  Kind kind = Kind::Unusable;
  MailSetup setup;
};

// Reads a config-v1.1 answer: the first SMTP server that can be encrypted
// and takes a password. A server offered only without encryption is never
// proposed; one that takes only OAuth2 says so.
AutoconfigAnswer ReadAutoconfig(std::string_view xml, std::string_view address);

// The domain of an address when it is a valid host name (lower case).
std::optional<std::string> MailDomainOf(std::string_view address);

// The three sources in order. With a loopback test base they become plain
// HTTP paths under it.
std::vector<std::string> AutoconfigUrls(std::string_view address, std::string_view domain,
                                        std::string_view testBase = {});
// MVUL_AUTOCONFIG_TEST_BASE, honoured only for plain HTTP to 127.0.0.1,
// localhost or [::1] with a port and no user name.
std::string AutoconfigTestBase();
// That rule for one text: the base to use, or empty.
std::string LoopbackTestBase(const std::string& text);

struct AutoconfigResult {
  enum class Status { Found, OAuthOnly, NotFound, BadAddress, Cancelled };
  Status status = Status::NotFound;
  MailSetup setup;
  std::string domain;
};

// Each source at most 3 s, the whole lookup within 10 s; an answer is read
// up to 64 KiB, certificates are checked against the system's store and no
// redirect may lead to plain HTTP.
inline constexpr long kAutoconfigSourceMs = 3000;
inline constexpr long kAutoconfigTotalMs = 10000;
inline constexpr std::size_t kAutoconfigMaxBytes = 64 * 1024;
AutoconfigResult LookUpMailSetup(std::string_view address, const std::atomic<bool>* cancel = nullptr);

// What the player reads (Windows-1250).
std::string AutoconfigNotFoundMessage(std::string_view domain);
std::string AutoconfigOAuthMessage();

}  // namespace mv
