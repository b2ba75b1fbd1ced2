#include "TProfileStore.h"

#include "Platform.h"
#include "TSaveGameList.h"
#include "TTalvorineGame.h"
#include "TextCase.h"

TProfileStore::TProfileStore() : Folder(Game ? Game->ProfilePath : std::string()) {}

std::vector<std::string> TProfileStore::List() const {
  std::vector<std::string> names;
  for (const std::string& entry : plat::ReadDir(Folder)) {
    const std::string extension = TPlayerFiles::Extension(TPlayerFiles::Profile);
    if (entry.size() <= extension.size() ||
        entry.compare(entry.size() - extension.size(), extension.size(), extension) != 0) {
      continue;
    }
    if (plat::FileType(Folder + entry) != plat::FILETYPE_FILE) continue;
    std::string name;
    if (plat::TextOfFileName(entry.substr(0, entry.size() - extension.size()), name)) {
      names.push_back(name);
    }
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
  if (!TPlayerFiles::IsSafeName(name)) return false;
  plat::TStreamPtr out = plat::WriteFileAtomic(ProfileFile(name));
  if (!out) return false;
  out->WriteInt(1);
  return out->Close();
}

int TProfileStore::Read(const std::string& name) const {
  if (!TPlayerFiles::IsSafeName(name)) return 0;
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
  if (TPlayerFiles::IsSafeName(name)) plat::DeleteFile(ProfileFile(name));
}

void TProfileStore::DeleteCompletion(const std::string& name) const {
  if (!TPlayerFiles::IsSafeName(name)) return;
  // Every file of the player but the profile file, which comes first.
  std::vector<std::string> files = TPlayerFiles::FilesOfPlayer(Folder, name);
  for (size_t n = 1; n < files.size(); ++n) plat::DeleteFile(files[n]);
}
