// The order letter, and real mail to a loopback SMTP server.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <clocale>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "core/Cp1250.h"
#include "letter/OrderLetter.h"
#include "letter/SmtpTransport.h"
#include "store/TextFile.h"
#include "tests/SmtpSink.h"
#include "tests/letter/Loopback.h"

namespace mv {
namespace {

// What a letter is made of.
struct LetterSheet {
  OrderSheet sheet;
  SheetFields fields;
  CharacterFields character;
};
std::vector<std::string> Lines(const LetterSheet& m) { return BuildOrderLetter(m.sheet, m.fields, m.character); }
std::string Text(const LetterSheet& m) { return OrderLetterText(m.sheet, m.fields, m.character); }

LetterSheet Sheet() {
  LetterSheet m;
  m.character.number = "2345";
  m.character.account = "10001";
  m.character.password = "titok";
  m.fields.turn = "17";
  return m;
}

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

// The body as the server received it, after the headers.
std::string BodyOf(const std::string& received) {
  const auto split = received.find("\r\n\r\n");
  return split == std::string::npos ? std::string() : received.substr(split + 4);
}

std::string Utf8Message(const SendOutcome& outcome) { return cp1250::ToUtf8(SendOutcomeMessage(outcome)); }

TEST(SmtpTest, TheLetterArrivesByteForByte) {
  SmtpSink sink;
  ASSERT_GT(sink.port(), 0);
  LetterSheet m = Sheet();
  m.sheet.Cell(1, col::kCode) = "be";
  m.character.password = "\xE1rv\xEDzt\xFBr\xF5";  // accented Windows-1250 bytes
  const MailMessage message{"ul@localhost", kLetterSubject, Text(m)};
  const SendOutcome outcome = SmtpTransport(Loopback(sink.port())).Send(message);
  ASSERT_TRUE(outcome.sent()) << SendOutcomeMessage(outcome);
  EXPECT_EQ(Utf8Message(outcome), "UL elküldve");
  ASSERT_EQ(sink.Received(), 1);
  const std::string received = *sink.Message(1);
  const std::string headers = received.substr(0, received.find("\r\n\r\n"));
  EXPECT_NE(headers.find("Subject: Form posted by Vorlan's UL-maker program"), std::string::npos);
  EXPECT_NE(headers.find("To: <ul@localhost>"), std::string::npos);
  EXPECT_NE(headers.find("Content-Type: text/plain; charset=windows-1250"), std::string::npos);
  EXPECT_NE(headers.find("Content-Transfer-Encoding: 8bit"), std::string::npos);
  EXPECT_EQ(headers.find("Cc:"), std::string::npos);
  EXPECT_EQ(BodyOf(received), message.body);
  EXPECT_EQ(*sink.Envelope(1), "jatekos@localhost\nul@localhost\n");
}

// Both encrypted modes deliver, log in with UTF-8 credentials, and trust the
// server only through the certificate the player names.
TEST(SmtpTest, StartTlsAndTlsDeliverWithALoginInUtf8) {
  for (const auto& [mode, security] :
       {std::pair{"starttls", SmtpSettings::Security::StartTls}, std::pair{"tls", SmtpSettings::Security::Tls}}) {
    SmtpSink sink(mode);
    ASSERT_GT(sink.port(), 0) << mode;
    SmtpSettings s = Loopback(sink.port(), security);
    s.user = "jatekos";
    s.password = cp1250::FromUtf8("jelszó");  // mv.ini keeps Windows-1250
    const MailMessage message{"ul@localhost", kLetterSubject, Text(Sheet())};
    const SendOutcome untrusted = SmtpTransport(s).Send(message);
    EXPECT_FALSE(untrusted.sent()) << mode << ": a self-signed certificate is not trusted by itself";
    s.caFile = sink.CaFile();
    const SendOutcome outcome = SmtpTransport(s).Send(message);
    ASSERT_TRUE(outcome.sent()) << mode << ": " << Utf8Message(outcome);
    ASSERT_EQ(sink.Received(), 1) << mode;
    EXPECT_EQ(BodyOf(*sink.Message(1)), message.body) << mode;
    const std::string commands = sink.Commands();
    EXPECT_NE(commands.find("AUTH tls"), std::string::npos) << commands;
    EXPECT_EQ(commands.find("AUTH plain"), std::string::npos) << commands;
    EXPECT_EQ(commands.find("MAIL plain"), std::string::npos) << commands;
  }
}

TEST(SmtpTest, NoPasswordEverTravelsInClear) {
  SmtpSink sink("plain");  // it would take AUTH without TLS
  SmtpSettings s = Loopback(sink.port());
  s.user = "jatekos";
  s.password = cp1250::FromUtf8("jelszó");
  const SendOutcome refused = SmtpTransport(s).Send({"ul@localhost", "s", "b\r\n"});
  EXPECT_EQ(refused.status, SendOutcome::Status::Unencrypted);
  EXPECT_TRUE(Utf8Message(refused).starts_with("Nem tudtam elküldeni a levelet\n"));
  EXPECT_NE(Utf8Message(refused).find("nem lenne titkosított"), std::string::npos);
  // What to change, and no word of a password nobody may have typed.
  EXPECT_NE(Utf8Message(refused).find("Válaszd a STARTTLS vagy a TLS titkosítást, vagy töröld a felhasználónevet"),
            std::string::npos)
      << Utf8Message(refused);
  EXPECT_EQ(Utf8Message(refused).find("jelszó"), std::string::npos);
  EXPECT_EQ(sink.Commands(), "");  // not even connected

  s.user.clear();  // without a login a plain server is fine, and no AUTH is sent
  ASSERT_TRUE(SmtpTransport(s).Send({"ul@localhost", "s", "b\r\n"}).sent());
  EXPECT_EQ(sink.Commands().find("AUTH"), std::string::npos) << sink.Commands();
}

TEST(SmtpTest, ARefusedLoginSaysSoAndAdvisesAnAppPassword) {
  SmtpSink sink("starttls");
  SmtpSettings s = Loopback(sink.port(), SmtpSettings::Security::StartTls);
  s.caFile = sink.CaFile();
  s.user = "jatekos";
  s.password = "rossz";
  const SendOutcome outcome = SmtpTransport(s).Send({"ul@localhost", "s", "b\r\n"});
  EXPECT_EQ(outcome.status, SendOutcome::Status::LoginRefused);
  EXPECT_EQ(outcome.replyCode, 535);
  const std::string text = Utf8Message(outcome);
  EXPECT_TRUE(text.starts_with(
      "Nem tudtam elküldeni a levelet\nA kiszolgáló nem fogadta el a felhasználónevet vagy a jelszót."))
      << text;
  EXPECT_NE(text.find("alkalmazásjelszót kér"), std::string::npos) << text;
  EXPECT_EQ(text.find("(alkalmazásjelszó)"), std::string::npos) << text;  // said once
  EXPECT_EQ(sink.Received(), 0);
}

TEST(SmtpTest, FailuresAreNeverReportedAsSuccess) {
  const MailMessage message{"refuse@localhost", kLetterSubject, Text(Sheet())};
  {
    SmtpSink sink;
    const SendOutcome refused = SmtpTransport(Loopback(sink.port())).Send(message);
    EXPECT_EQ(refused.status, SendOutcome::Status::SendError);
    EXPECT_TRUE(SendOutcomeMessage(refused).starts_with("Mailer error: ")) << SendOutcomeMessage(refused);
    EXPECT_NE(SendOutcomeMessage(refused).find("550"), std::string::npos) << SendOutcomeMessage(refused);
    EXPECT_NE(SendOutcomeMessage(refused).find(" (code: "), std::string::npos);
    EXPECT_EQ(sink.Received(), 0);

    // The player's copy is a recipient of the one message; a refused game
    // address fails it all, so "sent" always means the game has it.
    SmtpSettings copy = Loopback(sink.port());
    copy.copyToSender = true;
    EXPECT_FALSE(SmtpTransport(copy).Send(message).sent());
    EXPECT_EQ(sink.Received(), 0);
    ASSERT_TRUE(SmtpTransport(copy).Send({"ul@localhost", kLetterSubject, "b\r\n"}).sent());
    EXPECT_EQ(*sink.Envelope(1), "jatekos@localhost\nul@localhost\njatekos@localhost\n");
    EXPECT_NE(sink.Message(1)->find("Cc: <jatekos@localhost>\r\n"), std::string::npos);
  }
  const SendOutcome nobody = SmtpTransport(Loopback(SmtpSink::ClosedPort())).Send({"ul@localhost", "s", "b"});
  EXPECT_EQ(nobody.status, SendOutcome::Status::SendError);
  EXPECT_EQ(nobody.fault, SendOutcome::Fault::Refused);
  EXPECT_TRUE(Utf8Message(nobody).starts_with(
      "Nem tudtam elküldeni a levelet\nA levelezőszerver nem fogadta a kapcsolatot ezen a porton.\nEllenőrizd a "
      "kiszolgáló nevét és a portot: Beállítások / E-MAIL.\nMailer error: "))
      << Utf8Message(nobody);

  const SendOutcome unset = SmtpTransport(SmtpSettings{}).Send({"ul@localhost", "s", "b"});
  EXPECT_EQ(unset.status, SendOutcome::Status::NoMailSetup);
  EXPECT_EQ(Utf8Message(unset), "Nem tudtam elküldeni a levelet\nÁllítsd be a levelezőszervert: Beállítások / E-MAIL.");
  SmtpSettings noSender = Loopback(SmtpSink::ClosedPort());
  noSender.sender.clear();
  EXPECT_EQ(SmtpTransport(noSender).Send({"ul@localhost", "s", "b"}).status, SendOutcome::Status::NoSender);
}

// A server that stops answering cannot hold the send past its bounds. One
// that went silent after the whole letter may have taken it: that is said.
TEST(SmtpTest, HangingServersFailWithinTheirBounds) {
  const std::string unconfirmed = cp1250::FromUtf8("A levél elment, de a kiszolgáló nem igazolta az átvételt.");
  const std::string timeout =
      cp1250::FromUtf8("Nem tudtam elküldeni a levelet\nA levelezőszerver nem válaszolt időben.");
  const struct {
    const char* mode;
    int boundSeconds;
    std::string says;
  } servers[] = {{"silent", 2, timeout}, {"hang-after-data", 8, unconfirmed}, {"close-after-data", 8, unconfirmed}};
  for (const auto& server : servers) {
    SmtpSink sink(server.mode);
    SmtpSettings settings = Loopback(sink.port());
    settings.bounds = {2, 2, 6};
    const auto start = std::chrono::steady_clock::now();
    const SendOutcome outcome = SmtpTransport(settings).Send({"ul@localhost", "s", "b\r\n"});
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(outcome.sent()) << server.mode;
    EXPECT_TRUE(SendOutcomeMessage(outcome).starts_with(server.says)) << server.mode;
    EXPECT_LE(seconds, server.boundSeconds + 1.0) << server.mode;
    std::printf("%s: failed after %.1f s\n", server.mode, seconds);
  }
}

TEST(SmtpTest, CancellingStopsTheTransferAndIsNeverSent) {
  {
    // Cancelled before the letter's end: it did not go.
    SmtpSink sink("silent");
    std::atomic<bool> cancel = false;
    std::thread player([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      cancel = true;
    });
    const SendOutcome outcome = SmtpTransport(Loopback(sink.port())).Send({"ul@localhost", "s", "b\r\n"}, &cancel);
    player.join();
    EXPECT_EQ(outcome.status, SendOutcome::Status::Cancelled);
  }
  SmtpSink sink("hang-after-data");
  std::atomic<bool> cancel = false;
  std::thread player([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    cancel = true;
  });
  const auto start = std::chrono::steady_clock::now();
  const SendOutcome outcome = SmtpTransport(Loopback(sink.port())).Send({"ul@localhost", "s", "b\r\n"}, &cancel);
  player.join();
  // Cancelled after the whole letter, while the server's answer was awaited.
  EXPECT_EQ(outcome.status, SendOutcome::Status::Unconfirmed);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0);
  EXPECT_FALSE(outcome.sent());
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
