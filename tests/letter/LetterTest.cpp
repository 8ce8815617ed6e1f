// The order letter, and what the SMTP transport makes of replies, settings and faults.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <clocale>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "core/Cp1250.h"
#include "letter/MapiMail.h"
#include "letter/OrderLetter.h"
#include "letter/SmtpTransport.h"
#include "store/TextFile.h"
#include "tests/letter/LetterSheets.h"
#include "tests/letter/Loopback.h"

namespace mv {
namespace {

TEST(OrderLetterTest, AnEmptySheetGivesTheMinimalLetter) {
  const auto lines = Lines(Sheet());
  ASSERT_EQ(lines.size(), 29u);
  EXPECT_EQ(lines[0], "VERSION=MV1.2");
  EXPECT_EQ(lines[1], "email=");
  EXPECT_EQ(lines[2], "KSZ=2345");
  EXPECT_EQ(lines[5], "PSW=titok");
  for (int r = 1; r <= 20; ++r) EXPECT_EQ(lines[std::size_t(5 + r)], "C" + std::to_string(r) + "=");
  EXPECT_EQ(lines[26], "PREKAR=");
  EXPECT_EQ(lines[27], "PREFORD=");
  EXPECT_EQ(lines[28], "Post=UL Post\xE1z\xE1sa");
  EXPECT_EQ(DefaultLetterFileName(Sheet().character, Sheet().fields), "2345-17.eul");
}

TEST(OrderLetterTest, RowsFlagsAndDeliveryForms) {
  struct Case {
    const char* what;
    void (*set)(LetterSheet&);
    std::vector<std::string> tail;  // the lines after C20
    std::vector<std::pair<int, std::string>> rows;
  };
  const Case cases[] = {
      {"code only",
       [](LetterSheet& m) { m.sheet.Cell(3, col::kCode) = "be"; },
       {"PREKAR=", "PREFORD="},
       {{3, "C3=be      "}}},
      {"code and first parameter",
       [](LetterSheet& m) {
         m.sheet.Cell(3, col::kCode) = "12";
         m.sheet.Cell(3, col::kFirstParam) = "5";
       },
       {"PREKAR=", "PREFORD="},
       {{3, "C3=12 5     "}}},
      {"parameters without a code",
       [](LetterSheet& m) { m.sheet.Cell(4, col::kFirstParam) = "7"; },
       {"PREKAR=", "PREFORD="},
       {{4, "C4="}}},
      {"all flags and base64 printed",
       [](LetterSheet& m) {
         m.fields.requestUL = m.fields.requestJL = m.fields.extraTurn = m.fields.clubCode = true;
         m.fields.delivery = DeliveryForm::Base64Printed;
       },
       {"UL=OFF", "JL=OFF", "EXT=OFF", "KOD=B64", "PRINT=OFF", "PREKAR=", "PREFORD=", "KLUB=OFF"},
       {}},
      {"uuencode",
       [](LetterSheet& m) { m.fields.delivery = DeliveryForm::Uuencode; },
       {"KOD=UUE", "PREKAR=", "PREFORD="},
       {}},
      {"uuencode printed",
       [](LetterSheet& m) { m.fields.delivery = DeliveryForm::UuencodePrinted; },
       {"KOD=UUE", "PRINT=OFF", "PREKAR=", "PREFORD="},
       {}},
      {"printed only",
       [](LetterSheet& m) { m.fields.delivery = DeliveryForm::PrintedOnly; },
       {"KOD=POSTA", "PREKAR=", "PREFORD="},
       {}},
      {"queue ticked",
       [](LetterSheet& m) {
         m.fields.queued = true;
         m.fields.queueCharacter = "2001";
         m.fields.queueTurn = "9";
       },
       {"PREKAR=2001", "PREFORD=9"},
       {}},
      {"queue unticked keeps old values out",
       [](LetterSheet& m) {
         m.fields.queueCharacter = "2001";
         m.fields.queueTurn = "9";
       },
       {"PREKAR=", "PREFORD="},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LetterSheet m = Sheet();
    c.set(m);
    const auto lines = Lines(m);
    std::vector<std::string> tail(lines.begin() + 26, lines.end() - 1);
    EXPECT_EQ(tail, c.tail);
    EXPECT_EQ(lines.back(), "Post=UL Post\xE1z\xE1sa");
    for (const auto& [row, text] : c.rows) EXPECT_EQ(lines[std::size_t(5 + row)], text);
  }
}

TEST(OrderLetterTest, TextEndsEveryLineWithCrLf) {
  const std::string text = Text(Sheet());
  EXPECT_EQ(text.substr(0, 15), "VERSION=MV1.2\r\n");
  EXPECT_EQ(text.substr(text.size() - 19), "Post=UL Post\xE1z\xE1sa\r\n");
  EXPECT_EQ(SplitLines(text).size(), 29u);
}

// Each fault of the connection in words, with what to do.
TEST(SmtpTest, TheCommonFaultsSayWhatToChange) {
  using Security = SmtpSettings::Security;
  using Fault = SendOutcome::Fault;
  const struct {
    CURLcode result;
    Security security;
    Fault fault;
    const char* says;
  } cases[] = {
      {CURLE_OPERATION_TIMEDOUT, Security::StartTls, Fault::Timeout, "nem válaszolt időben"},
      {CURLE_COULDNT_CONNECT, Security::StartTls, Fault::Refused, "nem fogadta a kapcsolatot"},
      {CURLE_COULDNT_RESOLVE_HOST, Security::Tls, Fault::UnknownHost, "Nem találom ezt a levelezőszervert"},
      {CURLE_PEER_FAILED_VERIFICATION, Security::Tls, Fault::Untrusted, "a „CA-fájl” beállításban"},
      {CURLE_SSL_CONNECT_ERROR, Security::Tls, Fault::TlsOnPlainPort, "Válaszd a STARTTLS titkosítást az 587-es"},
      {CURLE_SSL_CONNECT_ERROR, Security::StartTls, Fault::None, "Mailer error: "},
      {CURLE_USE_SSL_FAILED, Security::StartTls, Fault::NoStartTls, "nem ajánlja fel a STARTTLS"},
  };
  for (const auto& c : cases) {
    SmtpReplies replies;
    replies.Add("220 hi\r\n");
    const SendOutcome outcome = replies.Outcome({c.result, 220, false, false, c.security});
    EXPECT_EQ(int(outcome.fault), int(c.fault)) << c.result;
    const std::string text = Utf8Message(outcome);
    EXPECT_NE(text.find(c.says), std::string::npos) << text;
    EXPECT_NE(text.find("Mailer error: " + std::string(curl_easy_strerror(c.result))), std::string::npos) << text;
    // The advice never tells to choose what is chosen.
    if (c.security == Security::StartTls) {
      EXPECT_EQ(text.find("Válaszd a STARTTLS"), std::string::npos) << text;
    }
  }
  // A letter the server refused is the letter's, not the connection's: the run goes on.
  SmtpReplies refused;
  refused.Add("550 5.1.1 no such user\r\n");
  const SendOutcome letter = refused.Outcome({CURLE_SEND_ERROR, 550, false, false, Security::StartTls});
  EXPECT_EQ(letter.fault, Fault::None);
  EXPECT_FALSE(StopsTheRun(letter));
  SmtpReplies stalled;
  EXPECT_TRUE(StopsTheRun(stalled.Outcome({CURLE_OPERATION_TIMEDOUT, 0, false, false})));
}

// The end of a transfer as the replies and libcurl leave it.
TEST(SmtpTest, TheRepliesTellWhatTheEndMeans) {
  using S = SendOutcome::Status;
  const struct {
    std::vector<std::string> replies;
    SmtpReplies::End end;
    S status;
  } cases[] = {
      {{"220 hi\r\n", "250 ok\r\n"}, {CURLE_OK, 250, false, true}, S::Sent},
      {{"220 hi\r\n", "354 go on\r\n"}, {CURLE_OPERATION_TIMEDOUT, 354, false, true}, S::Unconfirmed},
      {{"220 hi\r\n", "354 go on\r\n"}, {CURLE_ABORTED_BY_CALLBACK, 354, true, true}, S::Unconfirmed},
      {{"220 hi\r\n", "354 go on\r\n"}, {CURLE_ABORTED_BY_CALLBACK, 354, true, false}, S::Cancelled},
      {{"220 hi\r\n"}, {CURLE_OPERATION_TIMEDOUT, 220, false, false}, S::SendError},
      {{"220 hi\r\n", "535 5.7.8 no\r\n"}, {CURLE_LOGIN_DENIED, 535, false, false}, S::LoginRefused},
      {{"220 hi\r\n", "354 go on\r\n", "554 spam\r\n"}, {CURLE_SEND_ERROR, 554, false, true}, S::SendError},
      // The connection ends after the whole letter, before the answer.
      {{"220 hi\r\n", "354 go on\r\n"}, {CURLE_GOT_NOTHING, 354, false, true}, S::Unconfirmed},
      {{"220 hi\r\n", "354 go on\r\n"}, {CURLE_SEND_ERROR, 354, false, true}, S::Unconfirmed},
      {{"220 hi\r\n", "354 go on\r\n"}, {CURLE_RECV_ERROR, 354, false, true}, S::Unconfirmed},
      {{"220 hi\r\n", "354 go on\r\n"}, {CURLE_RECV_ERROR, 354, false, false}, S::SendError},
      // Accepted, then the goodbye was cancelled or timed out: delivered.
      {{"220 hi\r\n", "354 go on\r\n", "250 queued\r\n"}, {CURLE_ABORTED_BY_CALLBACK, 250, true, true}, S::Sent},
      {{"220 hi\r\n", "354 go on\r\n", "250 queued\r\n"}, {CURLE_OPERATION_TIMEDOUT, 250, false, true}, S::Sent},
  };
  for (const auto& c : cases) {
    SmtpReplies replies;
    for (const std::string& line : c.replies) replies.Add(line, c.end.wholeLetterOut);
    const SendOutcome outcome = replies.Outcome(c.end);
    EXPECT_EQ(outcome.status, c.status) << c.replies.back() << " " << c.end.curlResult;
  }
}

// A mail date reads the same under any locale the window may have set.
TEST(SmtpTest, TheDateHeaderIsEnglishUnderAnyLocale) {
  const char* before = std::setlocale(LC_ALL, nullptr);
  const std::string saved = before ? before : "C";
  std::setlocale(LC_ALL, "hu_HU.UTF-8");
  EXPECT_EQ(RfcDate(1796716140), "Tue, 08 Dec 2026 07:49:00 +0000");
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(SmtpTest, SettingsRoundTripThroughTheIni) {
  IniFile ini = IniFile::FromText("");
  SmtpSettings s = Loopback(2525);
  s.security = SmtpSettings::Security::StartTls;
  s.user = "u";
  s.password = "p";
  ASSERT_TRUE(WriteSmtpSettings(ini, s));
  const SmtpSettings back = ReadSmtpSettings(ini);
  EXPECT_EQ(back.server, "127.0.0.1");
  EXPECT_EQ(back.port, 2525);
  EXPECT_EQ(back.security, SmtpSettings::Security::StartTls);
  EXPECT_EQ(back.user, "u");
  EXPECT_EQ(back.password, "p");
  EXPECT_EQ(back.sender, "jatekos@localhost");
  EXPECT_FALSE(back.copyToSender);
  EXPECT_EQ(ReadSmtpSettings(IniFile::FromText("[SMTP]\nPort=x\nTitkositas=TLS\n")).port, 465);
  // An older file without the security key: the safe default.
  const SmtpSettings old = ReadSmtpSettings(IniFile::FromText("[SMTP]\nKiszolgalo=mail.example.org\n"));
  EXPECT_EQ(old.security, SmtpSettings::Security::StartTls);
  EXPECT_EQ(old.port, 587);
  EXPECT_TRUE(old.copyToSender);
  EXPECT_EQ(ReadSmtpSettings(IniFile::FromText("[SMTP]\nTitkositas=Nincs\n")).port, 25);
  EXPECT_EQ(ReadSmtpSettings(IniFile::FromText("[SMTP]\nCAFajl=/etc/ca.pem\n")).caFile, "/etc/ca.pem");
  // The mail program's choice, and back to the server: the key goes.
  s.viaMapi = true;
  ASSERT_TRUE(WriteSmtpSettings(ini, s));
  EXPECT_EQ(ini.Read("SMTP", "Kuldes"), "MAPI");
  EXPECT_TRUE(ReadSmtpSettings(ini).viaMapi);
  s.viaMapi = false;
  ASSERT_TRUE(WriteSmtpSettings(ini, s));
  EXPECT_FALSE(ini.Has("SMTP", "Kuldes"));
}

TEST(MapiTest, EveryResultCodeHasItsName) {
  const struct {
    long code;
    const char* name;
  } kCases[] = {
      {0, "SUCCESS_SUCCESS"},
      {1, "MAPI_USER_ABORT"},
      {3, "MAPI_E_LOGIN_FAILURE"},
      {6, "MAPI_E_ACCESS_DENIED"},
      {7, "Unknown error"},
      {8, "MAPI_E_TOO_MANY_SESSIONS"},
      {14, "MAPI_E_UNKNOWN_RECIPIENT"},
      {21, "MAPI_E_AMBIGUOUS_RECIPIENT"},
      {26, "MAPI_E_NOT_SUPPORTED"},
      {27, "Unknown error"},
      {-1, "Unknown error"},
      {1000000, "Unknown error"},
  };
  for (const auto& c : kCases) EXPECT_EQ(MapiErrorName(c.code), c.name) << c.code;
  SendOutcome refused;
  refused.status = SendOutcome::Status::SendError;
  refused.code = 7;
  refused.errorName = MapiErrorName(7);
  EXPECT_EQ(SendOutcomeMessage(refused), "Mailer error: Unknown error (code: 7)");
  SendOutcome noProgram;
  noProgram.status = SendOutcome::Status::NoMailProgram;
  EXPECT_EQ(SendOutcomeMessage(noProgram).rfind("Nem tudtam elküldeni a levelet\n"_w, 0), 0u);
}

// Where the system has no Simple MAPI, the choice read from a copied mv.ini
// must not leave the player without a way to send.
TEST(MapiTest, WithoutMapiTheServerSends) {
  if (MapiOffered()) GTEST_SKIP() << "this system has Simple MAPI";
  SmtpSettings s;
  s.viaMapi = true;
  const std::unique_ptr<MailTransport> transport = TransportFor(s);
  EXPECT_EQ(transport->Send(MailMessage{"a@b", "x", "y"}).status, SendOutcome::Status::NoMailSetup);
}

// The dialog and mv.ini read a port by one rule; a port the player typed
// outlives a change of mode, one at the old mode's usual value follows it.
TEST(SmtpTest, PortsAsTypedAndAcrossAChangeOfMode) {
  using S = SmtpSettings::Security;
  const struct {
    const char* text;
    S previous, next;
    int read, after;
  } cases[] = {
      {"2525", S::StartTls, S::Tls, 2525, 2525}, {"587", S::StartTls, S::Tls, 587, 465},
      {"465", S::Tls, S::None, 465, 25},         {"", S::StartTls, S::Tls, 587, 465},
      {"70000", S::Tls, S::StartTls, 465, 587},  {"0", S::None, S::Tls, 25, 465},
      {"-25", S::None, S::StartTls, 25, 587},    {"25", S::StartTls, S::Tls, 25, 25},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PortFromText(c.text, c.previous), c.read) << c.text;
    EXPECT_EQ(PortAfterModeChange(c.text, c.previous, c.next), c.after) << c.text;
  }
}

}  // namespace
}  // namespace mv
