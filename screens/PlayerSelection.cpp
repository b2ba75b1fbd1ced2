#include "PlayerSelection.h"

#include "GameDialogs.h"
#include "GameResources.h"
#include "Globals.h"
#include "Platform.h"
#include "TGameText.h"
#include "TListBox.h"
#include "TModeText.h"
#include "TNameRules.h"
#include "TPlayerFiles.h"
#include "TPlayerRename.h"
#include "TProfileStore.h"
#include "TTalvorineGame.h"
#include "TVPlayerManager.h"
#include "TVProfile.h"

namespace {

constexpr int MaxPlayers = 7;

std::string Text(const std::string& key) { return GameText ? GameText->FindString(key) : key; }

}  // namespace

TStartPlayer ChoosePlayerAtStart() {
  TProfileStore store;
  if (plat::FileType(store.Folder) != plat::FILETYPE_DIR) {
    ReportError(GameTextWith("Failed Read Directory", {{"folder", store.Folder}}), 1);
  }
  if (store.List().empty()) return TStartPlayer::AskName;
  std::string last = Game->ProfileName;
  // A name from the settings file that is no player's file name is no
  // player at all, and a player whose file is gone (deleted) is not made
  // again.
  if (!TPlayerFiles::IsSafeName(last) || !store.Exists(last)) {
    Game->ProfileName.clear();
    plat::DeleteFile(store.ProfileFile(""));
    Game->CurrentProfile.reset();
    return TStartPlayer::ShowManager;
  }
  auto profile = TVProfile::Create(last);
  profile->Load();
  Game->CurrentProfile = profile;
  return TStartPlayer::Ready;
}

std::unique_ptr<TDialogTextInput> CreateRenamePrompt(const std::string& from) {
  auto prompt = GameNamePrompt(
      [from](const std::string& text, std::string& message) {
        // The same rules as a new player's name; the player's own name in
        // another letter case is allowed.
        TNameRules rules = PlayerNameRules();
        rules.Keeping = from;
        if (rules.ErrorCheck(text, message) != 0) return -1;
        if (!TPlayerRename().Rename(from, rules.Stored(text))) {
          message = Text("Rename Failed");
          return -1;
        }
        return 0;
      },
      1, modetext::WithWord(Text("Rename Player"), from));
  prompt->TextInput.AllowExtendedChars = 1;
  prompt->TextInput.SetText(from);
  return prompt;
}

std::unique_ptr<TDialogTextInput> CreateNamePrompt(int withCancel) {
  // The player is made as the name is accepted, so that a file that cannot
  // be written is told over the prompt, which then stays for another try.
  auto prompt = GameNamePrompt(
      [](const std::string& text, std::string& message) {
        TNameRules rules = PlayerNameRules();
        if (rules.ErrorCheck(text, message) != 0) return -1;
        std::string name = rules.Stored(text);
        if (!SelectPlayer(name)) {
          message = GameTextWith("Could Not Create File", {{"file", name + ".dat"}});
          return -1;
        }
        return 0;
      },
      withCancel);
  prompt->TextInput.AllowExtendedChars = 1;
  return prompt;
}

std::unique_ptr<TVPlayerManager> CreatePlayerManager() {
  // The panel is read from the image folder rather than the bank.
  std::string file = Game->ImagePath + "manager.png";
  plat::TImagePtr panel = plat::LoadImage(file);
  if (!panel) ReportError("Error loading bitmap " + file, 1);
  auto manager = TVPlayerManager::Create(Text("Choose Player"), panel, 0, 0, 0, MaxPlayers);
  manager->MessageCannotCreate = Text("Player No More");
  manager->MessageCannotDelete = Text("Player One Player");
  manager->MessageConfirmDelete = Text("Player Delete Player");
  manager->MessageCurrentPlayer = Text("Current Player");
  manager->MessageNoPlayer = Text("Player None");
  manager->MarkCurrentPlayer();
  manager->CustomDeleteFunction = [](TVPlayerManager&, const std::string& name) {
    TProfileStore().DeleteCompletion(name);
  };
  manager->StyleAsGame(25);
  TListBox& list = *manager->ListBox;
  list.SetupFont(GameFont(20), TColor::Create(255, 255, 255), TShadow::Create(3, 3, 0.4f));
  GameListLook(list.Box, list.HighlightCol);
  manager->EnterNamePromptFunc = [](int withCancel) { return CreateNamePrompt(withCancel); };
  manager->RenamePromptFunc = [](const std::string& name) { return CreateRenamePrompt(name); };
  manager->Start();
  Game->FixedRateLogic.Init();
  return manager;
}
