// The 102 game commands: code and Hungarian name, numbered as the game does.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mv {

struct Command {
  std::string_view code;  // lower-case ASCII letters
  std::string_view name;  // Windows-1250
};

class CommandCatalogue {
 public:
  static constexpr int kCount = 102;
  // Number given to a code that is not in the catalogue.
  static constexpr int kUnknown = 103;

  // Command by number 1..kCount.
  static const Command& ByNumber(int number);
  // Number of the code after lower-casing; kUnknown when none matches.
  static int Lookup(std::string_view code);
  static bool IsKnownCommand(std::string_view code) { return Lookup(code) != kUnknown; }
  // Length of the longest code.
  static int LongestCode();
  // The help page of a command: "p" and its code; none for an unknown code.
  static std::optional<std::string> HelpTopic(std::string_view code);
};

}  // namespace mv
