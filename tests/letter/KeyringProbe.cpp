// A helper of the keyring tests, run in a process of its own so that each
// run sees the session bus its environment names (GLib keeps the first one
// a process uses):
//   KeyringProbe probe              the store's status
//   KeyringProbe remove-all         removes every password of ours
//   KeyringProbe save DIR PASSWORD  saves the mail password of DIR/mv.ini as
//                                   the options' OK does, and prints the outcome
#include <cstdio>
#include <string>

#include "letter/MailPassword.h"

namespace {

const char* Name(mv::SecretStore::Status status) {
  switch (status) {
    case mv::SecretStore::Status::Ok: return "ok";
    case mv::SecretStore::Status::NotFound: return "not-found";
    case mv::SecretStore::Status::Unavailable: return "unavailable";
    case mv::SecretStore::Status::Absent: break;
  }
  return "absent";
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  const auto store = mv::DesktopSecretStore();
  if (command == "probe") {
    std::printf("%s\n", Name(store->Probe()));
    return 0;
  }
  if (command == "remove-all") {
    std::printf("%s\n", Name(store->RemoveAll()));
    return 0;
  }
  if (command == "save" && argc == 4) {
    mv::IniFile ini(std::string(argv[2]) + "/mv.ini");
    const mv::SmtpSettings before = mv::ReadSmtpSettings(ini);
    mv::SmtpSettings after = before;
    after.password = argv[3];
    const mv::PasswordSave saved = mv::SaveMailPassword(ini, before, after, false, *store);
    if (!ini.Apply(saved.changes)) return 1;
    std::printf("%s%s\n",
                saved.place == mv::PasswordPlace::Keyring ? "keyring"
                : saved.place == mv::PasswordPlace::MvIni ? "mv.ini"
                                                          : "ask",
                saved.keyringSilent ? " silent" : "");
    return 0;
  }
  return 2;
}
