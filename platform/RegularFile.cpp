// What a regular file handle does the same way on every platform: it moves,
// and it closes when it goes. Opening, reading and closing are each platform's.
#include "platform/RegularFile.h"

namespace mv {

RegularFile::RegularFile(RegularFile&& other) noexcept
    : handle_(other.handle_), status_(other.status_), size_(other.size_), identity_(other.identity_) {
  other.handle_ = -1;
}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    status_ = other.status_;
    size_ = other.size_;
    identity_ = other.identity_;
    other.handle_ = -1;
  }
  return *this;
}

RegularFile::~RegularFile() { Close(); }

}  // namespace mv
