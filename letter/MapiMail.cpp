#include "letter/MapiMail.h"

#include <array>

namespace mv {

std::string MapiErrorName(long code) {
  static constexpr std::array<const char*, 27> kNames = {
      "SUCCESS_SUCCESS",
      "MAPI_USER_ABORT",
      "MAPI_E_FAILURE",
      "MAPI_E_LOGIN_FAILURE",
      "MAPI_E_DISK_FULL",
      "MAPI_E_INSUFFICIENT_MEMORY",
      "MAPI_E_ACCESS_DENIED",
      nullptr,  // 7 has no name of its own
      "MAPI_E_TOO_MANY_SESSIONS",
      "MAPI_E_TOO_MANY_FILES",
      "MAPI_E_TOO_MANY_RECIPIENTS",
      "MAPI_E_ATTACHMENT_NOT_FOUND",
      "MAPI_E_ATTACHMENT_OPEN_FAILURE",
      "MAPI_E_ATTACHMENT_WRITE_FAILURE",
      "MAPI_E_UNKNOWN_RECIPIENT",
      "MAPI_E_BAD_RECIPTYPE",
      "MAPI_E_NO_MESSAGES",
      "MAPI_E_INVALID_MESSAGE",
      "MAPI_E_TEXT_TOO_LARGE",
      "MAPI_E_INVALID_SESSION",
      "MAPI_E_TYPE_NOT_SUPPORTED",
      "MAPI_E_AMBIGUOUS_RECIPIENT",
      "MAPI_E_MESSAGE_IN_USE",
      "MAPI_E_NETWORK_FAILURE",
      "MAPI_E_INVALID_EDITFIELDS",
      "MAPI_E_INVALID_RECIPS",
      "MAPI_E_NOT_SUPPORTED",
  };
  if (code < 0 || code >= long(kNames.size()) || !kNames[std::size_t(code)]) return "Unknown error";
  return kNames[std::size_t(code)];
}

namespace {

// Chosen, but no mail program to sign in: every letter says so, none
// goes another way the player did not choose.
class NoMailProgram : public MailTransport {
 public:
  SendOutcome Send(const MailMessage&, const std::atomic<bool>*) override {
    SendOutcome out;
    out.status = SendOutcome::Status::NoMailProgram;
    return out;
  }
};

}  // namespace

std::unique_ptr<MailTransport> TransportFor(const SmtpSettings& settings) {
  if (!settings.viaMapi || !MapiOffered()) return std::make_unique<SmtpTransport>(settings);
  if (auto mapi = MapiMail()) return mapi;
  return std::make_unique<NoMailProgram>();
}

}  // namespace mv
