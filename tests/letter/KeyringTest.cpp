// The mail password in a real Secret Service (gnome-keyring on a private
// D-Bus session the test starts): saved, read back, moved out of mv.ini,
// moved with the server, and never kept when asked each time.
#include <gtest/gtest.h>

#include "letter/MailPassword.h"
#include "store/IniFile.h"
#include "tests/KeyringSession.h"
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

  const PasswordSave saved = SaveMailPassword(ini, before, before, false, *store);
  EXPECT_EQ(saved.place, PasswordPlace::Keyring);
  EXPECT_TRUE(saved.movedToKeyring);
  EXPECT_FALSE(AnyFileHolds("titok-1"));  // nowhere in the program directory
  IniFile again(dir_ / "mv.ini");
  const PasswordFetch fetched = FetchMailPassword(again, ReadSmtpSettings(again), *store);
  ASSERT_EQ(fetched.status, PasswordFetch::Status::Ok);
  EXPECT_EQ(fetched.password, "titok-1");

  // Another server: the entry moves with it.
  const SmtpSettings after = Settings("b.pelda.hu", "titok-2");
  EXPECT_FALSE(SaveMailPassword(again, before, after, false, *store).movedToKeyring);
  std::string found;
  EXPECT_EQ(store->Lookup("a.pelda.hu", "jatekos", found), SecretStore::Status::NotFound);
  EXPECT_EQ(store->Lookup("b.pelda.hu", "jatekos", found), SecretStore::Status::Ok);
  EXPECT_EQ(found, "titok-2");
  // A password given for one send wins and is not kept.
  EXPECT_EQ(FetchMailPassword(again, after, *store, std::string("egyszeri")).password, "egyszeri");

  // Asked each time: stored nowhere, and the store's copy goes.
  EXPECT_EQ(SaveMailPassword(again, after, after, true, *store).place, PasswordPlace::AskEachTime);
  EXPECT_EQ(store->Lookup("b.pelda.hu", "jatekos", found), SecretStore::Status::NotFound);
  EXPECT_EQ(FetchMailPassword(again, after, *store).status, PasswordFetch::Status::MustAsk);
  EXPECT_FALSE(AnyFileHolds("titok-2"));
}

}  // namespace
}  // namespace mv

namespace mv {
namespace {

// A store that never answers, as on a bare window manager.
class NoStore : public SecretStore {
 public:
  Status Lookup(const std::string&, const std::string&, std::string&) override { return Status::Unavailable; }
  Status Store(const std::string&, const std::string&, const std::string&) override { return Status::Unavailable; }
  Status Remove(const std::string&, const std::string&) override { return Status::Unavailable; }
};

using NoKeyringTest = TempDirTest;

TEST_F(NoKeyringTest, WithoutAStoreMvIniKeepsThePasswordAndSaysWhere) {
  IniFile ini(dir_ / "mv.ini");
  NoStore none;
  SmtpSettings s;
  s.server = "a.pelda.hu";
  s.user = "jatekos";
  s.password = "titok";
  const PasswordSave saved = SaveMailPassword(ini, s, s, false, none);
  EXPECT_EQ(saved.place, PasswordPlace::MvIni);
  EXPECT_FALSE(saved.movedToKeyring);
  EXPECT_EQ(ini.Read("SMTP", "Jelszo"), "titok");
  EXPECT_EQ(FetchMailPassword(ini, ReadSmtpSettings(ini), none).password, "titok");
  EXPECT_NE(PasswordPlaceText(ReadPasswordPlace(ini)).find("mv.ini"), std::string::npos);
  // Marked as kept in the store, but the store does not answer: its own failure.
  ASSERT_TRUE(ini.Apply({IniChange::Set("SMTP", "JelszoKulcstartoban", "1"), IniChange::EraseKey("SMTP", "Jelszo")}));
  EXPECT_EQ(FetchMailPassword(ini, ReadSmtpSettings(ini), none).status, PasswordFetch::Status::KeyringUnavailable);
  // Saving the settings then (the page could not read it) keeps it where it is.
  s.password.clear();
  EXPECT_EQ(SaveMailPassword(ini, s, s, false, none).place, PasswordPlace::Keyring);
  EXPECT_EQ(ini.Read("SMTP", "JelszoKulcstartoban"), "1");
  EXPECT_FALSE(ini.Has("SMTP", "Jelszo"));
}

}  // namespace
}  // namespace mv
