#include "platform/FileStamp.h"

#include <sys/stat.h>

namespace mv {

FileStamp StampOf(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {};
  return {std::int64_t(st.st_size), std::int64_t(st.st_mtim.tv_sec), std::int64_t(st.st_mtim.tv_nsec),
          std::uint64_t(st.st_ino)};
}

}  // namespace mv
