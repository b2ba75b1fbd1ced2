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

// The rename prompt for a player (game text "Rename Player", the old name
// to edit): the name rules of a new player, except that a change of letter
// case alone is allowed; accepting a name renames the player's files; a
// refused name or a rename that fails is answered with a message and the
// prompt stays.
std::unique_ptr<TDialogTextInput> CreateRenamePrompt(const std::string& from);

// The name prompt (game text "Enter Name", at most 10 characters, accented
// letters allowed, the file-name characters refused). Accepting a name
// creates the player and makes it current; an empty name is refused
// quietly, one the name rules refuse or whose file cannot be written is
// answered with a message, and the prompt stays.
// Manage returns 1 once the new player is current.
std::unique_ptr<TDialogTextInput> CreateNamePrompt(int withCancel = 0);

// The player manager as the game opens it (game text "Choose Player", at
// most seven players), started at once.
std::unique_ptr<TVPlayerManager> CreatePlayerManager();
