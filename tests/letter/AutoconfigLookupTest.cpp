// The three sources of the mail set-up in order, against a loopback HTTP
// server the tests start, within their limits.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>

#include "letter/MailAutoconfig.h"
#include "tests/HttpSink.h"
#include "tests/letter/AutoconfigXml.h"

namespace mv {
namespace {

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
