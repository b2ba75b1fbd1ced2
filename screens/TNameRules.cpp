#include "TNameRules.h"

#include "TModeText.h"
#include "TPlayerFiles.h"
#include "TProfileStore.h"
#include "TextCase.h"
#include "Utf8.h"

std::string TNameRules::Trim(const std::string& typed) {
  size_t first = typed.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  size_t last = typed.find_last_not_of(' ');
  return typed.substr(first, last - first + 1);
}

std::string TNameRules::Stored(const std::string& typed) const {
  std::string name = Trim(typed);
  if (UpperFirstChar) name = UpperCaseFirst(name);
  return name;
}

TNameRules::TVerdict TNameRules::Check(const std::string& typed) const {
  if (typed.empty()) return Empty;
  std::string name = Stored(typed);
  if (name.empty()) return OnlySpaces;
  if (int(plat::CharCount(name)) > MaxLength) return TooLong;
  switch (TPlayerFiles::ProblemOf(name)) {
    case TPlayerFiles::Dots:
      return Dots;
    case TPlayerFiles::Refused:
      return RefusedCharacter;
    case TPlayerFiles::TooLong:
      return TooLong;
    case TPlayerFiles::Empty:
    case TPlayerFiles::OnlyBlanks:
      return OnlySpaces;
    case TPlayerFiles::None:
      break;
  }
  // Names on disk may still end in a space (from before names were
  // trimmed); they are compared as they read.
  auto same = [](const std::string& a, const std::string& b) {
    return UpperCase(Trim(a)) == UpperCase(Trim(b));
  };
  bool keeping = !Keeping.empty() && same(Keeping, name);
  for (const std::string& known : TakenNames) {
    if (!keeping && same(known, name)) return Taken;
  }
  return Accepted;
}

const char* TNameRules::MessageKey(TVerdict verdict) {
  switch (verdict) {
    case OnlySpaces:
      return "Name Error Spaces";
    case Dots:
      return "Name Error Dots";
    case TooLong:
      return "Name Error Length";
    case RefusedCharacter:
      return "Name Error Characters";
    case Taken:
      return "Name Error";
    case Accepted:
    case Empty:
      break;
  }
  return "";
}

std::string TNameRules::Message(TVerdict verdict) const {
  const char* key = MessageKey(verdict);
  if (!*key) return "";
  return modetext::WithNumber(modetext::Text(key), MaxLength);
}

std::string TNameRules::Problem(const std::string& typed) const { return Message(Check(typed)); }

int TNameRules::ErrorCheck(const std::string& typed, std::string& message) const {
  TVerdict verdict = Check(typed);
  message = Message(verdict);
  return verdict == Accepted ? 0 : -1;
}

TNameRules PlayerNameRules() {
  TNameRules rules(TNameRules::PlayerNameLength);
  rules.UpperFirstChar = 1;
  rules.TakenNames = TProfileStore().List();
  return rules;
}

TNameRules FileNameRules() { return TNameRules(TNameRules::LevelNameLength); }
