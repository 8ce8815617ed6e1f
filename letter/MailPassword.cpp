#include "letter/MailPassword.h"

#include <libsecret/secret.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/Cp1250.h"

namespace mv {
namespace {

constexpr std::string_view kSection = "SMTP";
constexpr std::chrono::seconds kStoreWait{3};

const SecretSchema* MailSchema() {
  static const SecretSchema schema = {"hu.morvald.mvul.SmtpPassword",
                                      SECRET_SCHEMA_NONE,
                                      {{"server", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                       {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                       {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
                                      0,
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr,
                                      nullptr};
  return &schema;
}

// Cancels a call that takes longer than the store may.
class Watchdog {
 public:
  Watchdog() : cancellable_(g_cancellable_new()), thread_([this] { Watch(); }) {}
  ~Watchdog() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    wake_.notify_one();
    thread_.join();
    g_object_unref(cancellable_);
  }
  GCancellable* cancellable() const { return cancellable_; }

 private:
  void Watch() {
    std::unique_lock lock(mutex_);
    if (!wake_.wait_for(lock, kStoreWait, [this] { return done_; })) g_cancellable_cancel(cancellable_);
  }
  GCancellable* cancellable_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  std::thread thread_;
};

GHashTable* Attributes(const std::string& server, const std::string& user) {
  // The attributes are UTF-8; mv.ini keeps Windows-1250.
  return secret_attributes_build(MailSchema(), "server", cp1250::ToUtf8(server).c_str(), "user",
                                 cp1250::ToUtf8(user).c_str(), nullptr);
}

class LibsecretStore : public SecretStore {
 public:
  Status Lookup(const std::string& server, const std::string& user, std::string& password) override {
    Watchdog watchdog;
    SecretService* service = Open(watchdog);
    if (!service) return Status::Unavailable;
    GHashTable* attributes = Attributes(server, user);
    GError* error = nullptr;
    // No SECRET_SEARCH_UNLOCK: a locked item is reported, never unlocked.
    GList* items = secret_service_search_sync(service, MailSchema(), attributes, SECRET_SEARCH_LOAD_SECRETS,
                                              watchdog.cancellable(), &error);
    g_hash_table_unref(attributes);
    Status status = error ? Status::Unavailable : Status::NotFound;
    if (items) {
      auto* item = static_cast<SecretItem*>(items->data);
      SecretValue* value = secret_item_get_locked(item) ? nullptr : secret_item_get_secret(item);
      if (value) {
        password = cp1250::FromUtf8(secret_value_get_text(value) ? secret_value_get_text(value) : "");
        secret_value_unref(value);
        status = Status::Ok;
      } else {
        status = Status::Unavailable;  // there, but locked
      }
    }
    g_list_free_full(items, g_object_unref);
    if (error) g_error_free(error);
    g_object_unref(service);
    return status;
  }

  Status Store(const std::string& server, const std::string& user, const std::string& password) override {
    Watchdog watchdog;
    SecretService* service = Open(watchdog);
    if (!service) return Status::Unavailable;
    GHashTable* attributes = Attributes(server, user);
    SecretValue* value = secret_value_new(cp1250::ToUtf8(password).c_str(), -1, "text/plain");
    GError* error = nullptr;
    const std::string label = "Morvald UL: " + cp1250::ToUtf8(user) + " @ " + cp1250::ToUtf8(server);
    const bool stored = secret_service_store_sync(service, MailSchema(), attributes, SECRET_COLLECTION_DEFAULT,
                                                  label.c_str(), value, watchdog.cancellable(), &error);
    secret_value_unref(value);
    g_hash_table_unref(attributes);
    if (error) g_error_free(error);
    g_object_unref(service);
    return stored ? Status::Ok : Status::Unavailable;
  }

  Status Remove(const std::string& server, const std::string& user) override {
    Watchdog watchdog;
    SecretService* service = Open(watchdog);
    if (!service) return Status::Unavailable;
    GHashTable* attributes = Attributes(server, user);
    GError* error = nullptr;
    const bool removed = secret_service_clear_sync(service, MailSchema(), attributes, watchdog.cancellable(), &error);
    g_hash_table_unref(attributes);
    const Status status = error ? Status::Unavailable : removed ? Status::Ok : Status::NotFound;
    if (error) g_error_free(error);
    g_object_unref(service);
    return status;
  }

 private:
  // A service object of our own: the shared one would outlive a bus that
  // went away.
  static SecretService* Open(const Watchdog& watchdog) {
    GError* error = nullptr;
    SecretService* service = secret_service_open_sync(SECRET_TYPE_SERVICE, nullptr, SECRET_SERVICE_OPEN_SESSION,
                                                      watchdog.cancellable(), &error);
    if (error) {
      g_error_free(error);
      if (service) g_object_unref(service);
      return nullptr;
    }
    return service;
  }
};

}  // namespace

std::unique_ptr<SecretStore> DesktopSecretStore() { return std::make_unique<LibsecretStore>(); }

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

PasswordSave SaveMailPassword(IniFile& ini, const SmtpSettings& before, const SmtpSettings& after, bool askEachTime,
                              SecretStore& store) {
  PasswordSave out;
  const PasswordPlace was = ReadPasswordPlace(ini);
  const bool moved = before.server != after.server || before.user != after.user;
  if (askEachTime) {
    // Stored nowhere: every copy goes.
    if (was == PasswordPlace::Keyring) store.Remove(before.server, before.user);
    store.Remove(after.server, after.user);
    out.place = PasswordPlace::AskEachTime;
    out.written = ini.Apply({IniChange::EraseKey(kSection, "Jelszo"), IniChange::Set(kSection, "JelszoKerdes", "1"),
                             IniChange::EraseKey(kSection, "JelszoKulcstartoban")});
    return out;
  }
  std::string readBack;
  const bool inStore = store.Store(after.server, after.user, after.password) == SecretStore::Status::Ok &&
                       store.Lookup(after.server, after.user, readBack) == SecretStore::Status::Ok &&
                       readBack == after.password;
  if (inStore) {
    if (was == PasswordPlace::Keyring && moved) store.Remove(before.server, before.user);
    out.place = PasswordPlace::Keyring;
    out.movedToKeyring = was == PasswordPlace::MvIni && !ini.Read(kSection, "Jelszo").empty();
    out.written = ini.Apply({IniChange::EraseKey(kSection, "Jelszo"), IniChange::EraseKey(kSection, "JelszoKerdes"),
                             IniChange::Set(kSection, "JelszoKulcstartoban", "1")});
    return out;
  }
  // The store holds it but does not answer now, and no new one was typed:
  // nothing to move, and the kept one must not be lost.
  if (was == PasswordPlace::Keyring && after.password.empty() && !moved) {
    out.place = PasswordPlace::Keyring;
    return out;
  }
  // No store answers: mv.ini (private to the player) keeps it, as before.
  out.place = PasswordPlace::MvIni;
  out.written =
      ini.Apply({IniChange::Set(kSection, "Jelszo", after.password), IniChange::EraseKey(kSection, "JelszoKerdes"),
                 IniChange::EraseKey(kSection, "JelszoKulcstartoban")});
  return out;
}

std::string KeyringUnavailableMessage() {
  return std::string(
      "A levelezési jelszó a kulcstartóban van, de a kulcstartó most nem érhető el. Add meg a --password-stdin "
      "kapcsolóval."_w);
}

std::string PasswordMovedMessage() {
  return std::string("A levelezési jelszót áthelyeztem a rendszer kulcstartójába."_w);
}

std::string PasswordPlaceText(PasswordPlace place) {
  switch (place) {
    case PasswordPlace::Keyring: return std::string("A jelszót a rendszer kulcstartója őrzi."_w);
    case PasswordPlace::AskEachTime: return std::string("A jelszót sehol sem tárolom, minden küldésnél megkérdezem."_w);
    case PasswordPlace::MvIni: break;
  }
  return std::string("A jelszó az mv.ini fájlban van, titkosítás nélkül; csak a te felhasználói fiókod olvashatja."_w);
}

}  // namespace mv
