#include "platform/Places.h"

#include <windows.h>

#include <string>

namespace mv {

std::filesystem::path ExecutableDirectory() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (n == 0) {
      std::error_code ec;
      return std::filesystem::current_path(ec);
    }
    if (n < buffer.size()) return std::filesystem::path(buffer.substr(0, n)).parent_path();
    buffer.resize(buffer.size() * 2);
  }
}

// The program keeps its files beside itself: it is installed per user,
// into a folder the user may write, or unpacked anywhere.
std::optional<std::filesystem::path> PerUserDataDirectory() { return std::nullopt; }

bool IsWritableFolder(const std::filesystem::path& dir) {
  // Tried, as only trying tells what the folder's rights allow.
  const std::filesystem::path probe = dir / (L".mvul-" + std::to_wstring(::GetCurrentProcessId()) + L".probe");
  HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  return true;
}

bool MakePrivateDirectory(const std::filesystem::path& dir) {
  // Under the user's own folders the rights are the user's already.
  return ::CreateDirectoryW(dir.c_str(), nullptr) != 0;
}

}  // namespace mv
