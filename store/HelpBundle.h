// The help bundle: a "help" folder of HTML pages (topic + ".htm") with a
// version file. Stands in for the compiled help file and its viewer check.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mv {

struct HelpAvailability {
  std::filesystem::path folder;        // empty when help is off
  std::optional<std::string> message;  // Windows-1250, shown once at start
  bool on() const { return !folder.empty(); }
};

// The first existing folder decides: version 2 or later is usable; an older
// version, or a missing or unreadable version file, turns help off with the
// message of the old viewer check; no folder at all turns it off silently.
HelpAvailability CheckHelp(const std::vector<std::filesystem::path>& candidates);

// The page of a topic ("topic167", "pbe") within the bundle.
std::filesystem::path HelpTopicPath(const std::filesystem::path& folder, const std::string& topic);

}  // namespace mv
