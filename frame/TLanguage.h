// The language the game speaks. English is the game's own data; each other
// language has a folder "Data/languages/CODE/" whose texts and pictures
// override the English ones by name: the chosen language first, then
// English. The setting "REGION" keeps the player's choice: 0 follows the
// desktop, 1 and up are the languages in the order of Languages(), never
// renumbered.
#pragma once

#include <string>
#include <vector>

struct TLanguageName {
  std::string Code;     // "en", "de", ...
  std::string Name;     // the language's own name, UTF-8 ("Français")
  std::string Aliases;  // other codes --language takes for it ("pt_BR")
};

class TLanguage {
 public:
  // The languages in REGION order (REGION = index + 1), from the table in
  // Languages.def.
  static const std::vector<TLanguageName>& Languages();
  // Their codes as a sentence lists them: "en, de, ..." with lastSeparator
  // before the last (", " or " or ").
  static std::string CodeList(const std::string& lastSeparator);
  // The REGION of a language code; 0 for a code we do not have.
  static int RegionOf(const std::string& code);
  // The language a code names, its own or one of its aliases ("pt_BR" is
  // "pt"), in any letter case and with "-" for "_"; "" for none.
  static std::string CodeFor(const std::string& text);
  // The code of a REGION; "en" for anything else.
  static std::string CodeOf(int region);
  // The language a run speaks: the run's code (--language) when given,
  // else the setting (a REGION), else the desktop's language ("pt_PT",
  // "de_AT": with its territory where we have that, else without), else
  // English.
  static std::string Choose(const std::string& runCode, int setting,
                            const std::string& desktopCode);
  // The folder holding a language's data; "" for English.
  static std::string FolderOf(const std::string& code);
  // A language that only the tests know (the pseudo-language), with its
  // data in a folder of its own.
  static void AddTestLanguage(const std::string& code, const std::string& folder);

  // Makes code the language of the platform's look-ups. Pictures loaded
  // from now on come in that language.
  void Use(const std::string& code);
  // Reads the game text: English, then the language's text over it.
  void LoadText() const;
  // Changes the language while the game runs: the setting (REGION), the
  // look-ups, the game text and the worded pictures held in the banks.
  // The current screen rebuilds its own widgets.
  void Change(int region);

  std::string Code = "en";
  // The own name of the language spoken (the test language: its code).
  std::string Name() const;
};

// The program's language.
extern TLanguage GameLanguage;
