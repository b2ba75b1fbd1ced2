// The rules a typed name must pass before it names a file of the player's
// (a player, a level of the editor, a saved game): spaces cut at both ends, a length
// limit, no character a file name cannot hold, and, for players, no name
// already in use whatever its letter case. Draws nothing: the dialogs that
// ask for names show its verdict.
#pragma once

#include <string>
#include <vector>

class TNameRules {
 public:
  enum TVerdict {
    Accepted,
    Empty,             // nothing typed: refused without a message
    OnlySpaces,        // typed, but nothing left once trimmed
    Dots,              // "." or "..": the folder itself or its parent
    TooLong,           // more than MaxLength characters once trimmed
    RefusedCharacter,  // a character no file name of a player may hold
    Taken,             // the name of another entry of TakenNames
  };

  // The field lengths of the name prompt and of the level-name question.
  static constexpr int PlayerNameLength = 10;
  static constexpr int LevelNameLength = 14;

  explicit TNameRules(int maxLength = PlayerNameLength) : MaxLength(maxLength) {}

  // The text without the spaces at its start and end.
  static std::string Trim(const std::string& typed);
  // The name as it is stored: trimmed, the first letter upper case with
  // UpperFirstChar.
  std::string Stored(const std::string& typed) const;
  // The verdict on the stored form of a typed name.
  TVerdict Check(const std::string& typed) const;
  // The game-text key of the message saying what is wrong; "" for Accepted
  // and for Empty.
  static const char* MessageKey(TVerdict verdict);
  // That message from the game text, the length limit in place of "NNN".
  std::string Message(TVerdict verdict) const;
  // Check and Message in one: "" when the name is accepted or empty.
  std::string Problem(const std::string& typed) const;
  // The check of a text question (TDialogTextInput::ErrorCheckFunc): -1 and
  // the message (none for an empty name) when refused, else 0.
  int ErrorCheck(const std::string& typed, std::string& message) const;

  int MaxLength;
  int UpperFirstChar = 0;
  // Names in use, compared without regard to letter case.
  std::vector<std::string> TakenNames;
  // A name of TakenNames the typed one may match (a player renamed to its
  // own name in another letter case).
  std::string Keeping;
};

// The rules of a player's name: ten characters, the first letter upper
// case, unique among the players of the game's profile folder.
TNameRules PlayerNameRules();
// The rules of the name of a level or a saved game: fourteen characters; a
// name in use is saved over.
TNameRules FileNameRules();
