// Choosing the player: the state the game starts in (a known player, a
// first run that must ask for a name, or a choice among several players),
// the name prompt that creates and selects a new player, and the player
// manager as the game shows it.
#pragma once

#include <memory>
#include <string>

#include "TDialogTextInput.h"

class TVPlayerManager;

enum class TStartPlayer {
  Ready,        // the last player is current
  AskName,      // no player exists yet: show the name prompt
  ShowManager,  // players exist but none was last active: show the manager
};

// At start: makes the last active player ("PROFILE NAME") current, or says
// what the title screen must ask. An unreadable profile folder is fatal
// ("Failed Read Directory").
TStartPlayer ChoosePlayerAtStart();

// The name of a new player as it is stored: the first letter upper case.
std::string PlayerNameFromTyped(const std::string& typed);

// Why a typed name cannot become a player ("" when it can): the game text
// "Name Error" for a name that is taken (letter case aside) or cannot be a
// file name.
std::string PlayerNameProblem(const std::string& typed);

// Why a player cannot be renamed to a typed name ("" when it can): the
// same rules as a new player's name, except that a change of letter case
// alone is allowed.
std::string RenameProblem(const std::string& from, const std::string& typed);

// The rename prompt for a player (game text "Rename Player", the old name
// to edit): accepting a name renames the player's files; a refused name or
// a rename that fails is answered with a message and the prompt stays.
std::unique_ptr<TDialogTextInput> CreateRenamePrompt(const std::string& from);

// The name prompt (game text "Enter Name", at most 10 characters, accented
// letters allowed, the file-name characters refused). Accepting a name
// creates the player and makes it current; a name that is taken or whose
// file cannot be written is answered with a message and the prompt stays.
// Manage returns 1 once the new player is current.
std::unique_ptr<TDialogTextInput> CreateNamePrompt(int withCancel = 0);

// The player manager as the game opens it (game text "Choose Player", at
// most seven players), started at once.
std::unique_ptr<TVPlayerManager> CreatePlayerManager();
