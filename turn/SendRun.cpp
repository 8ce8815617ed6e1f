#include "turn/SendRun.h"

#include "core/Cp1250.h"
#include "core/Secret.h"
#include "core/TextJoin.h"
#include "letter/MapiMail.h"
#include "letter/OrderLetter.h"
#include "store/Settings.h"
#include "store/TextFile.h"
#include "turn/TurnStatus.h"

namespace mv {

PasswordStep PasswordForRun(const IniFile& ini, SmtpSettings smtp, PasswordSource& source, SecretStore& store) {
  PasswordStep step;
  step.smtp = std::move(smtp);
  // No login, no password; the mail program signs in by itself.
  if ((step.smtp.user.empty() && !source.given) || step.smtp.viaMapi) return step;
  PasswordFetch fetch = FetchMailPassword(ini, step.smtp, store, source.given);
  if (fetch.status != PasswordFetch::Status::Ok) {
    const PasswordNeed need =
        fetch.status == PasswordFetch::Status::MustAsk ? PasswordNeed::AskedEachTime : PasswordNeed::KeyringUnavailable;
    std::optional<std::string> asked = source.ask ? source.ask(need, step.smtp.user) : std::nullopt;
    if (!asked) {
      if (source.ask)
        step.status = PasswordStep::Status::GaveUp;
      else
        step.status = need == PasswordNeed::AskedEachTime ? PasswordStep::Status::MustAsk
                                                          : PasswordStep::Status::KeyringUnavailable;
      return step;
    }
    fetch.password = std::move(*asked);
  }
  WipeSecret(step.smtp.password);
  step.smtp.password = std::move(fetch.password);
  return step;
}

MailRoute MailRouteOf(const IniFile& ini) { return {ReadSmtpSettings(ini), ReadSettings(ini).recipient}; }

bool SendRunReport::AllSent() const {
  if (start != PasswordStep::Status::Ok) return false;
  for (const LetterResult& r : letters)
    if (r.kind != LetterResult::Kind::Sent) return false;
  return true;
}

SendRunReport RunSend(const IniFile& ini, const std::filesystem::path& programDir, const MailRoute& route,
                      const std::vector<RunLetter>& letters, PasswordSource& password, SecretStore& store,
                      const std::atomic<bool>* cancel, const SendRunHooks& hooks) {
  SendRunReport report;
  report.letters.resize(letters.size());
  if (letters.empty()) return report;
  PasswordStep step = PasswordForRun(ini, route.smtp, password, store);
  report.start = step.status;
  if (step.status != PasswordStep::Status::Ok) return report;

  std::vector<MailMessage> messages;
  for (const RunLetter& l : letters) messages.push_back({route.recipient, kLetterSubject, l.letter});
  SendHooks transportHooks;
  transportHooks.starting = [&](std::size_t i) {
    if (hooks.say) hooks.say(ProgressText(i, letters.size(), letters[i].name));
  };
  transportHooks.done = [&](std::size_t i, const SendOutcome& outcome) {
    LetterResult& result = report.letters[i];
    result.outcome = outcome;
    result.kind = outcome.sent()                                       ? LetterResult::Kind::Sent
                  : outcome.status == SendOutcome::Status::Unconfirmed ? LetterResult::Kind::Unconfirmed
                                                                       : LetterResult::Kind::NotSent;
    // What went out is kept before anything else happens.
    if (result.wentOut())
      result.copyNotKept = !ArchiveSentLetter(programDir, letters[i].character, letters[i].turn, letters[i].letter,
                                              std::time(nullptr), result.kind == LetterResult::Kind::Unconfirmed);
    if (hooks.done) hooks.done(i, result);
  };
  TransportFor(step.smtp)->SendAll(messages, cancel, transportHooks);
  WipeSecret(step.smtp.password);
  for (MailMessage& message : messages) WipeSecret(message.body);
  return report;
}

std::optional<EarlierSend> EarlierSendOf(const KeptLetters& kept, const RunLetter& letter) {
  const KeptMatch match = MatchKept(kept, letter.character, letter.turn, OrdersOf(SplitLines(letter.letter)));
  if (match.kind != KeptMatch::Kind::Same) return std::nullopt;
  return EarlierSend{match.letter->name.record.time, match.letter->name.unconfirmed};
}

std::string ProgressText(std::size_t index, std::size_t count, const std::string& name) {
  return std::to_string(index + 1) + "/" + std::to_string(count) + ": " + name;
}

std::string ResultLine(const LetterResult& result) {
  std::string line;
  switch (result.kind) {
    case LetterResult::Kind::Sent: line = "elküldve"_w; break;
    case LetterResult::Kind::Unconfirmed: line = "lehet, hogy megérkezett"_w; break;
    case LetterResult::Kind::NotReached: line = "nem ment el: a küldés előbb megszakadt"_w; break;
    case LetterResult::Kind::NotSent: {
      line = "nem ment el: ";
      bool first = true;
      for (const std::string& part : SplitLines(SendOutcomeMessage(result.outcome))) {
        if (part.empty()) continue;
        line += (first ? std::string() : std::string(" – "_w)) + part;
        first = false;
      }
      break;
    }
  }
  if (result.copyNotKept) line += " (" + SentCopyNotKeptMessage() + ")";
  return line;
}

std::string ResultMessage(const LetterResult& result) {
  if (result.kind == LetterResult::Kind::NotReached) return ResultLine(result);
  std::string text = SendOutcomeMessage(result.outcome);
  if (result.copyNotKept) text += "\n" + SentCopyNotKeptMessage();
  return text;
}

std::string AgainQuestion(const EarlierSend& earlier) {
  const std::string when = SentWhen(earlier.when);
  if (earlier.unconfirmed)
    return "Lehet, hogy ez az UL már megérkezett ("_w + when +
           "). Mielőtt újra elküldöd, nézd meg a postafiókodban. Elküldöd újra?"_w;
  return "Ezt az UL-t már elküldted ("_w + when + "). Elküldöd újra?"_w;
}

}  // namespace mv
