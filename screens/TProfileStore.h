// The player files of one profile folder: the profile file (name + ".dat",
// one 32-bit 1) whose existence makes a player known, and the completion
// files that go with it. Draws nothing; the player manager and the title
// screen show what it finds.
#pragma once

#include <string>
#include <vector>

#include "Platform.h"
#include "TPlayerFiles.h"

class TProfileStore {
 public:
  // Over the game's profile folder (Game->ProfilePath).
  TProfileStore();
  explicit TProfileStore(std::string folder) : Folder(std::move(folder)) {}

  // The player names, sorted without regard to letter case.
  std::vector<std::string> List() const;
  // A player of this name exists, ignoring letter case (the file system
  // may not tell "ada" from "Ada").
  bool Exists(const std::string& name) const;
  // Writes the profile file atomically; false when it cannot be written or
  // the name is not one a file may carry.
  bool Write(const std::string& name) const;
  // 1 when the profile file exists and could be read.
  int Read(const std::string& name) const;
  // Deletes the profile file and all its records.
  void Delete(const std::string& name) const;
  // Deletes only the profile file.
  void DeleteProfileFile(const std::string& name) const;
  // Deletes only its records (the player manager's clean-up).
  void DeleteCompletion(const std::string& name) const;

  std::string ProfileFile(const std::string& name) const {
    return TPlayerFiles::Path(Folder, name, TPlayerFiles::Profile);
  }

  std::string Folder;  // ends in "/"
};
