// Mail through an SMTP server (libcurl), configured in the options dialog.
#pragma once

#include <ctime>
#include <string_view>

#include "letter/MailTransport.h"
#include "store/IniFile.h"

namespace mv {

struct SmtpSettings {
  enum class Security { None, StartTls, Tls };
  std::string server;  // empty: no mail set-up
  int port = 587;
  Security security = Security::StartTls;
  std::string user;      // Windows-1250, as mv.ini keeps every text
  std::string password;  // Windows-1250
  std::string sender;
  std::string caFile;        // CAFajl: a CA to trust for a private server
  bool copyToSender = true;  // Masolat: the sender gets the letter as Cc
  bool viaMapi = false;      // Kuldes=MAPI: the player's mail program sends instead (Windows)
  // Bounds of one send, in seconds: connecting and the server's greeting,
  // each reply, and the whole transfer with the goodbye.
  struct Bounds {
    long connect = 15;
    long reply = 15;
    long transfer = 45;  // + one reply wait for the goodbye: within 60 s
  };
  Bounds bounds;
};

// The usual port of a security mode: 25, 587 (STARTTLS) and 465 (TLS).
int DefaultPort(SmtpSettings::Security security);
// A port as typed or stored: 1..65535, else the mode's usual port.
int PortFromText(std::string_view text, SmtpSettings::Security security);
// The port after the mode changed from previous to next: one still at the
// previous mode's usual port follows the mode, the player's own one stays.
int PortAfterModeChange(std::string_view text, SmtpSettings::Security previous, SmtpSettings::Security next);

// mv.ini section "SMTP".
SmtpSettings ReadSmtpSettings(const IniFile& ini);
// withPassword: also the password, in mv.ini (where no secret store keeps it).
bool WriteSmtpSettings(IniFile& ini, const SmtpSettings& settings, bool withPassword = true);
std::vector<IniChange> SmtpSettingsChanges(const SmtpSettings& settings, bool withPassword = true);

// "Tue, 08 Dec 2026 06:49:00 +0000": the Date header, in English names always.
std::string RfcDate(std::time_t when);

// The message as it goes over the wire: headers and the body's bytes.
std::string SmtpMessageText(const SmtpSettings& settings, const MailMessage& message);

// The server's replies as libcurl shows them, and what a transfer's end
// means: the pure part of a send, apart from the network.
class SmtpReplies {
 public:
  // One piece of incoming header data: a reply line with its line end.
  // wholeLetterOut: every byte of the letter was handed over by now. True
  // when this reply is the server's acceptance of the letter.
  bool Add(std::string_view incoming, bool wholeLetterOut = false);
  bool accepted() const { return accepted_; }

  struct End {
    long curlResult = 0;  // CURLcode
    long curlReply = 0;   // CURLINFO_RESPONSE_CODE
    bool cancelled = false;
    bool wholeLetterOut = false;  // every byte of the letter was handed over
    SmtpSettings::Security security = SmtpSettings::Security::StartTls;
  };
  SendOutcome Outcome(const End& end) const;

 private:
  std::string lastReply_;    // the server's last reply line
  std::string lastRefusal_;  // its last 4xx or 5xx reply: the one that tells why
  bool accepted_ = false;    // a 250 to the letter's end: delivered, whatever follows
};

class SmtpTransport : public MailTransport {
 public:
  explicit SmtpTransport(SmtpSettings settings) : settings_(std::move(settings)) {}
  SendOutcome Send(const MailMessage& message, const std::atomic<bool>* cancel = nullptr) override;
  // Through one connection: it is kept open between the letters and closed
  // after the last one.
  std::vector<SendOutcome> SendAll(const std::vector<MailMessage>& messages, const std::atomic<bool>* cancel = nullptr,
                                   const SendHooks& hooks = {}) override;

 private:
  SmtpSettings settings_;
};

}  // namespace mv
