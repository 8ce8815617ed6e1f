// Real mail to loopback SMTP servers the tests start: what arrives, what
// is refused, and that nothing hangs or is reported sent when it was not.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "tests/SmtpSink.h"
#include "tests/letter/LetterSheets.h"
#include "tests/letter/Loopback.h"

namespace mv {
namespace {

// The body as the server received it, after the headers.
std::string BodyOf(const std::string& received) {
  const auto split = received.find("\r\n\r\n");
  return split == std::string::npos ? std::string() : received.substr(split + 4);
}

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

}  // namespace
}  // namespace mv
