// A recovery copy left by another program: claimed, described and restored
// whatever it holds.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/SheetWorkspace.h"
#include "store/SheetRecovery.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("mvul-fuzz-recovery-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(dir, ec)) std::filesystem::remove(e.path(), ec);
  std::ofstream(dir / ".mvul-helyreallitas-1-1.ulr", std::ios::binary)
      .write(reinterpret_cast<const char*>(data), std::streamsize(size));
  mv::Orphans orphans = mv::SheetRecovery(dir).ClaimOrphans();
  for (mv::RecoveredSheet& sheet : orphans.sheets) {
    mv::SheetWorkspace w;
    mv::SheetRecovery::Restore(w.editor, sheet, {dir}, nullptr);
    mv::SheetRecovery::Forget(sheet);
  }
  return 0;
}
