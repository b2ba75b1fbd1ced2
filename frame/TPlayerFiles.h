// The one owner of what a player's files are called and where they live:
// the characters a typed name may not hold, whether a name can be a file
// name at all, each kind's extension, and the paths of saved games, the
// player's own levels, profiles, completion records and bests in the profile
// folder. Low enough for the text fields, the board and the screens alike.
// Reads and writes nothing.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class TPlayerFiles {
 public:
  // The kinds of file a player owns.
  enum TKind {
    Save,            // NAME.save: a saved game
    Layout,          // NAME.layout: a level of the editor
    Profile,         // NAME.dat: makes a player known
    StandardRecord,  // NAMEs.ini: the standard levels finished
    CustomRecord,    // NAMEc.ini: the player's own levels finished
    Bests,           // NAMEb.ini: the best results on the standard levels
    // Against the clock the same three with "~" before the letter: no name
    // holds "~", so no file of one name is a file of another (as "Pat" + "b.ini"
    // and "Pa" + "tb.ini" would be).
    ClockRecord,        // NAME~s.ini: the standard levels won against the clock
    ClockCustomRecord,  // NAME~c.ini: the player's own levels won against the clock
    ClockBests,         // NAME~b.ini: the best results against the clock
  };

  // What a typed name may not hold: these would leave the folder or are
  // refused by some file system. Control characters are refused as well.
  static constexpr const char* RefusedCharacters = "\"|*\\/:;~?<>";
  // The longest name, in bytes of its file name, whose files fit the 255
  // bytes a file system gives a file name: NAME + "~b.ini" while it is
  // written, as its temporary NAME + "~b.ini.tmp-XXXXXX".
  static constexpr size_t MaxNameBytes = 255 - 17;

  // Why a name cannot be a file name of the profile folder.
  enum TProblem { None, Empty, OnlyBlanks, Dots, TooLong, Refused };

  // A character a name may not hold (a control character or one of
  // RefusedCharacters).
  static bool IsRefused(int c);
  // The verdict on a file name without its extension (UTF-8 bytes, as on
  // disk): not empty, not "." or "..", not only blanks, no refused
  // character (so no folder separator), and not too long for its files'
  // names. The one check every player file passes.
  static TProblem ProblemOfStem(const std::string& stem);
  // The same for a name the player typed or sees (through its file name).
  static TProblem ProblemOf(const std::string& name);
  static bool IsSafeName(const std::string& name) { return ProblemOf(name) == None; }
  // A path without extension that names a safe file directly in `folder`
  // (the part after `folder`; after the last separator when it does not
  // start with `folder`).
  static bool IsSafePath(const std::string& path, const std::string& folder);

  // The ending a kind adds to the name: ".save", ".layout", ".dat",
  // "s.ini", "c.ini", "b.ini", "~s.ini", "~c.ini", "~b.ini".
  static const char* Extension(TKind kind);
  // The file name of a name the player typed or sees (the text becomes a
  // file name through the platform's rule), and its path in `folder`
  // (ending in "/").
  static std::string FileName(const std::string& name, TKind kind);
  static std::string Path(const std::string& folder, const std::string& name, TKind kind);
  // The same in the game's profile folder.
  static std::string Path(const std::string& name, TKind kind);
  // The path of a typed name in the profile folder without its extension
  // (what SaveGame and SaveLayout take).
  static std::string PathStem(const std::string& name);
  // The path of a file whose stem is already a file name (a level named by
  // its layout's file), in the profile folder.
  static std::string PathOfStem(const std::string& stem, TKind kind);
  // The record of the standard (custom 0) or custom (1) levels, played
  // relaxed or against the clock.
  static TKind Record(int custom, bool clock = false) {
    if (clock) return custom ? ClockCustomRecord : ClockRecord;
    return custom ? CustomRecord : StandardRecord;
  }
  // The bests on the standard levels, relaxed or against the clock.
  static TKind BestsOf(bool clock) { return clock ? ClockBests : Bests; }
  // Every file of a player: the profile file first, then the records of
  // every way to play.
  static std::vector<std::string> FilesOfPlayer(const std::string& folder, const std::string& name);
};
