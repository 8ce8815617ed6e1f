// The mail set-up found from an address: reading an answer, the three
// sources in order against a loopback HTTP server, and the limits.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>

#include "letter/MailAutoconfig.h"
#include "tests/HttpSink.h"

namespace mv {
namespace {

std::string Config(const std::string& servers) {
  return "<?xml version=\"1.0\"?><clientConfig version=\"1.1\"><emailProvider id=\"pelda.hu\">"
         "<incomingServer type=\"imap\"><hostname>imap.pelda.hu</hostname></incomingServer>" +
         servers + "</emailProvider></clientConfig>";
}

std::string Smtp(const std::string& host, const std::string& port, const std::string& socket, const std::string& auth,
                 const std::string& user = "%EMAILADDRESS%") {
  return "<outgoingServer type=\"smtp\"><hostname>" + host + "</hostname><port>" + port + "</port><socketType>" +
         socket + "</socketType><authentication>" + auth + "</authentication><username>" + user +
         "</username></outgoingServer>";
}

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
    ::setenv("MVUL_AUTOCONFIG_TEST_BASE", base, 1);
    EXPECT_EQ(AutoconfigTestBase(), "") << base;
  }
  EXPECT_EQ(LoopbackTestBase("http://[::1]:8080"), "http://[::1]:8080");
  EXPECT_EQ(LoopbackTestBase("http://localhost:8080/base"), "http://localhost:8080/base");
  ::setenv("MVUL_AUTOCONFIG_TEST_BASE", "http://127.0.0.1:8080", 1);
  EXPECT_EQ(AutoconfigTestBase(), "http://127.0.0.1:8080");
  ::unsetenv("MVUL_AUTOCONFIG_TEST_BASE");
}

class LookupTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("MVUL_AUTOCONFIG_TEST_BASE", http_.Base().c_str(), 1); }
  void TearDown() override { ::unsetenv("MVUL_AUTOCONFIG_TEST_BASE"); }
  const std::string provider_ = "autoconfig.pelda.hu/mail/config-v1.1.xml";
  const std::string wellKnown_ = "pelda.hu/.well-known/autoconfig/mail/config-v1.1.xml";
  const std::string ispdb_ = "ispdb/pelda.hu";
  HttpSink http_;
};

TEST_F(LookupTest, EachSourceAnswersInItsTurn) {
  const std::string good = Config(Smtp("smtp.pelda.hu", "587", "STARTTLS", "password-cleartext"));
  const struct {
    const char* what;
    std::vector<std::pair<std::string, std::string>> served;
    std::string source;
  } cases[] = {
      {"the provider", {{provider_, good}, {wellKnown_, "x"}, {ispdb_, "x"}}, provider_},
      {"the well-known place", {{wellKnown_, good}, {ispdb_, good}}, wellKnown_},
      {"the ISP database", {{ispdb_, good}}, ispdb_},
      {"after a broken and a plain answer",
       {{provider_, "<clientConfig"},
        {wellKnown_, Config(Smtp("s", "25", "plain", "password-cleartext"))},
        {ispdb_, good}},
       ispdb_},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HttpSink http;
    ::setenv("MVUL_AUTOCONFIG_TEST_BASE", http.Base().c_str(), 1);
    for (const auto& [path, body] : c.served) http.Serve(path, body);
    const AutoconfigResult found = LookUpMailSetup("jatekos@pelda.hu");
    ASSERT_EQ(int(found.status), int(AutoconfigResult::Status::Found));
    EXPECT_EQ(found.setup.source, http.Base() + "/" + c.source);
    EXPECT_EQ(found.setup.server, "smtp.pelda.hu");
  }
}

TEST_F(LookupTest, OAuth2OnlyNothingAndASourceThatNeverAnswers) {
  http_.Serve(provider_, Config(Smtp("smtp.pelda.hu", "587", "STARTTLS", "OAuth2")));
  EXPECT_EQ(LookUpMailSetup("jatekos@pelda.hu").status, AutoconfigResult::Status::OAuthOnly);

  HttpSink empty;
  ::setenv("MVUL_AUTOCONFIG_TEST_BASE", empty.Base().c_str(), 1);
  const AutoconfigResult none = LookUpMailSetup("jatekos@pelda.hu");
  EXPECT_EQ(none.status, AutoconfigResult::Status::NotFound);
  EXPECT_EQ(none.domain, "pelda.hu");
  EXPECT_EQ(empty.Requests(), provider_ + "\n" + wellKnown_ + "\n" + ispdb_ + "\n");

  HttpSink slow;
  ::setenv("MVUL_AUTOCONFIG_TEST_BASE", slow.Base().c_str(), 1);
  slow.Hang(provider_);
  slow.Serve(wellKnown_, Config(Smtp("smtp.pelda.hu", "465", "SSL", "password-cleartext")));
  const auto start = std::chrono::steady_clock::now();
  const AutoconfigResult late = LookUpMailSetup("jatekos@pelda.hu");
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(late.status, AutoconfigResult::Status::Found);
  EXPECT_EQ(late.setup.port, 465);
  EXPECT_LT(seconds, 5.0);  // the silent source is given up after its 3 s

  HttpSink huge;
  ::setenv("MVUL_AUTOCONFIG_TEST_BASE", huge.Base().c_str(), 1);
  huge.Serve(provider_, Config(Smtp("smtp.pelda.hu", "587", "STARTTLS", "password-cleartext")) +
                            std::string(kAutoconfigMaxBytes, ' '));
  EXPECT_EQ(LookUpMailSetup("jatekos@pelda.hu").status, AutoconfigResult::Status::NotFound);
}

}  // namespace
}  // namespace mv
