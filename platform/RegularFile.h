// A file opened for reading that never waits: a FIFO, a device or a folder
// that stands under a sheet's or a letter's name is refused at once, not
// read (a FIFO would block the reader for ever).
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace mv {

// Which file a name reaches: two names (two folders, a link) of one file
// have the same identity.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t file = 0;
  auto operator<=>(const FileIdentity&) const = default;
};

class RegularFile {
 public:
  enum class Status { Open, Missing, NotRegular, Unreadable };

  static RegularFile Open(const std::filesystem::path& path);
  RegularFile(RegularFile&& other) noexcept;
  RegularFile& operator=(RegularFile&& other) noexcept;
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;
  ~RegularFile();

  Status status() const { return status_; }
  bool ok() const { return status_ == Status::Open; }
  std::uintmax_t size() const { return size_; }
  FileIdentity identity() const { return identity_; }
  // Up to `count` bytes from `offset`; -1 when the read failed.
  std::ptrdiff_t ReadAt(std::uintmax_t offset, char* into, std::size_t count) const;

 private:
  RegularFile() = default;
  void Close();

  std::intptr_t handle_ = -1;
  Status status_ = Status::Missing;
  std::uintmax_t size_ = 0;
  FileIdentity identity_;
};

}  // namespace mv
