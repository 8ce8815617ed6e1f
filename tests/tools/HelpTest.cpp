// The help bundle check, the generated pages and their links, and the about
// box's texts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <regex>

#include "core/CommandCatalogue.h"
#include "core/Cp1250.h"
#include "store/HelpBundle.h"
#include "store/SystemInfo.h"
#include "store/TextFile.h"
#include "tools/HelpExamples.h"

namespace mv {
namespace {
namespace fs = std::filesystem;

TEST(HelpBundleTest, TheVersionFileDecides) {
  const fs::path dir = fs::temp_directory_path() / ("mvul-help-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  EXPECT_FALSE(CheckHelp({dir}).on());
  EXPECT_FALSE(CheckHelp({dir}).message);  // no bundle: silently off
  fs::create_directories(dir);
  const struct {
    const char* version;  // nullptr: no version file
    bool on;
    const char* messageStart;
  } cases[] = {{nullptr, false, "Hiba! Nincs, vagy"},
               {"MVHELP 1\r\n", false, "Hiba! Nem megfelel"},
               {"valami\r\n", false, "Hiba! Nincs, vagy"},
               {"MVHELP x\r\n", false, "Hiba! Nincs, vagy"},
               {"MVHELP 2\r\n", true, nullptr},
               {"MVHELP 3\r\n", true, nullptr}};
  for (const auto& c : cases) {
    fs::remove(dir / "mvhelp.ver");
    if (c.version) {
      ASSERT_TRUE(WriteFileAtomically(dir / "mvhelp.ver", c.version));
    }
    const HelpAvailability help = CheckHelp({dir / "missing", dir});
    EXPECT_EQ(help.on(), c.on) << (c.version ? c.version : "none");
    if (c.messageStart) {
      ASSERT_TRUE(help.message);
      EXPECT_TRUE(help.message->starts_with(c.messageStart));
      EXPECT_NE(help.message->find("olvassel.txt"), std::string::npos);
    } else {
      EXPECT_FALSE(help.message);
    }
  }
  fs::remove_all(dir);
}

TEST(HelpPagesTest, EveryCommandHasAPageAndEveryLinkResolves) {
  const fs::path help = HELP_DIR;
  ASSERT_TRUE(CheckHelp({help}).on());
  for (int n = 1; n <= CommandCatalogue::kCount; ++n) {
    const std::string code(CommandCatalogue::ByNumber(n).code);
    const auto page = ReadWholeFile(HelpTopicPath(help, "p" + code));
    ASSERT_TRUE(page) << code;
    const std::string name =
        std::regex_replace(std::string(CommandCatalogue::ByNumber(n).name), std::regex("\""), "&quot;");
    EXPECT_NE(page->find("<h1>" + name + "</h1>"), std::string::npos) << code;
    EXPECT_NE(page->find("Param"), std::string::npos) << code;
  }
  const std::regex link("href=\"([^\"]+)\"");
  int links = 0;
  for (const auto& entry : fs::directory_iterator(help)) {
    if (entry.path().extension() != ".htm") continue;
    const std::string page = *ReadWholeFile(entry.path());
    EXPECT_NE(page.find("windows-1250"), std::string::npos);
    for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it, ++links)
      EXPECT_TRUE(fs::exists(help / (*it)[1].str())) << entry.path() << " -> " << (*it)[1];
  }
  EXPECT_GT(links, 300);
  const auto readme = ReadWholeFile(help.parent_path() / "olvassel.txt");
  ASSERT_TRUE(readme);
  EXPECT_NE(readme->find("\r\n"), std::string::npos);
  EXPECT_NE(readme->find(cp1250::FromUtf8("használati útmutató")), std::string::npos);
}

// The examples on the pages are what the program shows: read back from the
// generated pages and run through the interpreter again.
TEST(HelpPagesTest, EveryCommandPageHasExamplesThatTheInterpreterConfirms) {
  const fs::path help = HELP_DIR;
  const std::regex example(
      R"(<pre class="pelda-sorok">([^<]*)</pre>[\s\S]*?<span class="pelda-tvp">([^<]*)</span>, KNO: <span class="pelda-kno">([^<]*)</span>)");
  int total = 0;
  for (int n = 1; n <= CommandCatalogue::kCount; ++n) {
    const std::string code(CommandCatalogue::ByNumber(n).code);
    const std::string page = ReadWholeFile(HelpTopicPath(help, "p" + code)).value_or("");
    EXPECT_NE(page.find("<h2>P\xE9ld\xE1k</h2>"), std::string::npos) << code;
    EXPECT_EQ(page.find("annyiszorosa.</p>\n<hr>"), std::string::npos) << code << ": the old footer";
    int count = 0;
    for (std::sregex_iterator it(page.begin(), page.end(), example), end; it != end; ++it, ++count) {
      const help::Example rows = SplitLines((*it)[1].str());
      const help::Shown shown = help::RunExample(rows);
      EXPECT_EQ((*it)[2].str(), shown.tvp) << code << ": " << (*it)[1].str();
      EXPECT_EQ((*it)[3].str(), shown.kno) << code << ": " << (*it)[1].str();
      // (texts with characters HTML escapes are left to the escaping)
      std::vector<std::string> texts(shown.lines.begin(), shown.lines.end());
      texts.push_back(shown.name);
      for (const std::string& line : texts)
        if (!line.empty() && line.find_first_of("<>&\"") == std::string::npos) {
          EXPECT_NE(page.find(line, std::size_t(it->position())), std::string::npos) << code << ": " << line;
        }
    }
    EXPECT_GE(count, 1) << code;
    EXPECT_LE(count, 4) << code;
    total += count;
  }
  EXPECT_GT(total, 102);
  // Where the cost follows the repeat rule the page says so, and where it
  // does not it says the cost is fixed (checked on the commands players ask about).
  const struct {
    const char* code;
    const char* says;
  } rules[] = {{"az", "Ha a sor f\xF6l\xF6tt ism parancs \xE1ll, a k\xF6lts\xE9g annyiszorosa."},
               {"sz", "annyiszorosa."},
               {"auk", "A k\xF6lts\xE9g r\xF6gz\xEDtett"},
               {"fel", "A k\xF6lts\xE9g r\xF6gz\xEDtett"},
               {"ucs", "A k\xF6lts\xE9g r\xF6gz\xEDtett"},
               {"ea", "A k\xF6lts\xE9g r\xF6gz\xEDtett"},
               {"bsz", "A k\xF6lts\xE9g r\xF6gz\xEDtett"}};
  for (const auto& r : rules)
    EXPECT_NE(ReadWholeFile(HelpTopicPath(help, std::string("p") + r.code)).value_or("").find(r.says),
              std::string::npos)
        << r.code;
}

TEST(SystemInfoTest, OurOwnSystemName) {
  EXPECT_EQ(LinuxOsName("Debian GNU/Linux 12 (bookworm)", "Linux", "6.1.0"),
            "Debian GNU/Linux 12 (bookworm) (Linux 6.1.0)");
  EXPECT_EQ(LinuxOsName("", "Linux", "6.1.0"), "Linux (Linux 6.1.0)");
  EXPECT_EQ(FormatKilobytes(16318432, ' '), "16 318 432 KB");
  EXPECT_EQ(FormatKilobytes(999, '.'), "999 KB");
  EXPECT_FALSE(CurrentOsName().empty());
  ASSERT_TRUE(CurrentMemory());
  EXPECT_GT(CurrentMemory()->totalKilobytes, 0u);
}

}  // namespace
}  // namespace mv
