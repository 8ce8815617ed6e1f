// Where the mail (SMTP) password is kept: the desktop's secret store when
// it answers, else mv.ini as before; or nowhere, asked before each send.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "letter/SmtpTransport.h"
#include "store/IniFile.h"

namespace mv {

// The desktop's secret store (the Secret Service), as far as the mail
// password needs it. Every call gives up after about 3 s and never asks the
// player to unlock anything.
class SecretStore {
 public:
  // Unavailable: there is a store, but it is locked or does not answer now.
  // Absent: this desktop has no store at all.
  enum class Status { Ok, NotFound, Unavailable, Absent };
  virtual ~SecretStore() = default;
  virtual Status Lookup(const std::string& server, const std::string& user, std::string& password) = 0;
  virtual Status Store(const std::string& server, const std::string& user, const std::string& password) = 0;
  // Every mail password of ours, whatever its server and user.
  virtual Status RemoveAll() = 0;
  virtual Status Remove(const std::string& server, const std::string& user) = 0;
  // Whether a store is there and answers.
  virtual Status Probe() = 0;
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

// Keeps the password of the settings where it belongs, and says what
// mv.ini must hold for it; the caller writes those changes together with
// the rest of the settings, in one write. In the store when it answers
// (only after reading it back is the copy in mv.ini removed; a change of
// server or user name moves the entry); in mv.ini only where this desktop
// has no store at all; nowhere when it is to be asked each time (every
// stored copy is removed, within one bound). A store that is there but
// locked or silent takes nothing and gives nothing up: the password is not
// saved and the mail settings stay as they were.
struct PasswordSave {
  PasswordPlace place = PasswordPlace::MvIni;
  bool movedToKeyring = false;     // it was in mv.ini before
  bool keyringSilent = false;      // not saved: write none of the mail settings
  bool copyLeft = false;           // asked each time, but the stored copy is still there
  std::vector<IniChange> changes;  // for mv.ini
};
PasswordSave SaveMailPassword(const IniFile& ini, const SmtpSettings& before, const SmtpSettings& after,
                              bool askEachTime, SecretStore& store);

// At start: a stored copy that "ask each time" could not remove before is
// removed now; true when there is none left to remove (mv.ini is told).
bool RemoveLeftPassword(IniFile& ini, SecretStore& store);
bool HasLeftPassword(const IniFile& ini);

// What the player reads (Windows-1250).
std::string KeyringUnavailableMessage();
std::string KeyringSilentMessage();
std::string PasswordCopyLeftMessage();
std::string PasswordMovedMessage();
// Where the password is; where it will go when the page is saved while a
// store answers and mv.ini is the place now.
std::string PasswordPlaceText(PasswordPlace place, bool keyringAnswers = false);

}  // namespace mv
