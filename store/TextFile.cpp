#include "store/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>

namespace mv {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

namespace {
WriteFaultHook writeFault = nullptr;
}

void SetWriteFaultHook(WriteFaultHook hook) { writeFault = hook; }

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, unsigned newFileMode) {
  const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  std::random_device seed;
  const std::filesystem::path temp =
      dir / ("." + path.filename().string() + ".tmp" + std::to_string(seed() % 1000000));

  // Keep the permissions of a file we replace (mv.ini is private), and
  // respect a write-protected one: renaming over it would ignore that.
  mode_t mode = mode_t(newFileMode);
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
    // (root passes access(), so the mode bits decide too)
    if (::access(path.c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0) return false;
  }

  struct stat folder {};
  if (::stat(dir.c_str(), &folder) == 0 && (folder.st_mode & 0222) == 0) return false;  // a read-only folder

  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) return false;
  bool ok = true;
  std::size_t done = 0;
  const bool injectedFault = writeFault && writeFault(path);
  const std::size_t limit = injectedFault ? bytes.size() / 2 : bytes.size();
  while (ok && done < limit) {
    const ssize_t n = ::write(fd, bytes.data() + done, limit - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else done += std::size_t(n);
  }
  if (injectedFault) {
    errno = ENOSPC;
    ok = false;
  }
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace mv
