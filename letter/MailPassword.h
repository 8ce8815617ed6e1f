// Where the mail (SMTP) password is kept: the desktop's secret store when
// it answers, else mv.ini as before; or nowhere, asked before each send.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "letter/SmtpTransport.h"
#include "store/IniFile.h"

namespace mv {

// The desktop's secret store (the Secret Service), as far as the mail
// password needs it. Every call gives up after about 3 s and never asks the
// player to unlock anything.
class SecretStore {
 public:
  enum class Status { Ok, NotFound, Unavailable };
  virtual ~SecretStore() = default;
  virtual Status Lookup(const std::string& server, const std::string& user, std::string& password) = 0;
  virtual Status Store(const std::string& server, const std::string& user, const std::string& password) = 0;
  virtual Status Remove(const std::string& server, const std::string& user) = 0;
};

// The Secret Service through libsecret.
std::unique_ptr<SecretStore> DesktopSecretStore();

enum class PasswordPlace { MvIni, Keyring, AskEachTime };
// [SMTP] JelszoKerdes=1: asked each time; JelszoKulcstartoban=1: in the store.
PasswordPlace ReadPasswordPlace(const IniFile& ini);

// The password a send uses: given (from standard input or a question),
// else from where it is kept.
struct PasswordFetch {
  enum class Status { Ok, MustAsk, KeyringUnavailable };
  Status status = Status::Ok;
  std::string password;  // Windows-1250, for Ok
};
PasswordFetch FetchMailPassword(const IniFile& ini, const SmtpSettings& settings, SecretStore& store,
                                const std::optional<std::string>& given = std::nullopt);

// Keeps the password of the settings where it belongs, after the rest of the
// settings were written: in the store when it answers (only after reading
// it back is the copy in mv.ini removed; a change of server or user name
// moves the entry), in mv.ini when no store answers, nowhere when it is to
// be asked each time (stored copies are removed).
struct PasswordSave {
  PasswordPlace place = PasswordPlace::MvIni;
  bool movedToKeyring = false;  // it was in mv.ini before
  bool written = true;
};
PasswordSave SaveMailPassword(IniFile& ini, const SmtpSettings& before, const SmtpSettings& after, bool askEachTime,
                              SecretStore& store);

// What the player reads (Windows-1250).
std::string KeyringUnavailableMessage();
std::string PasswordMovedMessage();
std::string PasswordPlaceText(PasswordPlace place);

}  // namespace mv
