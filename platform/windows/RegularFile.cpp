#include "platform/RegularFile.h"

#include <windows.h>

namespace mv {

RegularFile RegularFile::Open(const std::filesystem::path& path) {
  RegularFile file;
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    file.status_ =
        error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Status::Missing : Status::Unreadable;
    return file;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    file.status_ = Status::NotRegular;
    return file;
  }
  // Others may go on reading, writing and renaming it meanwhile, as on Linux.
  HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    file.status_ =
        error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Status::Missing : Status::Unreadable;
    return file;
  }
  file.handle_ = reinterpret_cast<std::intptr_t>(handle);
  // A pipe or a device under a file's name is no file.
  if (::GetFileType(handle) != FILE_TYPE_DISK) {
    file.status_ = Status::NotRegular;
    file.Close();
    return file;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(handle, &info)) {
    file.status_ = Status::Unreadable;
    file.Close();
    return file;
  }
  file.status_ = Status::Open;
  file.size_ = (std::uintmax_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  file.identity_ = {info.dwVolumeSerialNumber, (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  return file;
}

std::ptrdiff_t RegularFile::ReadAt(std::uintmax_t offset, char* into, std::size_t count) const {
  if (handle_ == -1) return -1;
  OVERLAPPED at{};
  at.Offset = DWORD(offset & 0xffffffffu);
  at.OffsetHigh = DWORD(offset >> 32);
  DWORD read = 0;
  const DWORD wanted = count > 0x40000000u ? 0x40000000u : DWORD(count);
  if (!::ReadFile(reinterpret_cast<HANDLE>(handle_), into, wanted, &read, &at))
    return ::GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
  return std::ptrdiff_t(read);
}

void RegularFile::Close() {
  if (handle_ != -1) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = -1;
}

}  // namespace mv
