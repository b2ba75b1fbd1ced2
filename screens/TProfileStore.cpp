#include "TProfileStore.h"

#include <cstring>

#include "Platform.h"
#include "TCompletionFile.h"
#include "TSaveGameList.h"
#include "TTalvorineGame.h"
#include "TextCase.h"

TProfileStore::TProfileStore() : Folder(Game ? Game->ProfilePath : std::string()) {}

std::vector<std::string> TProfileStore::List() const {
  std::vector<std::string> names;
  for (const std::string& entry : plat::ReadDir(Folder)) {
    if (entry.empty() || entry == ".dat" || FileExtension(entry) != "dat") continue;
    if (plat::FileType(Folder + entry) != plat::FILETYPE_FILE) continue;
    std::string name;
    if (plat::TextOfFileName(StripExtension(entry), name)) names.push_back(name);
  }
  SortNames(names);
  return names;
}

bool TProfileStore::Exists(const std::string& name) const {
  std::string wanted = UpperCase(name);
  for (const std::string& known : List()) {
    if (UpperCase(known) == wanted) return true;
  }
  return false;
}

bool TProfileStore::Write(const std::string& name) const {
  if (!IsAcceptableName(name)) return false;
  plat::TStreamPtr out = plat::WriteFileAtomic(ProfileFile(name));
  if (!out) return false;
  out->WriteInt(1);
  return out->Close();
}

int TProfileStore::Read(const std::string& name) const {
  if (!IsAcceptableName(name)) return 0;
  plat::TStreamPtr in = plat::ReadDiskFile(ProfileFile(name));
  if (!in) return 0;
  in->ReadInt();  // always 1; its presence is what counts
  return 1;
}

void TProfileStore::Delete(const std::string& name) const {
  DeleteProfileFile(name);
  DeleteCompletion(name);
}

void TProfileStore::DeleteProfileFile(const std::string& name) const {
  if (IsAcceptableName(name)) plat::DeleteFile(ProfileFile(name));
}

void TProfileStore::DeleteCompletion(const std::string& name) const {
  if (!IsAcceptableName(name)) return;
  plat::DeleteFile(TCompletionFile::PathFor(Folder, name, 0));
  plat::DeleteFile(TCompletionFile::PathFor(Folder, name, 1));
}

bool TProfileStore::IsAcceptableName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.size() > MaxNameBytes || plat::FileNameOfText(name).size() > MaxNameBytes) return false;
  bool onlyBlanks = true;
  for (char ch : name) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 32 || c == 127 || std::strchr(RefusedCharacters, ch)) return false;
    if (c != ' ') onlyBlanks = false;
  }
  return !onlyBlanks;
}
