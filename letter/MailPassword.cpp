#include "letter/MailPassword.h"

#include "core/Cp1250.h"
#include "core/Secret.h"

namespace mv {
namespace {

constexpr std::string_view kSection = "SMTP";
// A stored copy "ask each time" could not remove yet.
constexpr std::string_view kLeftKey = "JelszoTorlendo";

}  // namespace

PasswordPlace ReadPasswordPlace(const IniFile& ini) {
  if (ini.Read(kSection, "JelszoKerdes") == "1") return PasswordPlace::AskEachTime;
  if (ini.Read(kSection, "JelszoKulcstartoban") == "1") return PasswordPlace::Keyring;
  return PasswordPlace::MvIni;
}

PasswordFetch FetchMailPassword(const IniFile& ini, const SmtpSettings& settings, SecretStore& store,
                                const std::optional<std::string>& given) {
  PasswordFetch out;
  if (given) {
    out.password = *given;
    return out;
  }
  switch (ReadPasswordPlace(ini)) {
    case PasswordPlace::AskEachTime: out.status = PasswordFetch::Status::MustAsk; break;
    case PasswordPlace::Keyring:
      if (store.Lookup(settings.server, settings.user, out.password) != SecretStore::Status::Ok)
        out.status = PasswordFetch::Status::KeyringUnavailable;
      break;
    case PasswordPlace::MvIni: out.password = settings.password; break;
  }
  return out;
}

PasswordSave SaveMailPassword(const IniFile& ini, const SmtpSettings& before, const SmtpSettings& after,
                              bool askEachTime, SecretStore& store) {
  PasswordSave out;
  const PasswordPlace was = ReadPasswordPlace(ini);
  const bool moved = before.server != after.server || before.user != after.user;
  if (askEachTime) {
    // Stored nowhere: every copy goes, in one call within the store's bound.
    const SecretStore::Status removed = store.RemoveAll();
    out.copyLeft = removed == SecretStore::Status::Unavailable;
    out.place = PasswordPlace::AskEachTime;
    out.changes = {IniChange::EraseKey(kSection, "Jelszo"), IniChange::Set(kSection, "JelszoKerdes", "1"),
                   IniChange::EraseKey(kSection, "JelszoKulcstartoban"),
                   out.copyLeft ? IniChange::Set(kSection, kLeftKey, "1") : IniChange::EraseKey(kSection, kLeftKey)};
    return out;
  }
  const auto inMvIni = [&] {
    out.place = PasswordPlace::MvIni;
    out.changes = {IniChange::Set(kSection, "Jelszo", after.password), IniChange::EraseKey(kSection, "JelszoKerdes"),
                   IniChange::EraseKey(kSection, "JelszoKulcstartoban")};
    return out;
  };
  // No password to keep anywhere (no login): nothing for a store to do.
  if (after.password.empty() && was != PasswordPlace::Keyring) return inMvIni();
  const SecretStore::Status stored = store.Store(after.server, after.user, after.password);
  std::string readBack;
  if (stored == SecretStore::Status::Ok &&
      store.Lookup(after.server, after.user, readBack) == SecretStore::Status::Ok && readBack == after.password) {
    if (was == PasswordPlace::Keyring && moved) store.Remove(before.server, before.user);
    out.place = PasswordPlace::Keyring;
    out.movedToKeyring = was == PasswordPlace::MvIni && !ini.Read(kSection, "Jelszo").empty();
    out.changes = {IniChange::EraseKey(kSection, "Jelszo"), IniChange::EraseKey(kSection, "JelszoKerdes"),
                   IniChange::Set(kSection, "JelszoKulcstartoban", "1")};
    WipeSecret(readBack);
    return out;
  }
  WipeSecret(readBack);
  // Only where this desktop has no store at all does mv.ini keep it.
  if (stored == SecretStore::Status::Absent) return inMvIni();
  out.place = was;
  // The store holds it but does not answer now, and no new one was typed:
  // nothing changes, and the kept one is not lost.
  if (!(was == PasswordPlace::Keyring && after.password.empty() && !moved)) out.keyringSilent = true;
  return out;
}

bool HasLeftPassword(const IniFile& ini) { return ini.Read(kSection, kLeftKey) == "1"; }

bool RemoveLeftPassword(IniFile& ini, SecretStore& store) {
  if (!HasLeftPassword(ini)) return true;
  if (store.RemoveAll() == SecretStore::Status::Unavailable) return false;
  return ini.EraseKey(kSection, kLeftKey);
}

std::string KeyringUnavailableMessage() {
  return std::string(
      "A levelezési jelszó a kulcstartóban van, de a kulcstartó most nem érhető el. Add meg a --password-stdin "
      "kapcsolóval."_w);
}

std::string KeyringSilentMessage() {
  return std::string("A kulcstartó most zárolva van vagy nem válaszol, ezért a jelszót nem mentettem el."_w);
}

std::string PasswordCopyLeftMessage() {
  return std::string(
      "A kulcstartóban tárolt jelszót most nem tudtam törölni, mert a kulcstartó zárolva van vagy nem válaszol: még "
      "ott van. A program következő indításakor újra megpróbálom."_w);
}

std::string PasswordMovedMessage() {
  return std::string("A levelezési jelszót áthelyeztem a rendszer kulcstartójába."_w);
}

std::string PasswordPlaceText(PasswordPlace place, bool keyringAnswers) {
  if (place == PasswordPlace::MvIni && keyringAnswers)
    return std::string("A jelszó mentéskor a rendszer kulcstartójába kerül."_w);
  switch (place) {
    case PasswordPlace::Keyring: return std::string("A jelszót a rendszer kulcstartója őrzi."_w);
    case PasswordPlace::AskEachTime: return std::string("A jelszót sehol sem tárolom, minden küldésnél megkérdezem."_w);
    case PasswordPlace::MvIni: break;
  }
  return std::string("A jelszó az mv.ini fájlban van, titkosítás nélkül; csak a te felhasználói fiókod olvashatja."_w);
}

}  // namespace mv
