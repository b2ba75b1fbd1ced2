// The platform's part of the game's languages: the desktop's language, and
// the read-only lookup that finds a language's own data before the English.
#pragma once

#include <string>

namespace plat {

// The desktop's language: the first of LC_ALL, LC_MESSAGES and LANG that is
// set and not empty, as language (lower case) and territory (upper case)
// without encoding or modifier ("de_DE.UTF-8" gives "de_DE", "pt-br" gives
// "pt_BR", "ES" gives "es"); "" for C, POSIX or none.
std::string DesktopLanguage();

// Read-only data of one language beside the English data: while a folder is
// set, a read-only path "Data/REST" is looked up as folder + "/REST" first
// and then as given (reading, FileType and FileSize). "" sets none.
void SetLanguageFolder(const std::string& folder);
std::string LanguageFolder();

}  // namespace plat
