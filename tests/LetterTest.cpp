// The order letter, and real mail to a loopback SMTP server.
#include <gtest/gtest.h>

#include "core/Cp1250.h"
#include "letter/OrderLetter.h"
#include "letter/SmtpTransport.h"
#include "store/TextFile.h"
#include "tests/SmtpSink.h"

namespace mv {
namespace {

EditorModel Sheet() {
  EditorModel m;
  m.character.number = "2345";
  m.character.account = "10001";
  m.character.password = "titok";
  m.fields.turn = "17";
  return m;
}

TEST(OrderLetterTest, AnEmptySheetGivesTheMinimalLetter) {
  const auto lines = BuildOrderLetter(Sheet());
  ASSERT_EQ(lines.size(), 29u);
  EXPECT_EQ(lines[0], "VERSION=MV1.2");
  EXPECT_EQ(lines[1], "email=");
  EXPECT_EQ(lines[2], "KSZ=2345");
  EXPECT_EQ(lines[5], "PSW=titok");
  for (int r = 1; r <= 20; ++r) EXPECT_EQ(lines[std::size_t(5 + r)], "C" + std::to_string(r) + "=");
  EXPECT_EQ(lines[26], "PREKAR=");
  EXPECT_EQ(lines[27], "PREFORD=");
  EXPECT_EQ(lines[28], "Post=UL Post\xE1z\xE1sa");
  EXPECT_EQ(DefaultLetterFileName(Sheet()), "2345-17.eul");
}

TEST(OrderLetterTest, RowsFlagsAndDeliveryForms) {
  struct Case {
    const char* what;
    void (*set)(EditorModel&);
    std::vector<std::string> tail;  // the lines after C20
    std::vector<std::pair<int, std::string>> rows;
  };
  const Case cases[] = {
      {"code only", [](EditorModel& m) { m.sheet.Cell(3, col::kCode) = "be"; }, {"PREKAR=", "PREFORD="}, {{3, "C3=be      "}}},
      {"code and first parameter",
       [](EditorModel& m) {
         m.sheet.Cell(3, col::kCode) = "12";
         m.sheet.Cell(3, col::kFirstParam) = "5";
       },
       {"PREKAR=", "PREFORD="},
       {{3, "C3=12 5     "}}},
      {"parameters without a code", [](EditorModel& m) { m.sheet.Cell(4, col::kFirstParam) = "7"; }, {"PREKAR=", "PREFORD="}, {{4, "C4="}}},
      {"all flags and base64 printed",
       [](EditorModel& m) {
         m.fields.requestUL = m.fields.requestJL = m.fields.extraTurn = m.fields.clubCode = true;
         m.fields.delivery = DeliveryForm::Base64Printed;
       },
       {"UL=OFF", "JL=OFF", "EXT=OFF", "KOD=B64", "PRINT=OFF", "PREKAR=", "PREFORD=", "KLUB=OFF"},
       {}},
      {"uuencode", [](EditorModel& m) { m.fields.delivery = DeliveryForm::Uuencode; }, {"KOD=UUE", "PREKAR=", "PREFORD="}, {}},
      {"uuencode printed", [](EditorModel& m) { m.fields.delivery = DeliveryForm::UuencodePrinted; }, {"KOD=UUE", "PRINT=OFF", "PREKAR=", "PREFORD="}, {}},
      {"printed only", [](EditorModel& m) { m.fields.delivery = DeliveryForm::PrintedOnly; }, {"KOD=POSTA", "PREKAR=", "PREFORD="}, {}},
      {"queue ticked",
       [](EditorModel& m) {
         m.fields.queued = true;
         m.fields.queueCharacter = "2001";
         m.fields.queueTurn = "9";
       },
       {"PREKAR=2001", "PREFORD=9"},
       {}},
      {"queue unticked keeps old values out",
       [](EditorModel& m) {
         m.fields.queueCharacter = "2001";
         m.fields.queueTurn = "9";
       },
       {"PREKAR=", "PREFORD="},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EditorModel m = Sheet();
    c.set(m);
    const auto lines = BuildOrderLetter(m);
    std::vector<std::string> tail(lines.begin() + 26, lines.end() - 1);
    EXPECT_EQ(tail, c.tail);
    EXPECT_EQ(lines.back(), "Post=UL Post\xE1z\xE1sa");
    for (const auto& [row, text] : c.rows) EXPECT_EQ(lines[std::size_t(5 + row)], text);
  }
}

TEST(OrderLetterTest, TextEndsEveryLineWithCrLf) {
  const std::string text = OrderLetterText(Sheet());
  EXPECT_EQ(text.substr(0, 15), "VERSION=MV1.2\r\n");
  EXPECT_EQ(text.substr(text.size() - 19), "Post=UL Post\xE1z\xE1sa\r\n");
  EXPECT_EQ(SplitLines(text).size(), 29u);
}

SmtpSettings Loopback(int port) {
  SmtpSettings s;
  s.server = "127.0.0.1";
  s.port = port;
  s.sender = "jatekos@localhost";
  return s;
}

TEST(SmtpTest, TheLetterArrivesByteForByte) {
  SmtpSink sink;
  ASSERT_GT(sink.port(), 0);
  EditorModel m = Sheet();
  m.sheet.Cell(1, col::kCode) = "be";
  m.character.password = "\xE1rv\xEDzt\xFBr\xF5";  // accented Windows-1250 bytes
  const MailMessage message{"ul@localhost", kLetterSubject, OrderLetterText(m)};
  const SendOutcome outcome = SmtpTransport(Loopback(sink.port())).Send(message);
  ASSERT_TRUE(outcome.sent()) << SendOutcomeMessage(outcome);
  EXPECT_EQ(cp1250::ToUtf8(SendOutcomeMessage(outcome)), "UL elküldve");
  ASSERT_EQ(sink.Received(), 1);
  const std::string received = *sink.Message(1);
  const auto split = received.find("\r\n\r\n");
  ASSERT_NE(split, std::string::npos);
  const std::string headers = received.substr(0, split), body = received.substr(split + 4);
  EXPECT_NE(headers.find("Subject: Form posted by Vorlan's UL-maker program"), std::string::npos);
  EXPECT_NE(headers.find("To: <ul@localhost>"), std::string::npos);
  EXPECT_NE(headers.find("Content-Type: text/plain; charset=windows-1250"), std::string::npos);
  EXPECT_NE(headers.find("Content-Transfer-Encoding: 8bit"), std::string::npos);
  EXPECT_EQ(body, message.body);
  EXPECT_EQ(*sink.Envelope(1), "jatekos@localhost\nul@localhost\n");
}

TEST(SmtpTest, FailuresAreNeverReportedAsSuccess) {
  const MailMessage message{"refuse@localhost", kLetterSubject, OrderLetterText(Sheet())};
  {
    SmtpSink sink;
    const SendOutcome refused = SmtpTransport(Loopback(sink.port())).Send(message);
    EXPECT_EQ(refused.status, SendOutcome::Status::SendError);
    EXPECT_TRUE(SendOutcomeMessage(refused).starts_with("Mailer error: ")) << SendOutcomeMessage(refused);
    EXPECT_NE(SendOutcomeMessage(refused).find(" (code: "), std::string::npos);
    EXPECT_EQ(sink.Received(), 0);
  }
  const SendOutcome nobody = SmtpTransport(Loopback(SmtpSink::ClosedPort())).Send({"ul@localhost", "s", "b"});
  EXPECT_EQ(nobody.status, SendOutcome::Status::NoMailSetup);
  EXPECT_EQ(SendOutcomeMessage(nobody), "Nem tudtam elk\xFC" "ldeni a levelet");
  const SendOutcome unset = SmtpTransport(SmtpSettings{}).Send({"ul@localhost", "s", "b"});
  EXPECT_EQ(unset.status, SendOutcome::Status::NoMailSetup);
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
  EXPECT_EQ(ReadSmtpSettings(IniFile::FromText("[SMTP]\nPort=x\nTitkositas=TLS\n")).port, 465);
}

}  // namespace
}  // namespace mv
