#include "platform/FileStamp.h"

#include <windows.h>

namespace mv {

FileStamp StampOf(const std::filesystem::path& path) {
  HANDLE file =
      ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  BY_HANDLE_FILE_INFORMATION info{};
  const bool ok = ::GetFileInformationByHandle(file, &info);
  ::CloseHandle(file);
  if (!ok) return {};
  // 100 ns steps since 1601.
  const std::int64_t ticks =
      (std::int64_t(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime;
  return {(std::int64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow, ticks / 10000000 - 11644473600LL,
          (ticks % 10000000) * 100, (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

}  // namespace mv
