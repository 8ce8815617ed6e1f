// Simple MAPI: the player's own mail program (Outlook, Thunderbird, ...)
// signs in and sends the letter, for a provider that takes no password
// from other programs. Windows has it; elsewhere it is not offered.
#pragma once

#include <memory>
#include <string>

#include "letter/MailTransport.h"
#include "letter/SmtpTransport.h"

namespace mv {

bool MapiOffered();
// The mail program's transport; nothing where MAPI is not offered.
std::unique_ptr<MailTransport> MapiMail();

// "SUCCESS_SUCCESS", "MAPI_USER_ABORT", ... for a Simple MAPI result code;
// 7 and every code without a name "Unknown error".
std::string MapiErrorName(long code);

// The transport the settings choose: the mail program, or the SMTP server.
std::unique_ptr<MailTransport> TransportFor(const SmtpSettings& settings);

}  // namespace mv
