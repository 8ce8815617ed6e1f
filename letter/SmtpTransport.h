// Mail through an SMTP server (libcurl), configured in the options dialog.
#pragma once

#include "letter/MailTransport.h"
#include "store/IniFile.h"

namespace mv {

struct SmtpSettings {
  enum class Security { None, StartTls, Tls };
  std::string server;  // empty: no mail set-up
  int port = 25;
  Security security = Security::None;
  std::string user;
  std::string password;
  std::string sender;
};

// mv.ini section "SMTP".
SmtpSettings ReadSmtpSettings(const IniFile& ini);
bool WriteSmtpSettings(IniFile& ini, const SmtpSettings& settings);

// The message as it goes over the wire: headers and the body's bytes.
std::string SmtpMessageText(const SmtpSettings& settings, const MailMessage& message);

class SmtpTransport : public MailTransport {
 public:
  explicit SmtpTransport(SmtpSettings settings) : settings_(std::move(settings)) {}
  SendOutcome Send(const MailMessage& message) override;

 private:
  SmtpSettings settings_;
};

}  // namespace mv
