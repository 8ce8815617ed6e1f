// The mail password in the Windows Credential Manager, one generic
// credential per server and user, kept for this user on this machine.
#include <windows.h>

#include <wincred.h>

#include <string>

#include "core/Cp1250.h"
#include "core/Secret.h"
#include "letter/MailPassword.h"

namespace mv {
namespace {

constexpr const wchar_t* kPrefix = L"Morvald UL: ";

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring out(std::size_t(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), size);
  return out;
}

std::string Narrow(const wchar_t* text, std::size_t length) {
  if (length == 0) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, int(length), nullptr, 0, nullptr, nullptr);
  std::string out(std::size_t(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, int(length), out.data(), size, nullptr, nullptr);
  return out;
}

// "Morvald UL: jatekos@smtp.pelda.hu" (the texts come Windows-1250).
std::wstring TargetOf(const std::string& server, const std::string& user) {
  return kPrefix + Wide(cp1250::ToUtf8(user)) + L"@" + Wide(cp1250::ToUtf8(server));
}

class CredentialStore : public SecretStore {
 public:
  Status Lookup(const std::string& server, const std::string& user, std::string& password) override {
    CREDENTIALW* found = nullptr;
    if (!::CredReadW(TargetOf(server, user).c_str(), CRED_TYPE_GENERIC, 0, &found))
      return ::GetLastError() == ERROR_NOT_FOUND ? Status::NotFound : Status::Unavailable;
    std::string utf8 =
        Narrow(reinterpret_cast<const wchar_t*>(found->CredentialBlob), found->CredentialBlobSize / sizeof(wchar_t));
    ::SecureZeroMemory(found->CredentialBlob, found->CredentialBlobSize);
    ::CredFree(found);
    password = cp1250::FromUtf8(utf8);
    WipeSecret(utf8);
    return Status::Ok;
  }

  Status Store(const std::string& server, const std::string& user, const std::string& password) override {
    std::wstring target = TargetOf(server, user), name = Wide(cp1250::ToUtf8(user));
    std::wstring secret = Wide(cp1250::ToUtf8(password));
    CREDENTIALW credential{};
    credential.Type = CRED_TYPE_GENERIC;
    credential.TargetName = target.data();
    credential.UserName = name.data();
    credential.CredentialBlob = reinterpret_cast<LPBYTE>(secret.data());
    credential.CredentialBlobSize = DWORD(secret.size() * sizeof(wchar_t));
    credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
    const bool stored = ::CredWriteW(&credential, 0) != 0;
    ::SecureZeroMemory(secret.data(), secret.size() * sizeof(wchar_t));
    return stored ? Status::Ok : Status::Unavailable;
  }

  Status Remove(const std::string& server, const std::string& user) override {
    if (::CredDeleteW(TargetOf(server, user).c_str(), CRED_TYPE_GENERIC, 0)) return Status::Ok;
    return ::GetLastError() == ERROR_NOT_FOUND ? Status::NotFound : Status::Unavailable;
  }

  Status RemoveAll() override {
    DWORD count = 0;
    CREDENTIALW** all = nullptr;
    const std::wstring filter = std::wstring(kPrefix) + L"*";
    if (!::CredEnumerateW(filter.c_str(), 0, &count, &all))
      return ::GetLastError() == ERROR_NOT_FOUND ? Status::NotFound : Status::Unavailable;
    Status status = Status::Ok;
    for (DWORD i = 0; i < count; ++i)
      if (!::CredDeleteW(all[i]->TargetName, CRED_TYPE_GENERIC, 0)) status = Status::Unavailable;
    ::CredFree(all);
    return status;
  }

  // The Credential Manager is part of every Windows and never locked.
  Status Probe() override { return Status::Ok; }
};

}  // namespace

std::unique_ptr<SecretStore> DesktopSecretStore() { return std::make_unique<CredentialStore>(); }

}  // namespace mv
