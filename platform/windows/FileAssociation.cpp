// The .ulf association in the registry's classes root, for this user
// (HKEY_CURRENT_USER\Software\Classes): the file type "mvUL_fajl" with the
// open verb "megnyitás". Removal takes back exactly what was added.
#include <windows.h>

#include <shlobj.h>

#include <optional>
#include <string>

#include "store/FileAssociation.h"

namespace mv {
namespace {

// UTF-8 source, UTF-16 in the registry.
constexpr const wchar_t* kExtension = L"Software\\Classes\\.ulf";
constexpr const wchar_t* kType = L"Software\\Classes\\mvUL_fajl";
constexpr const wchar_t* kTypeName = L"mvUL_fajl";
constexpr const wchar_t* kBackup = L"mv_bak";
constexpr const wchar_t* kMadeHere = L"mv_uj";  // the .ulf key is ours: it goes with us

std::optional<std::wstring> Read(const wchar_t* key, const wchar_t* value) {
  HKEY open = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &open) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = 0, size = 0;
  std::optional<std::wstring> out;
  if (::RegQueryValueExW(open, value, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (::RegQueryValueExW(open, value, nullptr, nullptr, reinterpret_cast<LPBYTE>(text.data()), &size) ==
        ERROR_SUCCESS) {
      while (!text.empty() && text.back() == L'\0') text.pop_back();
      out = text;
    }
  }
  ::RegCloseKey(open);
  return out;
}

bool Write(const std::wstring& key, const wchar_t* value, const std::wstring& data) {
  HKEY open = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &open, nullptr) !=
      ERROR_SUCCESS)
    return false;
  const bool ok = ::RegSetValueExW(open, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                   DWORD((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  ::RegCloseKey(open);
  return ok;
}

void DeleteValue(const wchar_t* key, const wchar_t* value) {
  HKEY open = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, &open) != ERROR_SUCCESS) return;
  ::RegDeleteValueW(open, value);
  ::RegCloseKey(open);
}

// A key with nothing in it any more.
bool IsEmptyKey(const wchar_t* key) {
  HKEY open = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &open) != ERROR_SUCCESS) return false;
  DWORD subkeys = 0, values = 0;
  const bool read = ::RegQueryInfoKeyW(open, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                                       nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  ::RegCloseKey(open);
  return read && subkeys == 0 && values == 0;
}

class RegistryAssociation : public FileAssociation {
 public:
  explicit RegistryAssociation(const std::filesystem::path& executable) : executable_(executable.wstring()) {}

  bool IsPresent() const override {
    return Read(kExtension, nullptr) == std::wstring(kTypeName) &&
           Read((std::wstring(kType) + L"\\shell\\megnyitás\\command").c_str(), nullptr) == Command();  // UTF-8 source
  }

  bool Install() override {
    const std::optional<std::wstring> before = Read(kExtension, nullptr);
    HKEY probe = nullptr;
    const bool existed = ::RegOpenKeyExW(HKEY_CURRENT_USER, kExtension, 0, KEY_READ, &probe) == ERROR_SUCCESS;
    if (probe) ::RegCloseKey(probe);
    bool ok = true;
    if (before && !before->empty() && *before != kTypeName) ok = Write(kExtension, kBackup, *before);
    if (!existed) ok = Write(kExtension, kMadeHere, L"1") && ok;
    const std::wstring type = kType;
    ok = Write(kExtension, nullptr, kTypeName) && ok;
    ok = Write(type, nullptr, L"Utasitás Lap fájl") && ok;  // UTF-8 source
    ok = Write(type + L"\\Defaulticon", nullptr, executable_ + L",0") && ok;
    ok = Write(type + L"\\shell\\megnyitás", nullptr, L"&Megnyitás az UL szerkesztőben") && ok;  // UTF-8 source
    ok = Write(type + L"\\shell\\megnyitás\\command", nullptr, Command()) && ok;                 // UTF-8 source
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return ok;
  }

  bool Remove() override {
    const std::optional<std::wstring> backup = Read(kExtension, kBackup);
    const bool madeHere = Read(kExtension, kMadeHere).has_value();
    bool ok = true;
    if (backup) {
      ok = Write(kExtension, nullptr, *backup);
      DeleteValue(kExtension, kBackup);
    } else if (Read(kExtension, nullptr) == std::wstring(kTypeName)) {
      DeleteValue(kExtension, nullptr);
    }
    DeleteValue(kExtension, kMadeHere);
    if (madeHere && IsEmptyKey(kExtension)) ::RegDeleteKeyW(HKEY_CURRENT_USER, kExtension);
    const LSTATUS gone = ::RegDeleteTreeW(HKEY_CURRENT_USER, kType);
    ok = (gone == ERROR_SUCCESS || gone == ERROR_FILE_NOT_FOUND) && ok;
    ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return ok;
  }

 private:
  // The program's path quoted too: a folder name with a blank must not cut it.
  std::wstring Command() const { return L"\"" + executable_ + L"\" \"%L\""; }

  std::wstring executable_;
};

}  // namespace

std::unique_ptr<FileAssociation> DesktopAssociation(const std::filesystem::path& executable) {
  return std::make_unique<RegistryAssociation>(executable);
}

}  // namespace mv
