#include "TPlayerRename.h"

#include "Platform.h"
#include "TPlayerFiles.h"
#include "TTalvorineGame.h"
#include "TVProfile.h"
#include "TextCase.h"

namespace {

bool Exists(const std::string& path) { return plat::FileType(path) == plat::FILETYPE_FILE; }

// The stages a rename records before it goes on, so that a run stopped in
// between can be finished or undone at the next start.
constexpr const char* StageCopy = "copy";  // new files being written: undo
constexpr const char* StageDrop = "drop";  // new files whole: the old ones go
constexpr const char* StageCase = "case";  // files being renamed one by one

void FollowSetting(const std::string& from, const std::string& to) {
  if (!Game || UpperCase(Game->ProfileName) != UpperCase(from)) return;
  if (Game->CurrentProfile) Game->CurrentProfile->Name = to;
  Game->ProfileName = to;
  Game->IniUpdate(1);
}

}  // namespace

std::vector<std::string> TPlayerRename::FilesOf(const std::string& name) const {
  return TPlayerFiles::FilesOfPlayer(Store.Folder, name);
}

bool TPlayerRename::Rename(const std::string& from, const std::string& to) const {
  if (!TPlayerFiles::IsSafeName(from) || !TPlayerFiles::IsSafeName(to)) {
    return false;
  }
  if (from == to) return true;
  bool caseOnly = UpperCase(from) == UpperCase(to);
  if (!WriteJournal(caseOnly ? StageCase : StageCopy, from, to)) return false;
  if (caseOnly ? !RenameCase(from, to) : !CopyUnderNewName(from, to)) {
    plat::DeleteFile(JournalPath());
    return false;
  }
  if (!caseOnly) WriteJournal(StageDrop, from, to);
  // The setting follows before the old files go: a stop in between leaves
  // the journal to finish with, never a setting that names no player.
  FollowCurrentPlayer(from, to);
  if (!caseOnly) {
    for (const std::string& path : FilesOf(from)) plat::DeleteFile(path);
  }
  plat::DeleteFile(JournalPath());
  return true;
}

std::string TPlayerRename::JournalPath() const { return Store.Folder + JournalFile; }

bool TPlayerRename::WriteJournal(const std::string& stage, const std::string& from,
                                 const std::string& to) const {
  plat::TStreamPtr out = plat::WriteFileAtomic(JournalPath());
  if (!out) return false;
  out->WriteLine(stage);
  out->WriteLine(from);
  out->WriteLine(to);
  return !out->WriteFailed() && out->Close();
}

void TPlayerRename::FinishInterrupted() const {
  plat::TStreamPtr in = plat::ReadDiskFile(JournalPath());
  if (!in) return;
  std::string stage = in->ReadLine(), from = in->ReadLine(), to = in->ReadLine();
  in->Close();
  bool caseOnly = UpperCase(from) == UpperCase(to);
  bool known = caseOnly ? stage == StageCase : stage == StageCopy || stage == StageDrop;
  if (known && from != to && TPlayerFiles::IsSafeName(from) && TPlayerFiles::IsSafeName(to)) {
    std::vector<std::string> olds = FilesOf(from), news = FilesOf(to);
    if (stage == StageCopy) {
      // The new files may be half there: the old player is whole.
      for (const std::string& path : news) plat::DeleteFile(path);
    } else {
      if (stage == StageCase) {
        for (size_t n = 0; n < olds.size(); ++n) {
          if (Exists(olds[n] + ".renaming")) plat::RenameFile(olds[n] + ".renaming", news[n]);
        }
      } else {
        for (const std::string& path : olds) plat::DeleteFile(path);
      }
      FollowSetting(from, to);
    }
  }
  plat::DeleteFile(JournalPath());
}

bool TPlayerRename::CopyUnderNewName(const std::string& from, const std::string& to) const {
  std::vector<std::string> olds = FilesOf(from), news = FilesOf(to);
  std::vector<std::string> written;
  bool ok = true;
  for (size_t i = 0; i < olds.size() && ok; ++i) {
    if (i == 0) {
      // The profile file is made anew: a player without one is still renamed.
      ok = Store.Write(to);
    } else if (Exists(olds[i])) {
      ok = plat::CopyFile(olds[i], news[i]);  // through the atomic write
    } else {
      // Records left by an earlier player of the new name are no one's.
      plat::DeleteFile(news[i]);
      continue;
    }
    if (ok) written.push_back(news[i]);
  }
  if (!ok) {
    for (const std::string& path : written) plat::DeleteFile(path);
  }
  return ok;
}

bool TPlayerRename::RenameCase(const std::string& from, const std::string& to) const {
  std::vector<std::string> olds = FilesOf(from), news = FilesOf(to);
  std::vector<size_t> done;
  // The records first, the profile file last: until it is renamed the
  // player is listed under the old name, whose records the game still
  // finds (it reads them regardless of letter case).
  for (size_t n = olds.size(); n-- > 0;) {
    if (!Exists(olds[n])) continue;
    std::string parked = olds[n] + ".renaming";
    bool ok = plat::RenameFile(olds[n], parked);
    if (ok && !plat::RenameFile(parked, news[n])) {
      plat::RenameFile(parked, olds[n]);
      ok = false;
    }
    if (!ok) {
      for (size_t back : done) {
        plat::RenameFile(news[back], olds[back] + ".renaming");
        plat::RenameFile(olds[back] + ".renaming", olds[back]);
      }
      return false;
    }
    done.push_back(n);
  }
  return true;
}

void TPlayerRename::FollowCurrentPlayer(const std::string& from, const std::string& to) {
  if (!Game || !Game->CurrentProfile) return;
  if (UpperCase(Game->CurrentProfile->Name) != UpperCase(from)) return;
  FollowSetting(from, to);
}
