// The mail password in the desktop's Secret Service (GNOME Keyring,
// KWallet) through libsecret. Every call gives up after about 3 s and never
// asks the player to unlock anything.
#include <libsecret/secret.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>

#include "core/Cp1250.h"
#include "core/Secret.h"
#include "letter/MailPassword.h"

namespace mv {
namespace {

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
    Status opened = Status::Ok;
    SecretService* service = Open(watchdog, opened);
    if (!service) return opened;
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
    Status opened = Status::Ok;
    SecretService* service = Open(watchdog, opened);
    if (!service) return opened;
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

  Status Remove(const std::string& server, const std::string& user) override { return Clear(Attributes(server, user)); }

  Status RemoveAll() override {
    // Only the schema's name is matched: every password of ours.
    return Clear(g_hash_table_new_full(g_str_hash, g_str_equal, g_free, g_free));
  }

  Status Probe() override {
    Watchdog watchdog;
    Status opened = Status::Ok;
    SecretService* service = Open(watchdog, opened);
    if (service) g_object_unref(service);
    return opened;
  }

 private:
  Status Clear(GHashTable* attributes) {
    Watchdog watchdog;
    Status opened = Status::Ok;
    SecretService* service = Open(watchdog, opened);
    if (!service) {
      g_hash_table_unref(attributes);
      return opened;
    }
    GError* error = nullptr;
    const bool removed = secret_service_clear_sync(service, MailSchema(), attributes, watchdog.cancellable(), &error);
    g_hash_table_unref(attributes);
    const Status status = error ? Status::Unavailable : removed ? Status::Ok : Status::NotFound;
    if (error) g_error_free(error);
    g_object_unref(service);
    return status;
  }

  // A service object of our own: the shared one would outlive a bus that
  // went away. Nothing when it cannot be had, and why: no store on this
  // desktop at all (no session bus is set up, or nothing on it owns or can
  // start the service), or one that is there and does not answer.
  static SecretService* Open(const Watchdog& watchdog, Status& status) {
    GError* error = nullptr;
    SecretService* service = secret_service_open_sync(SECRET_TYPE_SERVICE, nullptr, SECRET_SERVICE_OPEN_SESSION,
                                                      watchdog.cancellable(), &error);
    if (!error) return service;
    const bool unknown = error->domain == G_DBUS_ERROR &&
                         (error->code == G_DBUS_ERROR_SERVICE_UNKNOWN || error->code == G_DBUS_ERROR_NAME_HAS_NO_OWNER);
    status = unknown || !SessionBusIsSetUp() ? Status::Absent : Status::Unavailable;
    g_error_free(error);
    if (service) g_object_unref(service);
    return nullptr;
  }

  static bool SessionBusIsSetUp() {
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code ec;
    return runtime && std::filesystem::exists(std::filesystem::path(runtime) / "bus", ec);
  }
};

// Each call on a thread of its own, waited for at most a little past the
// store's bound: a bus that takes the connection and never speaks (GLib
// waits 25 s for it) holds only that thread, never the caller.
class BoundedStore : public SecretStore {
 public:
  Status Lookup(const std::string& server, const std::string& user, std::string& password) override {
    return Bounded(
        [server, user](LibsecretStore& store, std::string& found) { return store.Lookup(server, user, found); },
        &password);
  }
  Status Store(const std::string& server, const std::string& user, const std::string& password) override {
    return Bounded([server, user, secret = std::string(password)](LibsecretStore& store, std::string&) mutable {
      const Status status = store.Store(server, user, secret);
      WipeSecret(secret);
      return status;
    });
  }
  Status Remove(const std::string& server, const std::string& user) override {
    return Bounded([server, user](LibsecretStore& store, std::string&) { return store.Remove(server, user); });
  }
  Status RemoveAll() override {
    return Bounded([](LibsecretStore& store, std::string&) { return store.RemoveAll(); });
  }
  Status Probe() override {
    return Bounded([](LibsecretStore& store, std::string&) { return store.Probe(); });
  }

 private:
  struct Shared {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    Status status = Status::Unavailable;
    std::string password;
  };

  template <class Call>
  static Status Bounded(Call call, std::string* password = nullptr) {
    auto shared = std::make_shared<Shared>();
    std::thread([shared, call]() mutable {
      LibsecretStore store;
      std::string found;
      const Status status = call(store, found);
      std::lock_guard lock(shared->mutex);
      shared->status = status;
      shared->password = std::move(found);
      shared->finished = true;
      shared->done.notify_one();
    }).detach();
    std::unique_lock lock(shared->mutex);
    if (!shared->done.wait_for(lock, kStoreWait + std::chrono::milliseconds(500), [&] { return shared->finished; }))
      return Status::Unavailable;
    if (password) *password = std::move(shared->password);
    WipeSecret(shared->password);
    return shared->status;
  }
};

}  // namespace

std::unique_ptr<SecretStore> DesktopSecretStore() { return std::make_unique<BoundedStore>(); }

}  // namespace mv
