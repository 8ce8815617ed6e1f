// Mail settings for the loopback SMTP sink of the tests.
#pragma once

#include "letter/SmtpTransport.h"

namespace mv {

inline SmtpSettings Loopback(int port, SmtpSettings::Security security = SmtpSettings::Security::None) {
  SmtpSettings s;
  s.server = "127.0.0.1";
  s.port = port;
  s.security = security;
  s.sender = "jatekos@localhost";
  s.copyToSender = false;
  return s;
}

}  // namespace mv
