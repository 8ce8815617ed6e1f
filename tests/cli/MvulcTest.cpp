// mvulc is a stable interface: its JSON and exit codes are tested as a
// player's script sees them.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "letter/MailPassword.h"
#include "store/TextFile.h"
#include "tests/HttpSink.h"
#include "tests/KeyringSession.h"
#include "tests/SmtpSink.h"

namespace {

struct RunResult {
  int status;
  std::string out;
};

RunResult Mvulc(const std::string& args) {
  const std::string command = std::string(MVULC_PATH) + " " + args + " 2>/dev/null";
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string out;
  char buf[4096];
  while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe)) out.append(buf, n);
  const int status = ::pclose(pipe);
  return {WEXITSTATUS(status), out};
}

class MvulcTest : public ::testing::Test {
 protected:
  MvulcTest() {
    dir = std::filesystem::temp_directory_path() / ("mvulc-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
  }
  ~MvulcTest() override { std::filesystem::remove_all(dir); }
  std::string Sheet(const std::string& name, const std::string& body) {
    const auto path = dir / name;
    mv::WriteFileAtomically(path, body);
    return path.string();
  }
  std::filesystem::path dir;
};

std::string SheetWithRows(const std::string& row1, const std::string& row2) {
  std::string text = "3\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n\r\n\r\n";
  text += row1 + "\r\n" + row2 + "\r\n";
  for (int i = 3; i <= 20; ++i) text += ",,,,,,,0,0\r\n";
  return text + "0\r\n0\r\n0\r\n2345\r\n";
}

TEST_F(MvulcTest, CheckPrintsEveryRowAndTheFigures) {
  const std::string path = Sheet("a.ulf", SheetWithRows("xyz,1,2,,,,,9,4", "m,123456,,,,,,0,0"));
  const RunResult r = Mvulc("check --dir " + dir.string() + " " + path);
  ASSERT_EQ(r.status, 0);
  ASSERT_FALSE(r.out.empty());
  EXPECT_EQ(r.out.back(), '\n');
  EXPECT_EQ(r.out.rfind("{\"rows\":[{\"row\":1,\"code\":\"xyz\",\"name\":\"Ismeretlen parancs\","
                        "\"lines\":[\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"],\"tvp\":\"0\",\"kno\":\"0\"},"
                        "{\"row\":2,\"code\":\"m\",\"name\":\"Mozgás az ősök csarnokában\",",
                        0),
            0u)
      << r.out;
  EXPECT_NE(r.out.find("{\"row\":20,\"code\":\"\",\"name\":\"\""), std::string::npos);
  EXPECT_NE(r.out.find("\"check\":\"1237\",\"tvp_budget\":\"\",\"problems\":["), std::string::npos)
      << r.out;  // 1 + 2 + 1234
  EXPECT_NE(r.out.find("{\"row\":1,\"level\":\"error\",\"text\":\"ismeretlen parancs: xyz\"}"), std::string::npos)
      << r.out;
  EXPECT_TRUE(r.out.ends_with("]}\n"));
  EXPECT_NE(r.out.find("\"tvp_total\":"), std::string::npos);
}

TEST_F(MvulcTest, StrictCheckRefusesASheetWithAnError) {
  const std::string bad = Sheet("a.ulf", SheetWithRows("xyz,1,2,,,,,9,4", ",,,,,,,0,0"));
  const std::string good = Sheet("b.ulf", SheetWithRows("be,1,,,,,,0,0", ",,,,,,,0,0"));
  EXPECT_EQ(Mvulc("check --dir " + dir.string() + " " + bad).status, 0);
  EXPECT_EQ(Mvulc("check --strict --dir " + dir.string() + " " + bad).status, 1);
  const RunResult warned = Mvulc("check --dir " + dir.string() + " --strict " + good);
  EXPECT_EQ(warned.status, 0) << warned.out;  // warnings and notices never refuse
  EXPECT_EQ(Mvulc("check --strict --dir " + dir.string() + " " + (dir / "nincs.ulf").string()).status, 2);
}

// "check --strict && send" must never mail a sheet whose turn line is no turn.
TEST_F(MvulcTest, StrictCheckRefusesATurnLineThatCannotBeATurn) {
  const std::string good = SheetWithRows("be,1,,,,,,0,0", ",,,,,,,0,0");
  for (const char* turn : {"99999999999999999999", "../x", "0"}) {
    const std::string path = Sheet("t.ulf", turn + good.substr(good.find("\r\n")));
    const RunResult r = Mvulc("check --strict --dir " + dir.string() + " " + path);
    EXPECT_EQ(r.status, 1) << turn;
    EXPECT_NE(r.out.find(std::string("lehet: ") + turn + "\""), std::string::npos) << r.out;
  }
}

TEST_F(MvulcTest, BadInputGivesStatusTwoAndNoOutput) {
  const std::string broken = Sheet("b.ulf", "3\r\n0\r\nx\r\n");
  for (const std::string& args : {"check " + broken, "check " + (dir / "nincs.ulf").string(), std::string("check"),
                                  std::string("frobnicate x"), std::string("check --dir")}) {
    const RunResult r = Mvulc(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_EQ(r.out, "") << args;
  }
}

}  // namespace

namespace {

TEST_F(MvulcTest, LetterPrintsTheLetterOfTheSheetsCharacter) {
  mv::WriteFileAtomically(dir / "mv.ini",
                          "[Karakterek]\r\n2345=2345\r\n[2345]\r\nKaraktersz\xE1m=2345\r\nSz\xE1mlasz\xE1m="
                          "10001\r\nJelsz\xF3=t\xE1tok\r\n");
  const auto result = Mvulc("letter --dir " + dir.string() + " " +
                            Sheet("2345-3.ulf", SheetWithRows("be,1,,,,,,5,0", "ea,12,,,,,,0,0")));
  ASSERT_EQ(result.status, 0);
  const auto lines = mv::SplitLines(result.out);
  ASSERT_EQ(lines.size(), 29u);
  EXPECT_EQ(lines[2], "KSZ=2345");
  EXPECT_EQ(lines[3], "SZLA=10001");
  EXPECT_EQ(lines[4], "FORD=3");
  EXPECT_EQ(lines[5], "PSW=t\xE1tok");  // bytes, not converted
  EXPECT_EQ(lines[6], "C1=be 1     ");
  EXPECT_EQ(lines[7], "C2=ea 12     ");
  EXPECT_TRUE(result.out.ends_with("Post=UL Post\xE1z\xE1sa\r\n"));
}

TEST_F(MvulcTest, LetterTakesTheDeliveryFormOfTheCharacterAsTheWindowDoes) {
  mv::WriteFileAtomically(dir / "mv.ini",
                          "[Karakterek]\r\n2345=2345\r\n[2345]\r\nKaraktersz\xE1m=2345\r\nJelsz\xF3=t\r\n"
                          "K\xFCld\xE9si forma=Uuencode\r\n");
  std::string sheet = SheetWithRows("be,1,,,,,,5,0", ",,,,,,,0,0");
  sheet.replace(sheet.find("0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"), 30,
                "0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");  // the sheet says Base64
  const auto result = Mvulc("letter --dir " + dir.string() + " " + Sheet("2345-3.ulf", sheet));
  ASSERT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("KOD=UUE\r\n"), std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("KOD=B64"), std::string::npos);
}

TEST_F(MvulcTest, SendDeliversExactlyTheLetterAndSaysSo) {
  SmtpSink sink;
  ASSERT_GT(sink.port(), 0);
  const std::string smtp = "[SMTP]\r\nKiszolgalo=127.0.0.1\r\nPort=" + std::to_string(sink.port()) +
                           "\r\nTitkositas=Nincs\r\nFelado=jatekos@localhost\r\nMasolat=0\r\n"
                           "[ULKuldes]\r\nE-mail=ul@localhost\r\n";
  const std::string character = "[Karakterek]\r\n2345=2345\r\n[2345]\r\nKaraktersz\xE1m=2345\r\n";
  mv::WriteFileAtomically(dir / "mv.ini", character + "Jelsz\xF3=t\r\n" + smtp);
  const std::string sheet = Sheet("2345-3.ulf", SheetWithRows("be,1,,,,,,5,0", ",,,,,,,0,0"));
  const RunResult sent = Mvulc("send --dir " + dir.string() + " " + sheet);
  EXPECT_EQ(sent.status, 0);
  EXPECT_EQ(sent.out, "UL elküldve\n");
  ASSERT_EQ(sink.Received(), 1);
  const std::string received = *sink.Message(1);
  EXPECT_EQ(received.substr(received.find("\r\n\r\n") + 4), Mvulc("letter --dir " + dir.string() + " " + sheet).out);
  EXPECT_EQ(*sink.Envelope(1), "jatekos@localhost\nul@localhost\n");
  // What was sent is kept, byte for byte.
  const auto kept = std::filesystem::directory_iterator(dir / "elkuldve");
  ASSERT_NE(kept, std::filesystem::directory_iterator());
  EXPECT_TRUE(kept->path().filename().string().starts_with("2345-3-"));
  EXPECT_EQ(mv::ReadWholeFile(kept->path()).value_or(""), received.substr(received.find("\r\n\r\n") + 4));
  std::filesystem::remove_all(dir / "elkuldve");

  // Not delivered: 1, with the window's message on stderr.
  mv::WriteFileAtomically(dir / "mv.ini", character + "Jelsz\xF3=t\r\n");
  EXPECT_EQ(Mvulc("send --dir " + dir.string() + " " + sheet).status, 1);
  // A sheet the window could not send (no password): bad input.
  mv::WriteFileAtomically(dir / "mv.ini", character + smtp);
  EXPECT_EQ(Mvulc("send --dir " + dir.string() + " " + sheet).status, 2);
  EXPECT_EQ(sink.Received(), 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "elkuldve"));  // nothing kept for a failed send
}

// While it holds the passwords, nothing of mvulc can land in a core dump.
TEST_F(MvulcTest, SendLeavesNoCoreDump) {
  SmtpSink silent("silent");
  mv::WriteFileAtomically(dir / "mv.ini",
                          "[Karakterek]\r\n2345=2345\r\n[2345]\r\nKaraktersz\xE1m=2345\r\nJelsz\xF3=t\r\n"
                          "[SMTP]\r\nKiszolgalo=127.0.0.1\r\nPort=" +
                              std::to_string(silent.port()) + "\r\nTitkositas=Nincs\r\nFelado=a@localhost\r\n");
  const std::string sheet = Sheet("2345-3.ulf", SheetWithRows("be,1,,,,,,5,0", ",,,,,,,0,0"));
  const pid_t child = ::fork();
  if (child == 0) {
    const std::string d = dir.string();
    ::execl(MVULC_PATH, "mvulc", "send", "--dir", d.c_str(), sheet.c_str(), nullptr);
    ::_exit(127);
  }
  std::string limits;
  for (int i = 0; i < 50 && limits.find("Max core file size") == std::string::npos; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    limits = mv::ReadWholeFile("/proc/" + std::to_string(child) + "/limits").value_or("");
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  const auto line = limits.substr(limits.find("Max core file size"));
  EXPECT_TRUE(line.substr(0, line.find('\n')).find(" 0 ") != std::string::npos) << line.substr(0, line.find('\n'));
}

TEST_F(MvulcTest, HelpAndVersion) {
  const RunResult help = Mvulc("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("mvulc send"), std::string::npos);
  EXPECT_EQ(Mvulc("--version").out, "mvulc 2.3.14\n");  // as command-line tools say it
}

TEST_F(MvulcTest, LetterOfABrokenSheetFails) {
  EXPECT_EQ(Mvulc("letter --dir " + dir.string() + " " + Sheet("x.ulf", "3\r\nx\r\n")).status, 2);
  EXPECT_EQ(Mvulc("letter").status, 2);
}

}  // namespace

namespace {

TEST_F(MvulcTest, ImportWritesTheConvertedSheetAndPrintsItsPath) {
  std::vector<std::string> lines(31, std::string(60, ' '));
  lines[2].replace(6, 4, "2345");
  lines[2].replace(52, 2, "17");
  lines[6].replace(6, 2, "be");
  lines[6].replace(12, 1, "1");
  const std::string oul = Sheet("in.oul", mv::JoinLines(lines));
  const auto result = Mvulc("import --dir " + dir.string() + " " + oul);
  ASSERT_EQ(result.status, 0);
  EXPECT_EQ(result.out, (dir / "2345-17i.ulf").string() + "\n");
  const auto check = Mvulc("check --dir " + dir.string() + " " + (dir / "2345-17i.ulf").string());
  EXPECT_EQ(check.status, 0);
  EXPECT_NE(check.out.find("\"code\":\"be\""), std::string::npos);
  EXPECT_EQ(Mvulc("import --dir " + dir.string() + " " + Sheet("bad.oul", "x\r\n")).status, 2);
}

}  // namespace

namespace {

// A stored character 2345 with a password, mailing through the sink.
std::string CharacterWithMail(int port) {
  return "[Karakterek]\r\n2345=2345\r\n2346=2346\r\n[2345]\r\nKaraktersz\xE1m=2345\r\nKaraktern\xE9v=A\r\n"
         "Jelsz\xF3=t\r\n[2346]\r\nKaraktersz\xE1m=2346\r\n[SMTP]\r\nKiszolgalo=127.0.0.1\r\nPort=" +
         std::to_string(port) +
         "\r\nTitkositas=Nincs\r\nFelado=jatekos@localhost\r\nMasolat=0\r\n[ULKuldes]\r\nE-mail=ul@localhost\r\n";
}

std::string SheetOfTurn(const std::string& turn, const std::string& row1) {
  std::string text = SheetWithRows(row1, ",,,,,,,0,0");
  return turn + text.substr(text.find("\r\n"));
}

TEST_F(MvulcTest, NextWritesTheNextTurnBesideTheSheetAndNeverOverwrites) {
  mv::WriteFileAtomically(dir / "mv.ini", CharacterWithMail(25));
  const std::string sheet = Sheet("2345-3.ulf", SheetOfTurn("3", "be,1,,,,,,0,0"));
  const RunResult next = Mvulc("next --dir " + dir.string() + " " + sheet);
  ASSERT_EQ(next.status, 0);
  EXPECT_EQ(next.out, (dir / "2345-4.ulf").string() + "\n");
  const std::string written = mv::ReadWholeFile(dir / "2345-4.ulf").value_or("");
  EXPECT_TRUE(written.starts_with("4\r\n")) << written;
  EXPECT_NE(written.find("be,1,,,,,,5,0\r\n"), std::string::npos);  // costs interpreted again

  // Never over a sheet of that turn, whatever its name, nor over the name.
  std::filesystem::rename(dir / "2345-4.ulf", dir / "masik.ulf");
  EXPECT_EQ(Mvulc("next --dir " + dir.string() + " " + sheet).status, 2);
  std::filesystem::rename(dir / "masik.ulf", dir / "2345-4.ulf");
  mv::WriteFileAtomically(dir / "2345-4.ulf", "sajat\r\n");
  EXPECT_EQ(Mvulc("next --dir " + dir.string() + " " + sheet).status, 2);
  EXPECT_EQ(mv::ReadWholeFile(dir / "2345-4.ulf"), "sajat\r\n");
  // Neither a turn that is none nor a character without a number.
  EXPECT_EQ(Mvulc("next --dir " + dir.string() + " " + Sheet("x.ulf", SheetOfTurn("x", "be,1"))).status, 2);
  std::string unnumbered = SheetOfTurn("3", "be,1");
  unnumbered.replace(unnumbered.rfind("2345"), 4, "");
  EXPECT_EQ(Mvulc("next --dir " + dir.string() + " " + Sheet("y.ulf", unnumbered)).status, 2);
}

TEST_F(MvulcTest, StatusGivesEachCharactersCurrentSheet) {
  mv::WriteFileAtomically(dir / "mv.ini", CharacterWithMail(25));
  Sheet("2345-3.ulf", SheetOfTurn("3", "be,1,,,,,,5,0"));
  Sheet("2345-4.ulf", SheetOfTurn("4", "xyz,1,,,,,,0,0"));
  const RunResult status = Mvulc("status --dir " + dir.string());
  ASSERT_EQ(status.status, 0);
  EXPECT_EQ(status.out,
            "{\"characters\":[{\"character\":\"2345\",\"name\":\"A\",\"turn\":\"4\",\"state\":\"errors\","
            "\"sheet\":\"2345-4.ulf\",\"errors\":1,\"can_send\":true,\"tvp_total\":\"0\",\"tvp_budget\":\"\","
            "\"sent\":\"\"},{\"character\":\"2346\",\"name\":\"\",\"turn\":\"\",\"state\":\"missing\",\"sheet\":\"\","
            "\"errors\":0,\"can_send\":false,\"tvp_total\":\"\",\"tvp_budget\":\"\",\"sent\":\"\"}]}\n");
  // An earlier turn never sent is history, not a sheet ready to go.
  const RunResult third = Mvulc("status --dir " + dir.string() + " --turn 3");
  EXPECT_NE(third.out.find("\"turn\":\"3\",\"state\":\"not_sent\",\"sheet\":\"2345-3.ulf\""), std::string::npos)
      << third.out;
  EXPECT_EQ(Mvulc("status --dir " + dir.string() + " --turn 0").status, 2);
  // Kept letters that cannot be looked at: not known, never "ready".
  mv::WriteFileAtomically(dir / "elkuldve", "no folder");
  const RunResult unknown = Mvulc("status --dir " + dir.string());
  EXPECT_NE(unknown.out.find("\"turn\":\"4\",\"state\":\"unknown\""), std::string::npos) << unknown.out;
}

// A sheet already sent goes again only when told; Ctrl-C or SIGTERM stops
// a run as Mégse does.
TEST_F(MvulcTest, SendAsksForAgainAndStopsCleanlyOnSigterm) {
  SmtpSink sink;
  mv::WriteFileAtomically(dir / "mv.ini", CharacterWithMail(sink.port()));
  const std::string a = Sheet("2345-3.ulf", SheetOfTurn("3", "be,1,,,,,,5,0"));
  const std::string b = Sheet("2345-4.ulf", SheetOfTurn("4", "e,,,,,,,0,0"));
  ASSERT_EQ(Mvulc("send --dir " + dir.string() + " " + a).status, 0);
  const std::string refused = std::string(MVULC_PATH) + " send --dir " + dir.string() + " " + a + " 2>&1";
  FILE* pipe = ::popen(refused.c_str(), "r");
  char buf[512];
  const std::string said(buf, std::fread(buf, 1, sizeof buf, pipe));
  EXPECT_EQ(WEXITSTATUS(::pclose(pipe)), 2);
  EXPECT_TRUE(said.starts_with("Ezt az UL-t már elküldted (")) << said;
  EXPECT_NE(said.find("2345-3.ulf. Újra a --again kapcsolóval küldheted."), std::string::npos) << said;
  EXPECT_EQ(sink.Received(), 1);
  EXPECT_EQ(Mvulc("send --again --dir " + dir.string() + " " + a).status, 0);
  EXPECT_EQ(sink.Received(), 2);

  // The first letter goes out whole and the server falls silent: SIGTERM.
  SmtpSink silent("hang-after-data");
  mv::WriteFileAtomically(dir / "mv.ini", CharacterWithMail(silent.port()));
  std::filesystem::remove_all(dir / "elkuldve");
  const std::string command = "timeout --preserve-status -s TERM 2 " + std::string(MVULC_PATH) + " send --dir " +
                              dir.string() + " " + a + " " + b + " 2>" + (dir / "err").string();
  const auto start = std::chrono::steady_clock::now();
  const int status = WEXITSTATUS(std::system(command.c_str()));
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 6.0);
  EXPECT_EQ(status, 1);
  const std::string err = mv::ReadWholeFile(dir / "err").value_or("");
  EXPECT_NE(err.find("2345-3.ulf: lehet, hogy megérkezett"), std::string::npos) << err;
  EXPECT_NE(err.find("2345-4.ulf: nem ment el: a küldés előbb megszakadt"), std::string::npos) << err;
  int kept = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir / "elkuldve"))
    kept += e.path().filename().string().ends_with("-bizonytalan.eul");
  EXPECT_EQ(kept, 1);
}

TEST_F(MvulcTest, SendTakesSeveralSheetsThroughOneConnection) {
  SmtpSink sink;
  ASSERT_GT(sink.port(), 0);
  mv::WriteFileAtomically(dir / "mv.ini", CharacterWithMail(sink.port()));
  const std::string a = Sheet("2345-3.ulf", SheetOfTurn("3", "be,1,,,,,,5,0"));
  const std::string b = Sheet("2345-4.ulf", SheetOfTurn("4", "e,,,,,,,0,0"));
  std::string noPassword = SheetOfTurn("4", "e,,,,,,,0,0");
  noPassword.replace(noPassword.rfind("2345"), 4, "2346");
  const std::string other = Sheet("2346-4.ulf", noPassword);
  // One sheet that could not be sent: nothing goes.
  EXPECT_EQ(Mvulc("send --dir " + dir.string() + " " + a + " " + other).status, 2);
  EXPECT_EQ(sink.Received(), 0);

  const RunResult sent = Mvulc("send --dir " + dir.string() + " " + a + " " + b);
  EXPECT_EQ(sent.status, 0);
  EXPECT_EQ(sent.out, "2345-3.ulf: UL elküldve\n2345-4.ulf: UL elküldve\n");
  EXPECT_EQ(sink.Received(), 2);
  const std::string commands = sink.Commands();
  EXPECT_EQ(commands.find("EHLO"), commands.rfind("EHLO")) << commands;  // one connection
  std::size_t kept = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir / "elkuldve")) kept += e.path().extension() == ".eul";
  EXPECT_EQ(kept, 2u);
  const RunResult status = Mvulc("status --dir " + dir.string());
  EXPECT_NE(status.out.find("\"state\":\"sent\""), std::string::npos) << status.out;
}

}  // namespace

namespace {

TEST_F(MvulcTest, MailSetupPrintsTheServerFoundForTheAddress) {
  HttpSink http;
  ASSERT_GT(http.Base().size(), 0u);
  http.Serve("ispdb/pelda.hu",
             "<clientConfig version=\"1.1\"><emailProvider id=\"pelda.hu\"><outgoingServer type=\"smtp\">"
             "<hostname>smtp.pelda.hu</hostname><port>465</port><socketType>SSL</socketType>"
             "<authentication>password-cleartext</authentication><username>%EMAILLOCALPART%</username>"
             "</outgoingServer></emailProvider></clientConfig>");
  const std::string env = "MVUL_AUTOCONFIG_TEST_BASE=" + http.Base() + " ";
  const auto run = [&](const std::string& args) {
    const std::string command = env + MVULC_PATH + " " + args + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string out;
    char buf[512];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe)) out.append(buf, n);
    return RunResult{WEXITSTATUS(::pclose(pipe)), out};
  };
  const RunResult found = run("mail-setup jatekos@pelda.hu");
  EXPECT_EQ(found.status, 0);
  EXPECT_EQ(found.out,
            "{\"server\":\"smtp.pelda.hu\",\"port\":\"465\",\"security\":\"TLS\",\"user\":\"jatekos\","
            "\"source\":\"" +
                http.Base() + "/ispdb/pelda.hu\"}\n");
  EXPECT_EQ(run("mail-setup jatekos@masik.hu").status, 1);  // nothing found
  EXPECT_EQ(run("mail-setup nem-cim").status, 2);
  EXPECT_EQ(run("mail-setup").status, 2);
}

}  // namespace

namespace {

// The mail password kept in the keyring, in mv.ini, or asked each time, as
// mvulc send finds it.
TEST_F(MvulcTest, SendFindsTheMailPasswordWhereItIsKept) {
  if (!KeyringSession::Get().ok()) GTEST_SKIP() << "no gnome-keyring";
  SmtpSink sink("starttls");
  ASSERT_GT(sink.port(), 0);
  const std::string character = "[Karakterek]\r\n2345=2345\r\n[2345]\r\nKaraktersz\xE1m=2345\r\nJelsz\xF3=t\r\n";
  const std::string smtp = "[SMTP]\r\nKiszolgalo=127.0.0.1\r\nPort=" + std::to_string(sink.port()) +
                           "\r\nTitkositas=STARTTLS\r\nFelhasznalo=jatekos\r\nFelado=jatekos@localhost\r\n"
                           "Masolat=0\r\nCAFajl=" +
                           sink.CaFile() + "\r\n[ULKuldes]\r\nE-mail=ul@localhost\r\n";
  const std::string sheet = Sheet("2345-3.ulf", SheetWithRows("be,1,,,,,,5,0", ",,,,,,,0,0"));
  const auto send = [&](const std::string& before, const std::string& options = {}) {
    const std::string command = before + " " + MVULC_PATH + " send --dir " + dir.string() + " " + options + " " +
                                sheet + " >/dev/null 2>" + (dir / "err").string();
    return WEXITSTATUS(std::system(command.c_str()));
  };
  const std::string nowhere = "DBUS_SESSION_BUS_ADDRESS=" + KeyringSession::Nowhere();

  // In the keyring: read from there.
  ASSERT_EQ(mv::DesktopSecretStore()->Store("127.0.0.1", "jatekos", "jelsz\xF3"), mv::SecretStore::Status::Ok);
  mv::WriteFileAtomically(dir / "mv.ini", character + smtp + "[SMTP]\r\nJelszoKulcstartoban=1\r\n");
  EXPECT_EQ(send(""), 0) << mv::ReadWholeFile(dir / "err").value_or("");
  EXPECT_EQ(sink.Received(), 1);
  // ... but the keyring cannot be reached (cron, ssh): its own failure, not a refused login.
  EXPECT_EQ(send(nowhere, "--again"), 1);
  EXPECT_EQ(mv::ReadWholeFile(dir / "err").value_or(""),
            "A levelezési jelszó a kulcstartóban van, de a kulcstartó most nem érhető el. Add meg a "
            "--password-stdin kapcsolóval.\n");
  // No store at all: mv.ini keeps it, as before.
  mv::WriteFileAtomically(dir / "mv.ini", character + smtp + "[SMTP]\r\nJelszo=jelsz\xF3\r\n");
  EXPECT_EQ(send(nowhere, "--again"), 0);
  // Asked each time: only from standard input.
  mv::WriteFileAtomically(dir / "mv.ini", character + smtp + "[SMTP]\r\nJelszoKerdes=1\r\n");
  EXPECT_EQ(send(nowhere, "--again"), 2);
  EXPECT_EQ(send("printf 'jelszó\\n' |", "--password-stdin --again"), 0);
  EXPECT_EQ(send("printf 'rossz\\n' |", "--password-stdin --again"), 1);  // a refused login
  EXPECT_EQ(sink.Received(), 3);
}

TEST_F(MvulcTest, DiffPrintsTheRowsThatDifferAndSaysBySomeExitWhetherAny) {
  mv::WriteFileAtomically(dir / "mv.ini", CharacterWithMail(25));
  const std::string before = Sheet("2345-11.ulf", SheetOfTurn("11", "be,1,,,,,,0,0"));
  const std::string after = Sheet("2345-12.ulf", SheetOfTurn("12", "ea,12,,,,,,0,0"));
  const std::string d = "diff --dir " + dir.string() + " ";
  const RunResult diff = Mvulc(d + before + " " + after);
  EXPECT_EQ(diff.status, 1);
  EXPECT_EQ(diff.out,
            "{\"rows\":[{\"a\":1,\"change\":\"removed\"},{\"b\":1,\"change\":\"added\"}],"
            "\"tvp_a\":\"5\",\"tvp_b\":\"5\",\"fields\":[\"FORD\"]}\n");
  EXPECT_EQ(Mvulc(d + after + " " + after).out, "{\"rows\":[],\"tvp_a\":\"5\",\"tvp_b\":\"5\",\"fields\":[]}\n");
  EXPECT_EQ(Mvulc(d + after + " " + after).status, 0);
  // Against what went: nothing kept yet is bad input, then the kept letter.
  EXPECT_EQ(Mvulc("diff --sent --dir " + dir.string() + " " + after).status, 2);
  std::filesystem::create_directories(dir / "elkuldve");
  mv::WriteFileAtomically(dir / "elkuldve" / "2345-12-20261208-064900.eul",
                          "VERSION=MV1.2\r\nKSZ=2345\r\nFORD=12\r\nPSW=t\r\nC1=ea 13     \r\nPREKAR=\r\nPREFORD=\r\n");
  const RunResult sent = Mvulc("diff --sent --dir " + dir.string() + " " + after);
  EXPECT_EQ(sent.status, 1);
  EXPECT_NE(sent.out.find("{\"a\":1,\"b\":1,\"change\":\"changed\",\"params\":[1]}"), std::string::npos) << sent.out;
  for (const std::string& bad : {d + after, d + after + " " + (dir / "nincs.ulf").string(), "diff --sent " + d})
    EXPECT_EQ(Mvulc(bad).status, 2) << bad;
}

TEST_F(MvulcTest, SearchFindsCodesValuesAndNamesInEveryTurn) {
  mv::WriteFileAtomically(dir / "mv.ini", CharacterWithMail(25));
  mv::WriteFileAtomically(dir / "targyak.dat", "T\xE1rgyak\r\n12 \xC1rny\xE9k kardja\r\n");
  Sheet("2345-11.ulf", SheetOfTurn("11", "be,1,,,,,,0,0"));
  Sheet("2345-12.ulf", SheetOfTurn("12", "ea,12,,,,,,0,0"));
  const std::string s = "search --dir " + dir.string() + " ";
  const RunResult found = Mvulc(s + "'\xC3\xA1rny\xC3\xA9k'");  // "árnyék", UTF-8 on the command line
  EXPECT_EQ(found.status, 0);
  EXPECT_EQ(found.out,
            "{\"results\":[{\"character\":\"2345\",\"turn\":\"12\",\"sheet\":\"2345-12.ulf\","
            "\"row\":1,\"code\":\"ea\",\"name\":\"T\xC3\xA1rgy elad\xC3\xA1sa\"}]}\n");
  EXPECT_EQ(Mvulc(s + "arnyek").status, 1);
  EXPECT_EQ(Mvulc(s + "arnyek").out, "{\"results\":[]}\n");
  EXPECT_EQ(Mvulc(s + "--fold arnyek").status, 0);
  EXPECT_NE(Mvulc(s + "be").out.find("\"turn\":\"11\""), std::string::npos);
  EXPECT_EQ(Mvulc(s + "\"  \"").status, 2);
  EXPECT_EQ(Mvulc(s).status, 2);
}

}  // namespace
