// The one send run: "UL küldése", "Összes elküldése" and `mvulc send` hand
// it their letters and a password source, and get one result per letter
// back, in words that come from here. Every letter the server accepts is
// kept in elkuldve/ at once, before the goodbye; one that went out whole
// without the server's answer is kept apart as unconfirmed.
#pragma once

#include <atomic>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "letter/MailPassword.h"
#include "letter/SmtpTransport.h"
#include "store/IniFile.h"
#include "store/SentArchive.h"

namespace mv {

// One letter of a run.
struct RunLetter {
  std::string character, turn;  // Windows-1250, as the letter carries them
  std::string letter;           // its bytes, CR LF lines
  std::string name;             // what the progress names: "2346-13.ulf"
};

struct LetterResult {
  enum class Kind { Sent, Unconfirmed, NotSent, NotReached };
  Kind kind = Kind::NotReached;  // NotReached: the run stopped before it
  SendOutcome outcome;           // for Sent, Unconfirmed and NotSent
  bool copyNotKept = false;      // it went out, but elkuldve/ could not keep it
  bool wentOut() const { return kind == Kind::Sent || kind == Kind::Unconfirmed; }
};

// Where the run's mail password comes from.
enum class PasswordNeed { AskedEachTime, KeyringUnavailable };
struct PasswordSource {
  std::optional<std::string> given;  // standard input: used as it is
  // The window's question, for a password not kept or out of reach;
  // nothing: the player gave up. Without it such a run does not start.
  std::function<std::optional<std::string>(PasswordNeed need, const std::string& user)> ask;
};

// The settings with the password the run goes with.
struct PasswordStep {
  enum class Status { Ok, GaveUp, MustAsk, KeyringUnavailable };
  Status status = Status::Ok;
  SmtpSettings smtp;
};
PasswordStep PasswordForRun(const IniFile& ini, SmtpSettings smtp, PasswordSource& source, SecretStore& store);

// Where the letters go: mv.ini's mail settings and the order mailbox.
struct MailRoute {
  SmtpSettings smtp;
  std::string recipient;
};
MailRoute MailRouteOf(const IniFile& ini);

struct SendRunHooks {
  // Before each letter: "2/3: 2346-13.ulf" (Windows-1250).
  std::function<void(const std::string& progress)> say;
  // After each letter tried, once it is kept.
  std::function<void(std::size_t index, const LetterResult& result)> done;
};

struct SendRunReport {
  PasswordStep::Status start = PasswordStep::Status::Ok;  // not Ok: nothing was tried
  std::vector<LetterResult> letters;                      // one per letter, in order
  bool AllSent() const;
};

SendRunReport RunSend(const IniFile& ini, const std::filesystem::path& programDir, const MailRoute& route,
                      const std::vector<RunLetter>& letters, PasswordSource& password, SecretStore& store,
                      const std::atomic<bool>* cancel = nullptr, const SendRunHooks& hooks = {});

// A letter of the same orders was kept before: when, and whether its
// delivery was confirmed.
struct EarlierSend {
  std::tm when{};
  bool unconfirmed = false;
};
std::optional<EarlierSend> EarlierSendOf(const KeptLetters& kept, const RunLetter& letter);

// The words (Windows-1250).
std::string ProgressText(std::size_t index, std::size_t count, const std::string& name);
// One line of a run's report: "elküldve", "lehet, hogy megérkezett",
// "nem ment el: …" and the copy's warning.
std::string ResultLine(const LetterResult& result);
// The whole message of one letter's result, as a single send says it.
std::string ResultMessage(const LetterResult& result);
// The question before a letter goes again.
std::string AgainQuestion(const EarlierSend& earlier);

}  // namespace mv
