// The mail password in a real Secret Service (gnome-keyring on a private
// D-Bus session the test starts): saved, read back, moved out of mv.ini,
// moved with the server, and never kept when asked each time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "core/Cp1250.h"
#include "letter/MailPassword.h"
#include "store/IniFile.h"
#include "tests/KeyringSession.h"
#include "tests/ServerProcess.h"
#include "tests/TempDir.h"

namespace mv {
namespace {

class KeyringTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    if (!KeyringSession::Get().ok()) GTEST_SKIP() << "no gnome-keyring";
  }
  static SmtpSettings Settings(const std::string& server, const std::string& password) {
    SmtpSettings s;
    s.server = server;
    s.user = "jatekos";
    s.password = password;
    return s;
  }
  // As the options' OK does: the keyring's part, then mv.ini's in one write.
  static PasswordSave Save(IniFile& ini, const SmtpSettings& before, const SmtpSettings& after, bool ask,
                           SecretStore& store) {
    PasswordSave saved = SaveMailPassword(ini, before, after, ask, store);
    EXPECT_TRUE(ini.Apply(saved.changes));
    return saved;
  }
  // Whether any file of the program directory holds the text.
  bool AnyFileHolds(const std::string& text) {
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir_))
      if (e.is_regular_file() && Read(e.path()).find(text) != std::string::npos) return true;
    return false;
  }
};

TEST_F(KeyringTest, ThePasswordMovesOutOfMvIniIntoTheStoreAndFollowsTheServer) {
  WriteFileAtomically(dir_ / "mv.ini", "[SMTP]\r\nKiszolgalo=a.pelda.hu\r\nFelhasznalo=jatekos\r\nJelszo=titok-1\r\n");
  IniFile ini(dir_ / "mv.ini");
  const auto store = DesktopSecretStore();
  const SmtpSettings before = ReadSmtpSettings(ini);
  EXPECT_EQ(ReadPasswordPlace(ini), PasswordPlace::MvIni);

  const PasswordSave saved = Save(ini, before, before, false, *store);
  EXPECT_EQ(saved.place, PasswordPlace::Keyring);
  EXPECT_TRUE(saved.movedToKeyring);
  EXPECT_FALSE(AnyFileHolds("titok-1"));  // nowhere in the program directory
  IniFile again(dir_ / "mv.ini");
  const PasswordFetch fetched = FetchMailPassword(again, ReadSmtpSettings(again), *store);
  ASSERT_EQ(fetched.status, PasswordFetch::Status::Ok);
  EXPECT_EQ(fetched.password, "titok-1");

  // Another server: the entry moves with it.
  const SmtpSettings after = Settings("b.pelda.hu", "titok-2");
  EXPECT_FALSE(Save(again, before, after, false, *store).movedToKeyring);
  std::string found;
  EXPECT_EQ(store->Lookup("a.pelda.hu", "jatekos", found), SecretStore::Status::NotFound);
  EXPECT_EQ(store->Lookup("b.pelda.hu", "jatekos", found), SecretStore::Status::Ok);
  EXPECT_EQ(found, "titok-2");
  // A password given for one send wins and is not kept.
  EXPECT_EQ(FetchMailPassword(again, after, *store, std::string("egyszeri")).password, "egyszeri");

  // Asked each time: stored nowhere, and the store's copy goes.
  EXPECT_EQ(Save(again, after, after, true, *store).place, PasswordPlace::AskEachTime);
  EXPECT_EQ(store->Lookup("b.pelda.hu", "jatekos", found), SecretStore::Status::NotFound);
  EXPECT_EQ(FetchMailPassword(again, after, *store).status, PasswordFetch::Status::MustAsk);
  EXPECT_FALSE(AnyFileHolds("titok-2"));
}

}  // namespace
}  // namespace mv

namespace mv {
namespace {

// A store in a state: none at all (a bare window manager), or one that is
// there but locked or silent.
class FixedStore : public SecretStore {
 public:
  explicit FixedStore(Status status) : status_(status) {}
  Status Lookup(const std::string&, const std::string&, std::string&) override { return status_; }
  Status Store(const std::string&, const std::string&, const std::string&) override { return status_; }
  Status Remove(const std::string&, const std::string&) override { return status_; }
  Status RemoveAll() override { return status_; }
  Status Probe() override { return status_; }

 private:
  Status status_;
};

using NoKeyringTest = TempDirTest;

TEST_F(NoKeyringTest, WithoutAStoreMvIniKeepsThePasswordAndSaysWhere) {
  IniFile ini(dir_ / "mv.ini");
  FixedStore none(SecretStore::Status::Absent);
  SmtpSettings s;
  s.server = "a.pelda.hu";
  s.user = "jatekos";
  s.password = "titok";
  PasswordSave saved = SaveMailPassword(ini, s, s, false, none);
  ASSERT_TRUE(ini.Apply(saved.changes));
  EXPECT_EQ(saved.place, PasswordPlace::MvIni);
  EXPECT_FALSE(saved.movedToKeyring);
  EXPECT_EQ(ini.Read("SMTP", "Jelszo"), "titok");
  EXPECT_EQ(FetchMailPassword(ini, ReadSmtpSettings(ini), none).password, "titok");
  EXPECT_NE(PasswordPlaceText(ReadPasswordPlace(ini)).find("mv.ini"), std::string::npos);
  EXPECT_NE(PasswordPlaceText(PasswordPlace::MvIni, true).find(cp1250::FromUtf8("kulcstartójába kerül")),
            std::string::npos);
}

// A store that is there but locked or silent never sends the password into
// mv.ini, nor loses the one it keeps.
TEST_F(NoKeyringTest, ALockedOrSilentStoreTakesNothingAndGivesNothingUp) {
  ASSERT_TRUE(WriteFileAtomically(dir_ / "mv.ini",
                                  "[SMTP]\r\nKiszolgalo=a.pelda.hu\r\nFelhasznalo=jatekos\r\n"
                                  "JelszoKulcstartoban=1\r\n"));
  IniFile ini(dir_ / "mv.ini");
  FixedStore silent(SecretStore::Status::Unavailable);
  const SmtpSettings before = ReadSmtpSettings(ini);
  EXPECT_EQ(FetchMailPassword(ini, before, silent).status, PasswordFetch::Status::KeyringUnavailable);
  SmtpSettings typed = before;
  typed.password = "uj-titok";
  const PasswordSave saved = SaveMailPassword(ini, before, typed, false, silent);
  EXPECT_TRUE(saved.keyringSilent);
  EXPECT_TRUE(saved.changes.empty());
  EXPECT_EQ(saved.place, PasswordPlace::Keyring);
  // Saving the settings with nothing typed (the page could not read it) keeps it where it is, without a word.
  const PasswordSave kept = SaveMailPassword(ini, before, before, false, silent);
  EXPECT_FALSE(kept.keyringSilent);
  EXPECT_TRUE(kept.changes.empty());
  // Asked each time: the copy that could not be removed is said, and tried again later.
  PasswordSave ask = SaveMailPassword(ini, before, before, true, silent);
  EXPECT_TRUE(ask.copyLeft);
  ASSERT_TRUE(ini.Apply(ask.changes));
  EXPECT_TRUE(HasLeftPassword(ini));
  EXPECT_FALSE(RemoveLeftPassword(ini, silent));
  FixedStore answering(SecretStore::Status::NotFound);
  EXPECT_TRUE(RemoveLeftPassword(ini, answering));
  EXPECT_FALSE(HasLeftPassword(ini));
  EXPECT_EQ(Read(dir_ / "mv.ini").find("uj-titok"), std::string::npos);
}

// The real store on every kind of desktop: none at all, a bus that went
// away, a keyring that stopped answering. Each probe is a process of its
// own, on the bus its environment names.
TEST_F(KeyringTest, EveryDesktopIsToldApartAndASilentOneIsBounded) {
  const auto run = [](const std::string& env, const std::string& args) {
    FILE* pipe = ::popen((env + " " + KEYRING_PROBE + " " + args + " 2>/dev/null").c_str(), "r");
    char buf[128] = "";
    const std::size_t n = std::fread(buf, 1, sizeof buf - 1, pipe);
    ::pclose(pipe);
    std::string out(buf, n);
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
  };
  BareBus bare;
  ASSERT_FALSE(bare.address().empty());
  EXPECT_EQ(run("", "probe"), "ok");
  EXPECT_EQ(run("DBUS_SESSION_BUS_ADDRESS=" + bare.address(), "probe"), "absent");
  EXPECT_EQ(run("env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR=/nonexistent DISPLAY=", "probe"), "absent");
  EXPECT_EQ(run("DBUS_SESSION_BUS_ADDRESS=" + KeyringSession::Nowhere(), "probe"), "unavailable");
  {
    // A bus that takes the connection and never says a word.
    const std::string socket = (dir_ / "hanging-bus").string();
    ServerProcess hanging({"-c", "import socket,sys\ns=socket.socket(socket.AF_UNIX)\ns.bind('" + socket +
                                     "')\ns.listen()\nprint(0,flush=True)\nc=s.accept()\nsys.stdin.read()"});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(run("DBUS_SESSION_BUS_ADDRESS=unix:path=" + socket, "probe"), "unavailable");
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0);
  }

  // Where there is no store at all, mv.ini keeps it; where the bus went away, nothing does.
  ASSERT_TRUE(WriteFileAtomically(dir_ / "mv.ini", "[SMTP]\r\nKiszolgalo=a.pelda.hu\r\nFelhasznalo=jatekos\r\n"));
  EXPECT_EQ(run("DBUS_SESSION_BUS_ADDRESS=" + KeyringSession::Nowhere(), "save " + dir_.string() + " titok-3"),
            "mv.ini silent");
  EXPECT_FALSE(AnyFileHolds("titok-3"));
  EXPECT_EQ(run("DBUS_SESSION_BUS_ADDRESS=" + bare.address(), "save " + dir_.string() + " titok-3"), "mv.ini");
  EXPECT_TRUE(AnyFileHolds("titok-3"));

  // The keyring stops answering: each step gives up within its bound.
  const pid_t daemon = KeyringSession::Get().KeyringDaemon();
  ASSERT_GT(daemon, 0);
  ASSERT_TRUE(WriteFileAtomically(dir_ / "mv.ini", "[SMTP]\r\nKiszolgalo=a.pelda.hu\r\nFelhasznalo=jatekos\r\n"));
  ::kill(daemon, SIGSTOP);
  const auto start = std::chrono::steady_clock::now();
  const std::string removed = run("", "remove-all");
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const std::string saved = run("", "save " + dir_.string() + " titok-4");
  ::kill(daemon, SIGCONT);
  EXPECT_EQ(removed, "unavailable");
  EXPECT_LT(seconds, 4.5);
  EXPECT_EQ(saved, "mv.ini silent");
  EXPECT_FALSE(AnyFileHolds("titok-4"));
}

}  // namespace
}  // namespace mv
