// The one send run against real loopback servers: what each letter's result
// is, what is kept in elkuldve/ and when, where the run stops, and where the
// password comes from.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>

#include "core/Cp1250.h"
#include "letter/OrderLetter.h"
#include "store/SentArchive.h"
#include "store/TextFile.h"
#include "tests/SmtpSink.h"
#include "tests/TempDir.h"
#include "tests/letter/Loopback.h"
#include "turn/SendRun.h"

namespace mv {
namespace {

namespace fs = std::filesystem;
using Kind = LetterResult::Kind;
using Fault = SendOutcome::Fault;

class NoSecrets : public SecretStore {
 public:
  Status Lookup(const std::string&, const std::string&, std::string&) override { return Status::Unavailable; }
  Status Store(const std::string&, const std::string&, const std::string&) override { return Status::Unavailable; }
  Status Remove(const std::string&, const std::string&) override { return Status::Unavailable; }
  Status RemoveAll() override { return Status::Unavailable; }
  Status Probe() override { return Status::Unavailable; }
};

std::vector<RunLetter> Letters(int count) {
  std::vector<RunLetter> letters;
  for (int i = 1; i <= count; ++i)
    letters.push_back({"234" + std::to_string(i), "12",
                       "KSZ=234" + std::to_string(i) + "\r\nC1=be " + std::to_string(i) + "\r\n",
                       "234" + std::to_string(i) + "-12.ulf"});
  return letters;
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

struct Kept {
  int confirmed = 0, unconfirmed = 0;
  bool operator==(const Kept&) const = default;
};

class SendRunTest : public TempDirTest {
 protected:
  Kept KeptNow() const {
    Kept kept;
    std::error_code ec;
    for (fs::directory_iterator it(dir_ / "elkuldve", ec), end; !ec && it != end; it.increment(ec)) {
      const auto name = ReadSentName(it->path().filename().string());
      if (name) ++(name->unconfirmed ? kept.unconfirmed : kept.confirmed);
    }
    return kept;
  }
  NoSecrets secrets_;
};

// Each server, what becomes of three letters sent to it, and what is kept.
TEST_F(SendRunTest, EachServerEachLetterAndWhatIsKept) {
  using Security = SmtpSettings::Security;
  const struct Case {
    const char* what;
    const char* mode;
    Security security;
    bool trustCa;
    std::string user, password;
    int letters;
    bool cancelAfterFirst;
    std::vector<Kind> kinds;
    Fault fault;  // of the first letter
    Kept kept;
  } cases[] = {
      // clang-format off
      {"three letters through one connection", "plain", Security::None, false, "", "", 3, false,
       {Kind::Sent, Kind::Sent, Kind::Sent}, Fault::None, {3, 0}},
      {"a refused login stops the run", "starttls", Security::StartTls, true, "jatekos", "rossz", 3, false,
       {Kind::NotSent, Kind::NotReached, Kind::NotReached}, Fault::None, {0, 0}},
      {"Mégse after the first letter stops the rest", "plain", Security::None, false, "", "", 3, true,
       {Kind::Sent, Kind::NotReached, Kind::NotReached}, Fault::None, {1, 0}},
      {"the server falls silent after the data", "hang-after-data", Security::None, false, "", "", 3, false,
       {Kind::Unconfirmed, Kind::NotReached, Kind::NotReached}, Fault::None, {0, 1}},
      {"the server hangs up after the data", "close-after-data", Security::None, false, "", "", 2, false,
       {Kind::Unconfirmed, Kind::NotReached}, Fault::None, {0, 1}},
      {"a server that never greets stops the run", "silent", Security::None, false, "", "", 3, false,
       {Kind::NotSent, Kind::NotReached, Kind::NotReached}, Fault::Timeout, {0, 0}},
      {"STARTTLS chosen, not offered", "plain", Security::StartTls, false, "", "", 2, false,
       {Kind::NotSent, Kind::NotReached}, Fault::NoStartTls, {0, 0}},
      {"TLS chosen on a STARTTLS port", "plain", Security::Tls, false, "", "", 2, false,
       {Kind::NotSent, Kind::NotReached}, Fault::TlsOnPlainPort, {0, 0}},
      {"a certificate nobody trusts", "starttls", Security::StartTls, false, "", "", 2, false,
       {Kind::NotSent, Kind::NotReached}, Fault::Untrusted, {0, 0}},
      {"the goodbye is never answered", "slow-quit", Security::None, false, "", "", 2, false,
       {Kind::Sent, Kind::Sent}, Fault::None, {2, 0}},
      // clang-format on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir_ / "elkuldve");
    SmtpSink sink(c.mode);
    ASSERT_GT(sink.port(), 0);
    MailRoute route{Loopback(sink.port(), c.security), "ul@localhost"};
    route.smtp.bounds = {2, 2, 6};
    if (c.trustCa) route.smtp.caFile = sink.CaFile();
    route.smtp.user = c.user;
    route.smtp.password = c.password;
    std::atomic<bool> cancel{false};
    std::vector<std::string> said;
    int told = 0;
    const IniFile ini = IniFile::FromText("");
    PasswordSource password;
    const SendRunReport report = RunSend(ini, dir_, route, Letters(c.letters), password, secrets_, &cancel,
                                         {[&](const std::string& progress) { said.push_back(progress); },
                                          [&](std::size_t i, const LetterResult& result) {
                                            EXPECT_EQ(i, std::size_t(told++));
                                            // What went out is already kept when the run tells of it.
                                            if (result.wentOut()) {
                                              EXPECT_EQ(KeptNow().confirmed + KeptNow().unconfirmed, told);
                                            }
                                            if (c.cancelAfterFirst) cancel = true;
                                          }});
    ASSERT_EQ(report.letters.size(), c.kinds.size());
    for (std::size_t i = 0; i < c.kinds.size(); ++i)
      EXPECT_EQ(int(report.letters[i].kind), int(c.kinds[i])) << i << ": " << ResultLine(report.letters[i]);
    EXPECT_EQ(int(report.letters[0].outcome.fault), int(c.fault)) << ResultLine(report.letters[0]);
    EXPECT_EQ(KeptNow(), c.kept);
    EXPECT_EQ(said.front(), "1/" + std::to_string(c.letters) + ": 2341-12.ulf");
    EXPECT_EQ(report.AllSent(), c.kept.confirmed == c.letters);
    if (std::string(c.mode) == "plain" && c.security == Security::None) {
      EXPECT_EQ(Count(sink.Commands(), "EHLO"), 1) << sink.Commands();
      ASSERT_TRUE(sink.Message(1));
      EXPECT_NE(sink.Message(1)->find("\r\nMessage-ID: <"), std::string::npos);
    }
  }
}

// A goodbye that never comes cannot hold the last letter's record, nor a
// cancel: the letter counts from the server's 250.
TEST_F(SendRunTest, ALetterCountsFromItsAcceptanceWhateverBecomesOfTheGoodbye) {
  SmtpSink sink("slow-quit");
  MailRoute route{Loopback(sink.port()), "ul@localhost"};
  route.smtp.bounds = {2, 10, 20};
  std::atomic<bool> cancel{false};
  PasswordSource password;
  const auto start = std::chrono::steady_clock::now();
  const SendRunReport report = RunSend(IniFile::FromText(""), dir_, route, Letters(1), password, secrets_, &cancel,
                                       {nullptr, [&](std::size_t, const LetterResult& result) {
                                          EXPECT_EQ(result.kind, Kind::Sent);
                                          EXPECT_EQ(KeptNow(), (Kept{1, 0}));
                                          cancel = true;  // a kill or Ctrl-C while the goodbye is awaited
                                        }});
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 4.0);
  EXPECT_EQ(report.letters[0].kind, Kind::Sent);
  EXPECT_TRUE(report.AllSent());
}

TEST_F(SendRunTest, ThePasswordComesFromWhereTheRunIsTold) {
  SmtpSink sink("starttls");
  const struct {
    const char* what;
    const char* ini;
    std::optional<std::string> given;
    bool canAsk;
    std::optional<std::string> answer;
    PasswordStep::Status start;
    int asked;
  } cases[] = {
      {"standard input", "", "jelszó", false, std::nullopt, PasswordStep::Status::Ok, 0},
      {"mv.ini", "[SMTP]\r\nJelszo=jelszó\r\n", std::nullopt, false, std::nullopt, PasswordStep::Status::Ok, 0},
      {"asked once for the run", "[SMTP]\r\nJelszoKerdes=1\r\n", std::nullopt, true, "jelszó", PasswordStep::Status::Ok,
       1},
      {"asked, and the player gave up", "[SMTP]\r\nJelszoKerdes=1\r\n", std::nullopt, true, std::nullopt,
       PasswordStep::Status::GaveUp, 1},
      {"to be asked where nobody can ask", "[SMTP]\r\nJelszoKerdes=1\r\n", std::nullopt, false, std::nullopt,
       PasswordStep::Status::MustAsk, 0},
      {"in a keyring out of reach", "[SMTP]\r\nJelszoKulcstartoban=1\r\n", std::nullopt, false, std::nullopt,
       PasswordStep::Status::KeyringUnavailable, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir_ / "elkuldve");
    MailRoute route{Loopback(sink.port(), SmtpSettings::Security::StartTls), "ul@localhost"};
    route.smtp.caFile = sink.CaFile();
    route.smtp.user = "jatekos";
    const IniFile ini = IniFile::FromText(cp1250::FromUtf8(c.ini));
    route.smtp.password = ReadSmtpSettings(ini).password;  // as MailRouteOf reads it
    PasswordSource password;
    if (c.given) password.given = cp1250::FromUtf8(*c.given);
    int asked = 0;
    if (c.canAsk)
      password.ask = [&](PasswordNeed need, const std::string& user) -> std::optional<std::string> {
        ++asked;
        EXPECT_EQ(need, PasswordNeed::AskedEachTime);
        EXPECT_EQ(user, "jatekos");
        return c.answer ? std::optional(cp1250::FromUtf8(*c.answer)) : std::nullopt;
      };
    const SendRunReport report = RunSend(ini, dir_, route, Letters(2), password, secrets_);
    EXPECT_EQ(int(report.start), int(c.start));
    EXPECT_EQ(asked, c.asked);
    const bool went = c.start == PasswordStep::Status::Ok;
    EXPECT_EQ(report.AllSent(), went);
    EXPECT_EQ(KeptNow(), (Kept{went ? 2 : 0, 0}));
  }
}

TEST(SendRunWordsTest, EachResultInOneLineAndAsAMessage) {
  LetterResult sent{Kind::Sent, {SendOutcome::Status::Sent}, false};
  LetterResult unconfirmed{Kind::Unconfirmed, {SendOutcome::Status::Unconfirmed}, true};
  LetterResult timeout{Kind::NotSent, {SendOutcome::Status::SendError, Fault::Timeout, "Timeout was reached", "", 28}};
  LetterResult notReached;
  const auto utf8 = [](const std::string& text) { return cp1250::ToUtf8(text); };
  EXPECT_EQ(utf8(ResultLine(sent)), "elküldve");
  EXPECT_EQ(utf8(ResultLine(unconfirmed)),
            "lehet, hogy megérkezett (Figyelem: az UL elment, de a másolatát nem sikerült megőrizni az elkuldve "
            "mappában.)");
  EXPECT_EQ(utf8(ResultLine(notReached)), "nem ment el: a küldés előbb megszakadt");
  EXPECT_EQ(utf8(ResultLine(timeout)),
            "nem ment el: Nem tudtam elküldeni a levelet – A levelezőszerver nem válaszolt időben. – Ellenőrizd a "
            "kiszolgáló nevét és a portot (Beállítások / E-MAIL), vagy próbáld újra később. – Mailer error: Timeout "
            "was reached (code: 28)");
  EXPECT_EQ(utf8(ResultMessage(sent)), "UL elküldve");
  EXPECT_TRUE(utf8(ResultMessage(unconfirmed))
                  .ends_with("\nFigyelem: az UL elment, de a másolatát nem sikerült "
                             "megőrizni az elkuldve mappában."));
  EXPECT_EQ(utf8(ProgressText(1, 3, "2346-13.ulf")), "2/3: 2346-13.ulf");
  std::tm when{};
  when.tm_mon = 11, when.tm_mday = 8, when.tm_hour = 6, when.tm_min = 49;
  EXPECT_EQ(utf8(AgainQuestion({when, false})), "Ezt az UL-t már elküldted (12.08. 06:49). Elküldöd újra?");
  EXPECT_EQ(utf8(AgainQuestion({when, true})),
            "Lehet, hogy ez az UL már megérkezett (12.08. 06:49). Mielőtt újra elküldöd, nézd meg a "
            "postafiókodban. Elküldöd újra?");
}

}  // namespace
}  // namespace mv
