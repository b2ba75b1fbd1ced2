#include "ScreenTestSupport.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "GameConfig.h"
#include "GameInput.h"
#include "Globals.h"
#include "InstallEffects.h"
#include "InstallWidgets.h"
#include "Language.h"
#include "PlayerSelection.h"
#include "StartupSteps.h"
#include "TCellBox.h"
#include "TGameScreen.h"
#include "TGameScreens.h"
#include "TInputMode.h"
#include "TLanguage.h"
#include "TMenu.h"
#include "TPlayScreen.h"
#include "TRunScript.h"
#include "TTalvorineGame.h"
#include "TTitleScreen.h"
#include "TVMouse.h"

namespace screentest {

namespace {

const std::string kRuntime = GS_RUNTIME_DIR;
// The player's data folder is named in letters beyond Latin-1 ("Дмитрий"):
// every path the game builds in it must reach the file system unchanged.
const std::string kDataHome = "xdg-\xd0\x94\xd0\xbc\xd0\xb8\xd1\x82\xd1\x80\xd0\xb8\xd0\xb9";

// The frame's period on the virtual clock: three 5 ms logic steps a frame,
// so the clock and the logic agree exactly.
constexpr double kFramePeriodMs = 15.0;

struct TEnvVar {
  const char* Name = nullptr;
  bool Had = false;
  std::string Value;
};

}  // namespace

// Everything a run changes outside the game object, put back afterwards.
struct ScreenTest::TSaved {
  int ScreenWidth = 0, ScreenHeight = 0, DefaultFadeLength = 0, FlipSync = 0;
  float LogicDelta = 1;
  int StartupStage = 0, LoadStartTime = 0, ErrorsOnScreen = 0, ErrorLogOn = 0;
  std::string SharedDataPath;
  TRunOptions RunOptions;
  int MusicStarted = 0, MusicRotateTrack = 1;
  TVMouse VMouse;
  TGameConfig GameConfig;
  std::string Dir;
  TEnvVar Env[5];
};

ScreenTest::ScreenTest() = default;
ScreenTest::~ScreenTest() = default;

void ScreenTest::SaveGlobals() {
  saved_ = std::make_unique<TSaved>();
  TSaved& s = *saved_;
  s.ScreenWidth = ScreenWidth;
  s.ScreenHeight = ScreenHeight;
  s.DefaultFadeLength = DefaultFadeLength;
  s.FlipSync = FlipSync;
  s.LogicDelta = LogicDelta;
  s.StartupStage = StartupStage;
  s.LoadStartTime = LoadStartTime;
  s.ErrorsOnScreen = ErrorsOnScreen;
  s.ErrorLogOn = ErrorLogOn;
  s.SharedDataPath = SharedDataPath;
  s.RunOptions = RunOptions;
  s.MusicStarted = MusicStarted;
  s.MusicRotateTrack = MusicRotateTrack;
  s.VMouse = VMouse;
  s.GameConfig = GameConfig;
  s.Dir = plat::CurrentDir();
  s.Env[0].Name = "XDG_DATA_HOME";
  s.Env[1].Name = "HOME";
  // The desktop's language: English unless a test asks for another.
  s.Env[2].Name = "LC_ALL";
  s.Env[3].Name = "LC_MESSAGES";
  s.Env[4].Name = "LANG";
  for (TEnvVar& var : s.Env) {
    const char* value = std::getenv(var.Name);
    var.Had = value != nullptr;
    if (value) var.Value = value;
  }
}

void ScreenTest::RestoreGlobals() {
  TSaved& s = *saved_;
  ScreenWidth = s.ScreenWidth;
  ScreenHeight = s.ScreenHeight;
  DefaultFadeLength = s.DefaultFadeLength;
  FlipSync = s.FlipSync;
  LogicDelta = s.LogicDelta;
  StartupStage = s.StartupStage;
  LoadStartTime = s.LoadStartTime;
  ErrorsOnScreen = s.ErrorsOnScreen;
  ErrorLogOn = s.ErrorLogOn;
  SharedDataPath = s.SharedDataPath;
  RunOptions = s.RunOptions;
  MusicStarted = s.MusicStarted;
  MusicRotateTrack = s.MusicRotateTrack;
  VMouse = s.VMouse;
  GameConfig = s.GameConfig;
  // The hooks the layers install while the game runs.
  StartupHooks = TStartupHooks();
  TCellBox::SetHoverGate(nullptr);
  SetSpriteMaker(nullptr);
  SetPointerParticleListMaker(nullptr);
  plat::ChangeDir(s.Dir);
  plat::SetLanguageFolder("");
  GameLanguage = TLanguage();
  for (const TEnvVar& var : s.Env) {
    if (var.Had) {
      setenv(var.Name, var.Value.c_str(), 1);
    } else {
      unsetenv(var.Name);
    }
  }
}

void ScreenTest::SetUp() {
  if (plat::FileType(kRuntime + "/data/resources/data.pak") != plat::FILETYPE_FILE) {
    GTEST_SKIP() << "needs the game's generated data in " << kRuntime;
  }
  SaveGlobals();
  setenv("XDG_DATA_HOME", dir_.File(kDataHome).c_str(), 1);
  setenv("HOME", dir_.File("home").c_str(), 1);
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  setenv("LANG", "C", 1);
  plat::CreateDir(dir_.File("home"), true);
  plat::CreateDir(ProfileFolder(), true);
  plat::CreateDir(GameFolder() + "layouts", true);
  // The data is read only: links to the built game's folders.
  for (const char* folder : {"data", "Data"}) {
    std::string from = kRuntime + "/" + folder;
    ASSERT_EQ(symlink(from.c_str(), (GameFolder() + folder).c_str()), 0) << from;
  }
}

void ScreenTest::TearDown() {
  if (!saved_) return;
  StopGame();
  RestoreGlobals();
  // Nothing beside the three folders: no copy of the data folder under a
  // name the path was turned into on the way.
  for (const std::string& entry : plat::ReadDir(dir_.Path())) {
    EXPECT_TRUE(entry == "game" || entry == "home" || entry == kDataHome) << entry;
  }
}

void ScreenTest::StopGame() {
  if (!started_) return;
  if (!ended_) EndGame();
  ReleaseGameScreens();
  ReleaseStartupObjects();
  DestroyGame();
  GameFlushKeys();
  plat::Shutdown();
  started_ = false;
}

bool ScreenTest::StartInEditor(TGameScreen& screen) {
  if (!StartGame() || !RunUntilShown(Screens->FirstScreen())) return false;
  ChoosePlayerAtStart();
  screen.LeaveTo = Screens->FirstScreen();
  return screen.StartEditor() && RunUntilShown(&screen);
}

bool ScreenTest::StartInLevel(TGameScreen& screen, const std::string& layoutPath, int custom) {
  if (!StartGame() || !RunUntilShown(Screens->FirstScreen())) return false;
  ChoosePlayerAtStart();
  screen.LeaveTo = Screens->FirstScreen();
  return screen.StartLevel(layoutPath, custom) && RunUntilShown(&screen);
}

bool ScreenTest::OpenLevelSelection() {
  return RunUntilShown(Screens->Title.get()) &&
         ClickButton(Screens->Title->MainMenu.get(), "play") && RunUntilShown(Screens->Play.get());
}

bool ScreenTest::RestartGame() {
  StopGame();
  ended_ = false;
  scripts_.clear();
  frame_.reset();
  keepSettingsFile_ = true;
  return StartGame();
}

void ScreenTest::EndAndForget() {
  StopGame();
  ended_ = false;
  scripts_.clear();
  frame_.reset();
  std::filesystem::remove_all(SharedFolder());
  plat::CreateDir(ProfileFolder(), true);
}

std::string ScreenTest::SharedFolder() const {
  return dir_.File(kDataHome) + "/Talvorine Games/Cavernglow/";
}
std::string ScreenTest::ProfileFolder() const { return SharedFolder() + "profiles/"; }
std::string ScreenTest::SettingsFile() const { return SharedFolder() + "gleamstrand.ini"; }

std::string ScreenTest::AddLevel(const std::string& name, const std::vector<std::string>& rows,
                                 int custom) {
  std::string text = "Gleamstrand Layout\r\n";
  // The four blocks: kind, chains, create cells, fill cells (all filled).
  for (int block = 0; block < 4; ++block) {
    text += "-\r\n";
    for (int y = 0; y < 12; ++y) {
      std::string row = y < int(rows.size()) ? rows[size_t(y)] : std::string();
      for (int x = 0; x < 16; ++x) {
        char c = x < int(row.size()) ? row[size_t(x)] : ' ';
        int kind = c == '.' || c == 'c' ? 1 : c == 'm' ? 2 : 0;
        int value = block == 0   ? kind
                    : block == 2 ? (c == 'c' ? 1 : 0)
                    : block == 3 ? (kind ? 1 : 0)
                                 : 0;
        text += char('0' + value);
      }
      text += "\r\n";
    }
  }
  std::string path = (custom ? ProfileFolder() : GameFolder() + "layouts/") + name + ".layout";
  testsupport::WriteWholeFile(path, text);
  return path;
}

std::string ScreenTest::AddLevel(const std::string& name, int custom) {
  return AddLevel(name, {"", "", "", "     cccccc", "     ..mm..", "     ......", "     ......"},
                  custom);
}

void ScreenTest::MakePlayer(const std::string& name, bool last) {
  testsupport::WriteWholeFile(ProfileFolder() + name + ".dat", std::string("\1\0\0\0", 4));
  if (last) SetSetting("PROFILE NAME", name);
}

void ScreenTest::SetSetting(const std::string& key, const std::string& value) {
  for (auto& setting : settings_) {
    if (setting.first == key) {
      setting.second = value;
      return;
    }
  }
  settings_.push_back({key, value});
}

// The defaults with the test's own settings over them; the splash is skipped
// (it runs only with "FADE=1"), the fades are put back after start-up.
void ScreenTest::WriteSettings() {
  std::istringstream defaults(testsupport::ReadWholeFile(kRuntime + "/data/Default.ini"));
  std::vector<std::pair<std::string, std::string>> lines;
  for (std::string line; std::getline(defaults, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t eq = line.find('=');
    if (eq != std::string::npos) lines.push_back({line.substr(0, eq), line.substr(eq + 1)});
  }
  auto set = [&lines](const std::string& key, const std::string& value) {
    for (auto& line : lines) {
      if (line.first == key) {
        line.second = value;
        return;
      }
    }
    lines.push_back({key, value});
  };
  set("FADE", "0");
  set("FULL SCREEN", "0");
  for (const auto& [key, value] : settings_) set(key, value);
  std::string text;
  for (const auto& [key, value] : lines) text += key + "=" + value + "\r\n";
  testsupport::WriteWholeFile(SettingsFile(), text);
}

bool ScreenTest::StartGame() {
  if (!keepSettingsFile_) WriteSettings();
  plat::TBackendOptions backend;
  backend.Headless = true;
  backend.OutputWidth = OutputWidth;
  backend.OutputHeight = OutputHeight;
  if (!plat::Startup(backend)) {
    ADD_FAILURE() << "the headless backend did not start";
    return false;
  }
  started_ = true;
  plat::SetVirtualClock(10000);
  plat::SetHeadlessFramePeriod(kFramePeriodMs);
  plat::ChangeDir(GameFolder());
  ScreenWidth = 800;
  ScreenHeight = 600;
  ErrorsOnScreen = 0;
  RunOptions = TRunOptions();
  RunOptions.Headless = true;
  RunOptions.HasSeed = true;
  RunOptions.Seed = 1;
  RunOptions.Language = Language;
  UseEventInput();
  GameFlushKeys();
  VMouse = TVMouse();
  InputMode.Reset();
  SeedRandom();
  // The layers' hooks, as the program installs them.
  InstallWidgets();
  InstallEffects();
  InstallGameScreens();
  if (!GameSetup()) {
    ended_ = true;
    return false;
  }
  Game->Fade = Fades ? 1 : 0;
  Game->BeforeLogicStep = [this](long long step) {
    for (const auto& script : scripts_) script->Post(step);
  };
  Game->BeforeFlip = [this] {
    if (grab_) frame_ = plat::GrabPixmap(0, 0, ScreenWidth, ScreenHeight);
  };
  Game->FixedRateLogic.Init();
  return true;
}

void ScreenTest::Script(const std::string& text) {
  // Step numbers move by the steps already run.
  std::istringstream in(text);
  std::string shifted;
  for (std::string line; std::getline(in, line);) {
    size_t start = line.find_first_not_of(" \t");
    if (start != std::string::npos && std::isdigit(static_cast<unsigned char>(line[start]))) {
      size_t end = line.find_first_not_of("0123456789", start);
      long long step = std::stoll(line.substr(start, end - start)) + Step();
      line = std::to_string(step) + line.substr(end == std::string::npos ? line.size() : end);
    }
    shifted += line + "\n";
  }
  auto script = std::make_unique<TRunScript>();
  std::string error;
  if (!script->Parse(shifted, error)) {
    ADD_FAILURE() << "script: " << error;
    return;
  }
  scripts_.push_back(std::move(script));
}

bool ScreenTest::Steps(int n) {
  if (!Game || ended_) return false;
  long long target = Game->LogicSteps + n;
  Game->StepLimit = target;
  // Frames of up to three 5 ms steps; the virtual clock moves by exactly
  // the steps each frame ran, so that time and logic never drift apart.
  Game->NoTiming = 1;
  while (Game->LogicSteps < target) {
    int ticks = int(std::min<long long>(stepsPerFrame_, target - Game->LogicSteps));
    Game->NoTimingTicks = ticks;
    plat::SetHeadlessFramePeriod(5.0 * ticks);
    if (Game->MainLogicLoop() == -1) {
      if (Game->InstantExit) {
        ended_ = true;
        EndGame();
        return false;
      }
      break;
    }
    grab_ = KeepFrames && Game->LogicSteps >= target;
    Game->ScreenDraw();
    MusicRotate(0);
  }
  grab_ = false;
  Game->StepLimit = -1;
  return true;
}

bool ScreenTest::RunUntil(const std::function<bool()>& done, int limit) {
  // At least one frame, so that there is always a last frame to look at.
  for (int run = 0; run < limit; run += stepsPerFrame_) {
    if (!Steps(stepsPerFrame_)) return done();
    if (done()) return true;
  }
  return done();
}

bool ScreenTest::StartAtNamePrompt() {
  if (!StartGame() || !RunUntilShown(Screens->Title.get())) return false;
  const TTitleScreen& title = *Screens->Title;
  return RunUntil([&] { return title.EnterName && title.EnterName->Active; });
}

bool ScreenTest::RunUntilShown(const TScreen* screen, int limit) {
  return RunUntil(
      [screen] { return Game && !Game->GameFade.Active && Game->CurrentTScreen == screen; }, limit);
}

bool ScreenTest::Click(int x, int y, int stepsAfter) {
  // Pressed and let go in two steps, as a hand does: the click tracker
  // sees the button down.
  Script("1 move " + std::to_string(x) + " " + std::to_string(y) + "\n2 down left\n3 up left");
  return Steps(3 + stepsAfter);
}

bool ScreenTest::ClickButton(const TMenu* menu, const std::string& name, int stepsAfter) {
  const TButton* button = menu ? menu->FindButton(name) : nullptr;
  if (!button) {
    ADD_FAILURE() << "no button " << name;
    return false;
  }
  return Click(int(button->x + button->w / 2.0f), int(button->y + button->h / 2.0f), stepsAfter);
}

bool ScreenTest::Drag(int x0, int y0, int x1, int y1, int steps) {
  std::string script =
      "1 move " + std::to_string(x0) + " " + std::to_string(y0) + "\n2 down left\n";
  for (int i = 1; i <= steps; ++i) {
    int x = x0 + (x1 - x0) * i / steps, y = y0 + (y1 - y0) * i / steps;
    script += std::to_string(2 + i) + " move " + std::to_string(x) + " " + std::to_string(y) + "\n";
  }
  script += std::to_string(3 + steps) + " up left\n";
  Script(script);
  return Steps(steps + 4);
}

bool ScreenTest::Key(const std::string& key, int stepsAfter) {
  Script("1 key " + key);
  return Steps(1 + stepsAfter);
}

long long ScreenTest::Step() const { return Game ? Game->LogicSteps : 0; }
TScreen* ScreenTest::Current() const { return Game ? Game->CurrentTScreen : nullptr; }
bool ScreenTest::Exited() const { return ended_; }

const plat::TPixmap& ScreenTest::Frame() const {
  static const plat::TPixmap empty(1, 1, 0);
  return frame_ ? *frame_ : empty;
}

uint32_t ScreenTest::Pixel(int x, int y) const {
  const plat::TPixmap& frame = Frame();
  if (x < 0 || y < 0 || x >= frame.width || y >= frame.height) return 0;
  return frame.ReadPixel(x, y) & 0xFFFFFF;
}

std::string ScreenTest::Shot(const std::string& name) const {
  std::string folder = kRuntime + "/../screenshots";
  plat::CreateDir(folder, true);
  std::string file = folder + "/" + name + ".png";
  if (!frame_ || !plat::SavePixmapPNG(*frame_, file))
    ADD_FAILURE() << "no frame to save as " << file;
  return file;
}

}  // namespace screentest
