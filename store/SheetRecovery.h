// The recovery copy of an unsaved sheet: kept in the program directory while
// the sheet is modified, so that a crash, a kill or a logout loses nothing.
// Each running copy of the program keeps its own, locked while it runs; a
// copy is offered back only when no running program holds it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "store/SheetDocument.h"
#include "store/TextFile.h"

namespace mv {

// A copy left by a program that no longer runs; held (locked) by us until
// restored or forgotten.
struct RecoveredSheet {
  std::filesystem::path file;
  std::filesystem::path lockFile;
  std::string content;
  // What the question names: the sheet's full path or its character and
  // turn, then the copy's time ("/lapok/2345-12.ulf, 2026.12.08. 06:49").
  std::string description;
  FileLock lock;
};

struct Orphans {
  std::vector<RecoveredSheet> sheets;  // newest first
  // Copies too large, malformed or unreadable, moved aside as "….ulr.hibas":
  // never deleted, named once.
  std::vector<std::filesystem::path> setAside;
};

class SheetRecovery {
 public:
  explicit SheetRecovery(std::filesystem::path dir);
  ~SheetRecovery();
  SheetRecovery(const SheetRecovery&) = delete;
  SheetRecovery& operator=(const SheetRecovery&) = delete;

  // Copies no running program holds.
  Orphans ClaimOrphans() const;
  // Keeps the copy in step: written all-or-nothing when the sheet is modified
  // and changed since the last write, removed when it is not modified. False
  // when the copy could not be written (errno tells why).
  bool Update(const OrderDocument& document, const std::string& characterKey);
  // The sheet was saved or deliberately given up.
  void Discard();

  // Puts a recovered sheet back: rows, turn, flags, figures and character,
  // marked modified. The file name comes back only for a .ulf in one of the
  // sheet folders that is still as the copy found it; otherwise the sheet is
  // unnamed, and the first save asks where to, so no other file is replaced.
  static FileOutcome Restore(SheetEditor& editor, const RecoveredSheet& sheet,
                             const std::vector<std::filesystem::path>& sheetFolders,
                             const CharacterLoader& loadCharacter);
  // Removes an orphan's files.
  static void Forget(RecoveredSheet& sheet);

  const std::filesystem::path& file() const { return file_; }

 private:
  std::filesystem::path dir_;
  std::filesystem::path file_;
  std::filesystem::path lockFile_;
  FileLock lock_;
  std::string written_;
};

}  // namespace mv
