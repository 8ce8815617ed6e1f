#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace mv {

RegularFile RegularFile::Open(const std::filesystem::path& path) {
  RegularFile file;
  // O_NONBLOCK: opening a FIFO without a writer must not wait for one.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    file.status_ = errno == ENOENT || errno == ENOTDIR ? Status::Missing : Status::Unreadable;
    return file;
  }
  file.handle_ = fd;
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    file.status_ = Status::Unreadable;
    file.Close();
    return file;
  }
  if (!S_ISREG(st.st_mode)) {
    file.status_ = Status::NotRegular;
    file.Close();
    return file;
  }
  file.status_ = Status::Open;
  file.size_ = std::uintmax_t(st.st_size);
  file.identity_ = {std::uint64_t(st.st_dev), std::uint64_t(st.st_ino)};
  return file;
}

std::ptrdiff_t RegularFile::ReadAt(std::uintmax_t offset, char* into, std::size_t count) const {
  if (handle_ < 0) return -1;
  ssize_t n;
  do n = ::pread(int(handle_), into, count, off_t(offset));
  while (n < 0 && errno == EINTR);
  return n;
}

void RegularFile::Close() {
  if (handle_ >= 0) ::close(int(handle_));
  handle_ = -1;
}

}  // namespace mv
