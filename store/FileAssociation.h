// The ".ulf" file association: which program the desktop starts for an
// order sheet. The settings dialog ticks it on or off; "--uninstall" removes
// it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace mv {

class FileAssociation {
 public:
  virtual ~FileAssociation() = default;
  virtual bool IsPresent() const = 0;
  // Both return false when a file could not be written.
  virtual bool Install() = 0;
  virtual bool Remove() = 0;
};

// This desktop's way, for the program file `executable`: the freedesktop
// one on Linux, the classes root of the registry (for this user) on Windows.
std::unique_ptr<FileAssociation> DesktopAssociation(const std::filesystem::path& executable);

// The freedesktop way: a MIME type for "*.ulf" (named after "mvUL_fajl"), a
// .desktop entry that opens the file with the program, and the program made
// the type's default in mimeapps.list. A default that another program held
// is remembered and given back on removal.
class FreedesktopAssociation : public FileAssociation {
 public:
  FreedesktopAssociation(std::filesystem::path dataHome, std::filesystem::path configHome,
                         std::filesystem::path executable);
  // $XDG_DATA_HOME / $XDG_CONFIG_HOME, or their defaults under $HOME.
  static FreedesktopAssociation ForCurrentUser(const std::filesystem::path& executable);

  bool IsPresent() const override;
  bool Install() override;
  bool Remove() override;

  static constexpr const char* kMimeType = "application/x-mvul-fajl";
  static constexpr const char* kDesktopFile = "mvUL_fajl.desktop";

  std::filesystem::path MimePackage() const { return dataHome_ / "mime" / "packages" / "mvUL_fajl.xml"; }
  std::filesystem::path DesktopEntry() const { return dataHome_ / "applications" / kDesktopFile; }
  std::filesystem::path MimeApps() const { return configHome_ / "mimeapps.list"; }
  std::filesystem::path Backup() const { return dataHome_ / "mvul" / "mv_bak"; }

 private:
  std::string ExecLine() const;

  std::filesystem::path dataHome_;
  std::filesystem::path configHome_;
  std::filesystem::path executable_;
};

}  // namespace mv
