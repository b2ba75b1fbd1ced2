#include "TLanguage.h"

#include <cctype>
#include <iterator>
#include <sstream>
#include <utility>

#include "GameResources.h"
#include "Globals.h"
#include "Language.h"
#include "Platform.h"
#include "StartupSteps.h"
#include "TGameText.h"
#include "TTalvorineGame.h"
#include "TextCase.h"

TLanguage GameLanguage;

namespace {

std::vector<std::pair<std::string, std::string>>& TestLanguages() {
  static std::vector<std::pair<std::string, std::string>> languages;
  return languages;
}

const char* const kTextFile = "gametext.txt";

// The table's REGION column counts up from 1 without a gap: a stored
// setting names its language by that number.
constexpr int kRegions[] = {
#define GS_LANGUAGE(region, code, name, aliases) region,
#include "Languages.def"
#undef GS_LANGUAGE
};
constexpr bool RegionsCountUp() {
  for (size_t i = 0; i < std::size(kRegions); ++i)
    if (kRegions[i] != int(i) + 1) return false;
  return true;
}
static_assert(RegionsCountUp(), "Languages.def: REGION must be the row's number");

}  // namespace

const std::vector<TLanguageName>& TLanguage::Languages() {
  static const std::vector<TLanguageName> languages = {
#define GS_LANGUAGE(region, code, name, aliases) {code, name, aliases},
#include "Languages.def"
#undef GS_LANGUAGE
  };
  return languages;
}

std::string TLanguage::CodeList(const std::string& lastSeparator) {
  const auto& all = Languages();
  std::string list;
  for (size_t i = 0; i < all.size(); ++i) {
    if (i > 0) list += i + 1 == all.size() ? lastSeparator : ", ";
    list += all[i].Code;
  }
  return list;
}

int TLanguage::RegionOf(const std::string& code) {
  const auto& all = Languages();
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i].Code == code) return int(i) + 1;
  return 0;
}

std::string TLanguage::CodeFor(const std::string& text) {
  auto normal = [](std::string code) {
    for (char& c : code) c = c == '-' ? '_' : char(std::tolower(static_cast<unsigned char>(c)));
    return code;
  };
  std::string wanted = normal(text);
  for (const TLanguageName& language : Languages()) {
    if (normal(language.Code) == wanted) return language.Code;
    std::istringstream aliases(language.Aliases);
    for (std::string alias; aliases >> alias;)
      if (normal(alias) == wanted) return language.Code;
  }
  return "";
}

std::string TLanguage::CodeOf(int region) {
  const auto& all = Languages();
  if (region < 1 || region > int(all.size())) return "en";
  return all[size_t(region) - 1].Code;
}

std::string TLanguage::Choose(const std::string& runCode, int setting,
                              const std::string& desktopCode) {
  if (!runCode.empty()) return runCode;
  if (setting >= 1 && setting <= int(Languages().size())) return CodeOf(setting);
  // The territory first ("pt_PT" is European Portuguese, "pt_BR" Brazilian),
  // then the language alone ("de_AT" is German).
  std::string code = CodeFor(desktopCode);
  if (code.empty()) code = CodeFor(desktopCode.substr(0, desktopCode.find('_')));
  return code.empty() ? "en" : code;
}

std::string TLanguage::FolderOf(const std::string& code) {
  for (const auto& [test, folder] : TestLanguages())
    if (test == code) return folder;
  if (code == "en" || !RegionOf(code)) return "";
  return "Data/languages/" + code;
}

void TLanguage::AddTestLanguage(const std::string& code, const std::string& folder) {
  for (auto& entry : TestLanguages()) {
    if (entry.first == code) {
      entry.second = folder;
      return;
    }
  }
  TestLanguages().emplace_back(code, folder);
}

void TLanguage::Use(const std::string& code) {
  Code = FolderOf(code).empty() ? "en" : code;
  plat::SetLanguageFolder(FolderOf(Code));
}

void TLanguage::LoadText() const {
  if (!GameText) GameText = std::make_shared<TGameText>();
  GameText->Map.clear();
  std::string folder = plat::LanguageFolder();
  // The English text is the base: a key the translation lacks still reads.
  plat::SetLanguageFolder("");
  const std::string english = Game->TextPath + kTextFile;
  GameText->Read(english);
  // A text cut short would leave captions blank; a translation may lack a
  // key, the English text may not.
  std::string missing = GameText->MissingKey();
  if (!missing.empty())
    ReportError("Error loading file " + english + ": no text '" + missing + "'", 1);
  plat::SetLanguageFolder(folder);
  std::string own = folder + "/text/" + kTextFile;
  if (!folder.empty() && plat::FileType(own) == plat::FILETYPE_FILE) GameText->Read(own);
}

void TLanguage::Change(int region) {
  Game->Region = region;
  Game->IniUpdate(1);
  Use(CodeOf(region));
  LoadText();
  ReloadWordedImages();
}

std::string TLanguage::Name() const {
  int region = RegionOf(Code);
  return region ? Languages()[size_t(region) - 1].Name : Code;
}
