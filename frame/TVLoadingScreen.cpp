#include "TVLoadingScreen.h"

#include "GameInput.h"
#include "Globals.h"
#include "StartupShots.h"
#include "TTalvorineGame.h"
#include "TextCase.h"

namespace {

plat::TImagePtr LoadRequired(const std::string& path) {
  plat::TImagePtr image = plat::LoadImage(path);
  if (!image) ReportError("Error loading bitmap " + path, 1);
  return image;
}

plat::TImagePtr LoadOptional(const std::string& path) {
  if (plat::FileType(path) != plat::FILETYPE_FILE) return nullptr;
  return plat::LoadImage(path);
}

}  // namespace

void TVLoadingScreen::SpecialLoad(const std::string& background, const std::string& bar,
                                  const std::string& loadingText) {
  name = "loading";
  if (!background.empty()) ImageLoad(background, 0);
  const std::string& folder = Game->ImagePath;
  if (!bar.empty()) {
    std::string stem = StripExtension(bar);
    std::string ext = FileExtension(bar);
    ext = ext.empty() ? "" : "." + ext;
    plat::TImagePtr barImage = LoadRequired(folder + bar);
    LoadingBar.Init(barImage, LoadOptional(folder + stem + "empty" + ext),
                    LoadOptional(folder + stem + "final" + ext));
  }
  if (!loadingText.empty()) {
    LoadingTextImage = LoadRequired(folder + loadingText);
    plat::MidHandleImage(*LoadingTextImage);
  }
  LoadingX = ScreenWidth / 2;
  LoadingY = ScreenHeight / 2;
  Finished = 0;
  Game->MusicNone();
}

void TVLoadingScreen::Kill() {
  TScreen::Kill();
  LoadingBar = TLoadingBar();
  LoadingTextImage.reset();
  LoadingTextImage2.reset();
  ClickHereButton.reset();
  if (CustomKillFunction) CustomKillFunction();
}

void TVLoadingScreen::Progress() {
  LoadingBar.Progress();
  Finished = LoadingBar.Finished;
  if (Finished) {
    GameFlushKeys();
    GameFlushMouse();
  }
}

void TVLoadingScreen::MoveBar() {
  Progress();
  Draw();
  if (LoadingBar.CurrentStep * 2 == int(LoadingBar.Steps)) SaveStartupShot("loading");
  plat::Flip(FlipSync);
}

void TVLoadingScreen::Logic() {
  if (ClickHereButton) {
    int clicked = ClickHereButton->Manage();
    if (!clicked && !Game->Mouse.GetMh(0)) return;
  }
  Game->GameFade.Init(DefaultFadeLength, 1, nullptr, 1, 0);
  Game->DestinationTScreen = Destination;
}

void TVLoadingScreen::Draw() {
  TScreen::Draw();
  if (Finished && ClickHereButton) {
    if (LoadingBar.Image) LoadingBar.Draw();
    ClickHereButton->Draw();
  } else {
    LoadingBar.Draw();
    if (!Finished) DrawLoading(0);
  }
  if (CustomDrawFunction) CustomDrawFunction();
}

void TVLoadingScreen::DrawLoading(int flip) {
  if (flip) plat::Cls();
  const plat::TImagePtr& picture =
      DrawLoadingTextImage2 && LoadingTextImage2 ? LoadingTextImage2 : LoadingTextImage;
  if (picture && (flip == 0 || (flip == 1 && Game->Music == 1))) {
    plat::SetBlend(plat::ALPHABLEND);
    plat::DrawImage(*picture, LoadingX, LoadingY);
  }
  if (flip) {
    if (!Game->FadeMouse) Game->Mouse.Draw();
    plat::Flip(1);
  }
}
