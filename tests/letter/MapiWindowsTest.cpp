// Simple MAPI against the stand-in "mapi32" of tests/windows: what the mail
// program is given, in which order, and what each of its answers becomes.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/Cp1250.h"
#include "letter/MapiMail.h"
#include "platform/Paths.h"
#include "tests/TempDir.h"

namespace mv {
namespace {

using namespace std::string_literals;

class MapiWindowsTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    ASSERT_TRUE(::SetDllDirectoryW(PathFromUtf8(FAKE_MAPI_DIR).wstring().c_str()));
    log_ = dir_ / "mapi.log";
    ::SetEnvironmentVariableW(L"MVUL_FAKE_MAPI_LOG", log_.wstring().c_str());
  }
  void TearDown() override {
    ::SetEnvironmentVariableW(L"MVUL_FAKE_MAPI", nullptr);
    ::SetEnvironmentVariableW(L"MVUL_FAKE_MAPI_LOG", nullptr);
    ::SetDllDirectoryW(nullptr);
    TempDirTest::TearDown();
  }
  std::vector<SendOutcome> Run(const char* script, std::size_t letters = 1) {
    std::filesystem::remove(log_);
    ::SetEnvironmentVariableA("MVUL_FAKE_MAPI", script);
    SmtpSettings settings;
    settings.viaMapi = true;
    std::vector<MailMessage> messages;
    for (std::size_t i = 0; i < letters; ++i)
      messages.push_back({"ul@morvald.hu", "UL 2001/" + std::to_string(i + 1), std::string("Őrült ÁRVÍZ\r\n"_w)});
    return TransportFor(settings)->SendAll(messages);
  }
  std::string Log() const {
    std::ifstream in(log_, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::filesystem::path log_;
};

TEST_F(MapiWindowsTest, EachAnswerOfTheMailProgramBecomesItsOutcome) {
  ASSERT_TRUE(MapiOffered());
  const struct {
    const char* script;
    SendOutcome::Status status;
    long code;
    std::string log;  // the calls, in order, as the stand-in wrote them
  } kCases[] = {
      {"", SendOutcome::Status::Sent, 0,
       "logon (null) 0\nresolve 42 ul@morvald.hu 0\nfree\nsend 42 0 UL 2001/1 1 1:ul@morvald.hu:fake-entry\n"},
      // The default profile refused: once more with the mail program's logon.
      {"logon=3,0", SendOutcome::Status::Sent, 0,
       "logon (null) 0\nlogon (null) 1\nresolve 42 ul@morvald.hu 0\nfree\nsend 42 0 UL 2001/1 1 "
       "1:ul@morvald.hu:fake-entry\n"},
      {"logon=3,3", SendOutcome::Status::NoMailProgram, 0, "logon (null) 0\nlogon (null) 1\n"},
      // Unknown, then resolved with the dialog.
      {"resolve=14,0", SendOutcome::Status::Sent, 0,
       "logon (null) 0\nresolve 42 ul@morvald.hu 0\nresolve 42 ul@morvald.hu 8\nfree\nsend 42 0 UL 2001/1 1 "
       "1:ul@morvald.hu:fake-entry\n"},
      // Still unresolved: the record stays empty, the mail program decides.
      {"resolve=21,21;send=25", SendOutcome::Status::SendError, 25,
       "logon (null) 0\nresolve 42 ul@morvald.hu 0\nresolve 42 ul@morvald.hu 8\nsend 42 0 UL 2001/1 1 0:(null):\n"},
      // The player closed the mail program's window: nothing went.
      {"send=1", SendOutcome::Status::SendError, 1,
       "logon (null) 0\nresolve 42 ul@morvald.hu 0\nfree\nsend 42 0 UL 2001/1 1 1:ul@morvald.hu:fake-entry\n"},
      {"send=7", SendOutcome::Status::SendError, 7,
       "logon (null) 0\nresolve 42 ul@morvald.hu 0\nfree\nsend 42 0 UL 2001/1 1 1:ul@morvald.hu:fake-entry\n"},
  };
  for (const auto& c : kCases) {
    const std::vector<SendOutcome> outcomes = Run(c.script);
    ASSERT_EQ(outcomes.size(), 1u) << c.script;
    EXPECT_EQ(outcomes[0].status, c.status) << c.script;
    EXPECT_EQ(outcomes[0].code, c.code) << c.script;
    std::string calls;
    std::istringstream lines(Log());
    for (std::string line; std::getline(lines, line);)
      if (line.rfind("body ", 0) != 0 && !line.empty() && line != "\r") calls += line + "\n";
    // The session is always closed, once, when one was opened.
    const bool opened = c.status != SendOutcome::Status::NoMailProgram;
    EXPECT_EQ(calls, c.log + (opened ? "logoff 42\n" : "")) << c.script;
  }
  EXPECT_EQ(SendOutcomeMessage(Run("send=7")[0]), "Mailer error: Unknown error (code: 7)");
}

TEST_F(MapiWindowsTest, TheTextGoesInTheLettersOwnBytesAndARunLogsOnOnce) {
  const std::vector<SendOutcome> outcomes = Run("send=0,14,0", 3);
  ASSERT_EQ(outcomes.size(), 3u);
  // One letter refused does not stop the others.
  EXPECT_TRUE(outcomes[0].sent());
  EXPECT_EQ(outcomes[1].errorName, "MAPI_E_UNKNOWN_RECIPIENT");
  EXPECT_TRUE(outcomes[2].sent());
  const std::string log = Log();
  EXPECT_EQ(log.find("logon"), log.rfind("logon"));
  EXPECT_NE(log.find("body " + std::string("Őrült ÁRVÍZ\r\n"_w)), std::string::npos);
  EXPECT_NE(log.find("UL 2001/3"), std::string::npos);
  EXPECT_EQ(log.find("logoff"), log.rfind("logoff"));
}

}  // namespace
}  // namespace mv
