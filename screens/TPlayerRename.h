// Renaming a player on disk: the profile file (NAME.dat), the completion
// records (NAMEs.ini, NAMEc.ini) and, for the current player, the setting
// "PROFILE NAME". The new files are written in full through the atomic
// write before anything old goes, so a rename that fails halfway leaves the
// old player whole. A journal in the folder records how far a rename got:
// one stopped by a kill is undone or finished at the next start, so that
// one player remains, under the old name or the new. Saved
// games, custom levels and high-score entries are shared by all players
// and keep their names. Draws nothing.
#pragma once

#include <string>
#include <vector>

#include "TProfileStore.h"

class TPlayerRename {
 public:
  explicit TPlayerRename(TProfileStore store = TProfileStore()) : Store(std::move(store)) {}

  // Renames from to to; when from is the current player, the current
  // profile and "PROFILE NAME" follow. False, with every old file as it
  // was, when a new file cannot be written or a name cannot be a file.
  bool Rename(const std::string& from, const std::string& to) const;

  // The player's three files: profile, standard and custom completion.
  std::vector<std::string> FilesOf(const std::string& name) const;

  // At start, before the players are listed: ends a rename a stopped run
  // left half done (undone while its new files were being written,
  // finished once they were whole).
  void FinishInterrupted() const;
  static constexpr const char* JournalFile = "rename.journal";

  TProfileStore Store;

 private:
  bool CopyUnderNewName(const std::string& from, const std::string& to) const;
  // A change of letter case alone: each file is renamed through a
  // temporary name (a write would land on the old file, whose name the
  // folder matches regardless of case).
  bool RenameCase(const std::string& from, const std::string& to) const;
  static void FollowCurrentPlayer(const std::string& from, const std::string& to);
  std::string JournalPath() const;
  bool WriteJournal(const std::string& stage, const std::string& from, const std::string& to) const;
};
