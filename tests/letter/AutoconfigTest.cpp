// The mail set-up found from an address: reading an answer, the places it
// is looked for, and which test base counts.
#include <gtest/gtest.h>

#include <chrono>

#include "letter/MailAutoconfig.h"
#include "tests/letter/AutoconfigXml.h"

namespace mv {
namespace {

TEST(AutoconfigTest, TheFirstEncryptedServerThatTakesAPasswordIsProposed) {
  const struct {
    const char* what;
    std::string xml;
    AutoconfigAnswer::Kind kind;
    const char* server;
    int port;
    SmtpSettings::Security security;
    const char* user;
  } cases[] = {
      {"STARTTLS", Config(Smtp("smtp.%EMAILDOMAIN%", "587", "STARTTLS", "password-cleartext")),
       AutoconfigAnswer::Kind::Usable, "smtp.pelda.hu", 587, SmtpSettings::Security::StartTls, "jatekos@pelda.hu"},
      {"SSL after a plain one",
       Config(Smtp("plain.pelda.hu", "25", "plain", "password-cleartext") +
              Smtp("ssl.pelda.hu", "465", "SSL", "password-encrypted", "%EMAILLOCALPART%")),
       AutoconfigAnswer::Kind::Usable, "ssl.pelda.hu", 465, SmtpSettings::Security::Tls, "jatekos"},
      {"only without encryption",
       Config(Smtp("plain.pelda.hu", "25", "plain", "password-cleartext")),
       AutoconfigAnswer::Kind::Unusable,
       "",
       0,
       {},
       ""},
      {"only OAuth2",
       Config(Smtp("smtp.pelda.hu", "587", "STARTTLS", "OAuth2")),
       AutoconfigAnswer::Kind::OAuthOnly,
       "",
       0,
       {},
       ""},
      {"broken XML", "<clientConfig><emailProvider><outgoingServer", AutoconfigAnswer::Kind::Unusable, "", 0, {}, ""},
      {"no port", Config(Smtp("smtp.pelda.hu", "", "SSL", "password-cleartext")), AutoconfigAnswer::Kind::Usable,
       "smtp.pelda.hu", 465, SmtpSettings::Security::Tls, "jatekos@pelda.hu"},
      // A server name the resolver cannot take is never offered: the next one is.
      {"a server name with a line break and an escape",
       Config(Smtp("smtp.pelda.hu\r\n\x1b[2Jx", "587", "STARTTLS", "password-cleartext") +
              Smtp("SMTP.Pelda.HU", "587", "STARTTLS", "password-cleartext")),
       AutoconfigAnswer::Kind::Usable, "smtp.pelda.hu", 587, SmtpSettings::Security::StartTls, "jatekos@pelda.hu"},
      {"only a name with a blank",
       Config(Smtp("smtp pelda.hu", "587", "STARTTLS", "password-cleartext")),
       AutoconfigAnswer::Kind::Unusable,
       "",
       0,
       {},
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const AutoconfigAnswer answer = ReadAutoconfig(c.xml, "jatekos@pelda.hu");
    ASSERT_EQ(int(answer.kind), int(c.kind));
    if (answer.kind != AutoconfigAnswer::Kind::Usable) continue;
    EXPECT_EQ(answer.setup.server, c.server);
    EXPECT_EQ(answer.setup.port, c.port);
    EXPECT_EQ(answer.setup.security, c.security);
    EXPECT_EQ(answer.setup.user, c.user);
  }
}

// What the player typed is put in once: a placeholder in it stays as typed.
TEST(AutoconfigTest, EachPlaceholderIsExpandedOnce) {
  const AutoconfigAnswer answer =
      ReadAutoconfig(Config(Smtp("smtp.%EMAILDOMAIN%", "587", "STARTTLS", "password-cleartext", "%EMAILADDRESS%")),
                     "a%EMAILDOMAIN%b@pelda.hu");
  ASSERT_EQ(answer.kind, AutoconfigAnswer::Kind::Usable);
  EXPECT_EQ(answer.setup.user, "a%EMAILDOMAIN%b@pelda.hu");
  EXPECT_EQ(answer.setup.server, "smtp.pelda.hu");
}

TEST(AutoconfigTest, OnlyAValidHostNameIsLookedUpAndOnlyALoopbackTestBaseCounts) {
  EXPECT_EQ(MailDomainOf("Jatekos@Pelda.HU"), "pelda.hu");
  for (const char* bad : {"nincs kukac", "a@b", "a@-x.hu", "a@x..hu", "a@x_y.hu", "a@x.hu/../y", "@x.hu", "a b@x.hu",
                          "a@x.hu?y", "a@ x.hu", "u@@good.test"})
    EXPECT_FALSE(MailDomainOf(bad)) << bad;
  const auto urls = AutoconfigUrls("a+b@pelda.hu", "pelda.hu");
  EXPECT_EQ(urls[0], "https://autoconfig.pelda.hu/mail/config-v1.1.xml?emailaddress=a%2Bb%40pelda.hu");
  EXPECT_EQ(urls[1], "https://pelda.hu/.well-known/autoconfig/mail/config-v1.1.xml");
  EXPECT_EQ(urls[2], "https://autoconfig.thunderbird.net/v1.1/pelda.hu");
  for (const char* base :
       {"http://example.com:80", "https://127.0.0.1:1", "http://127.0.0.10:8", "http://127.0.0.1:x@127.0.0.2:8765",
        "http://localhost@evil.test:80", "http://127.0.0.1.evil.test:80", "http://127.0.0.1", "ftp://127.0.0.1:21"}) {
    EXPECT_EQ(LoopbackTestBase(base), "") << base;
  }
  EXPECT_EQ(LoopbackTestBase("http://[::1]:8080"), "http://[::1]:8080");
  EXPECT_EQ(LoopbackTestBase("http://localhost:8080/base"), "http://localhost:8080/base");
  EXPECT_EQ(LoopbackTestBase("http://127.0.0.1:8080"), "http://127.0.0.1:8080");
}

}  // namespace
}  // namespace mv
