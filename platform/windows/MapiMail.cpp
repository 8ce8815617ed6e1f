// Simple MAPI from "mapi32", loaded at run time: logon with the default
// profile (else with the mail program's own logon) once for the run, each
// recipient resolved (once more with its dialog when unknown or
// ambiguous), each message sent without a dialog, the session closed at
// the end.
#include <windows.h>
// clang-format off
#include <mapi.h>
// clang-format on

#include <string>
#include <vector>

#include "core/Cp1250.h"
#include "letter/MapiMail.h"

namespace mv {
namespace {

std::string DefaultProfile() {
  for (const wchar_t* key : {L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows Messaging Subsystem\\Profiles",
                             L"Software\\Microsoft\\Windows Messaging Subsystem\\Profiles"}) {
    HKEY open = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &open) != ERROR_SUCCESS) continue;
    char value[256] = "";
    DWORD size = sizeof value - 1, type = 0;
    const bool read = ::RegQueryValueExA(open, "DefaultProfile", nullptr, &type, reinterpret_cast<LPBYTE>(value),
                                         &size) == ERROR_SUCCESS &&
                      type == REG_SZ;
    ::RegCloseKey(open);
    return read ? std::string(value) : std::string();
  }
  return {};
}

class MapiTransport : public MailTransport {
 public:
  explicit MapiTransport(HMODULE library) : library_(library) {
    logon_ = reinterpret_cast<LPMAPILOGON>(reinterpret_cast<void*>(::GetProcAddress(library, "MAPILogon")));
    resolve_ =
        reinterpret_cast<LPMAPIRESOLVENAME>(reinterpret_cast<void*>(::GetProcAddress(library, "MAPIResolveName")));
    send_ = reinterpret_cast<LPMAPISENDMAIL>(reinterpret_cast<void*>(::GetProcAddress(library, "MAPISendMail")));
    free_ = reinterpret_cast<LPMAPIFREEBUFFER>(reinterpret_cast<void*>(::GetProcAddress(library, "MAPIFreeBuffer")));
    logoff_ = reinterpret_cast<LPMAPILOGOFF>(reinterpret_cast<void*>(::GetProcAddress(library, "MAPILogoff")));
  }
  ~MapiTransport() override {
    // An open session would keep the mail program's profile busy.
    if (session_ && logoff_) logoff_(session_, 0, 0, 0);
    ::FreeLibrary(library_);
  }
  bool usable() const { return logon_ && resolve_ && send_; }

  SendOutcome Send(const MailMessage& message, const std::atomic<bool>*) override {
    SendOutcome out;
    if (!LoggedOn()) {
      out.status = SendOutcome::Status::NoMailProgram;
      return out;
    }
    const LHANDLE session = session_;
    // The mail program takes the texts in the system's code page, as the
    // letter's Windows-1250 is on a Hungarian Windows.
    std::string recipient = message.to, subject = message.subject, body = message.body;
    MapiRecipDesc record{};
    MapiRecipDesc* resolved = nullptr;
    ULONG result = resolve_(session, 0, recipient.data(), 0, 0, &resolved);
    if (result == MAPI_E_UNKNOWN_RECIPIENT || result == MAPI_E_AMBIGUOUS_RECIPIENT)
      result = resolve_(session, 0, recipient.data(), MAPI_DIALOG, 0, &resolved);
    std::vector<char> entry;
    if (result == SUCCESS_SUCCESS && resolved) {
      record.ulRecipClass = MAPI_TO;
      record.lpszName = recipient.data();
      entry.assign(static_cast<const char*>(resolved->lpEntryID),
                   static_cast<const char*>(resolved->lpEntryID) + resolved->ulEIDSize);
      record.ulEIDSize = ULONG(entry.size());
      record.lpEntryID = entry.empty() ? nullptr : entry.data();
    }
    if (resolved && free_) free_(resolved);
    MapiMessage mail{};
    mail.lpszSubject = subject.data();
    mail.lpszNoteText = body.empty() ? nullptr : body.data();
    mail.nRecipCount = 1;
    mail.lpRecips = &record;
    const ULONG sent = send_(session, 0, &mail, 0, 0);
    if (sent == SUCCESS_SUCCESS) {
      out.status = SendOutcome::Status::Sent;
      return out;
    }
    out.status = SendOutcome::Status::SendError;
    out.code = long(sent);
    out.errorName = MapiErrorName(long(sent));
    return out;
  }

 private:
  bool LoggedOn() {
    if (session_) return true;
    std::string profile = DefaultProfile();
    if (logon_(0, profile.empty() ? nullptr : profile.data(), nullptr, 0, 0, &session_) == SUCCESS_SUCCESS) return true;
    session_ = 0;
    if (logon_(0, nullptr, nullptr, MAPI_LOGON_UI, 0, &session_) == SUCCESS_SUCCESS) return true;
    session_ = 0;
    return false;
  }

  HMODULE library_;
  LHANDLE session_ = 0;
  LPMAPILOGOFF logoff_ = nullptr;
  LPMAPILOGON logon_ = nullptr;
  LPMAPIRESOLVENAME resolve_ = nullptr;
  LPMAPISENDMAIL send_ = nullptr;
  LPMAPIFREEBUFFER free_ = nullptr;
};

}  // namespace

bool MapiOffered() { return true; }

std::unique_ptr<MailTransport> MapiMail() {
  HMODULE library = ::LoadLibraryW(L"mapi32");
  if (!library) return nullptr;
  auto transport = std::make_unique<MapiTransport>(library);
  if (!transport->usable()) return nullptr;
  return transport;
}

}  // namespace mv
