// The open dialog's look at a sheet: both ends of the file, then its turn
// entries. The input's first line names a second file of the folder; the
// rest is the sheet.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "store/SheetScan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("mvul-fuzz-scan-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto cut = input.find('\n');
  const std::string_view file = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);
  std::ofstream(dir / "2345-1.ulf", std::ios::binary | std::ios::trunc)
      .write(file.data(), std::streamsize(file.size()));
  std::ofstream(dir / "2345-2.ulf", std::ios::binary | std::ios::trunc)
      .write(input.data(), std::streamsize(cut == std::string_view::npos ? input.size() : cut));
  const mv::SheetScan scan = mv::ScanSheetFolders({dir, dir});
  for (const mv::FoundSheet& sheet : scan.sheets)
    for (const mv::TurnEntry& turn : mv::TurnEntries(scan.sheets, sheet.key))
      if (turn.path.parent_path() != dir) std::abort();
  return 0;
}
