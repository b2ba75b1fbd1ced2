#include "Manifest.h"

#include <cctype>

#include "Backgrounds.h"
#include "Buttons.h"
#include "Cells.h"
#include "Gems.h"
#include "Headers.h"
#include "Icon.h"
#include "Illustrations.h"
#include "Music.h"
#include "Panels.h"
#include "Particles.h"
#include "Synth.h"
#include "Walls.h"
#include "Widgets.h"

namespace datagen {

namespace {

const std::string kGraphics = "Data/graphics/";
const std::string kMenus = "Data/menus/";
const std::string kSound = "Data/sound/";
const std::string kMusic = "Data/music/";
const std::string kResources = "data/resources/";

using Painter = std::function<Picture(int, int)>;

class Builder {
 public:
  std::vector<Entry> entries;

  void Picture(const std::string& folder, const std::string& name, int w, int h,
               const std::string& shows, Painter paint) {
    Entry e;
    e.folder = folder;
    e.name = name;
    e.kind = name.size() > 4 && name.substr(name.size() - 4) == ".jpg" ? Kind::Jpeg : Kind::Png;
    e.width = w;
    e.height = h;
    e.shows = shows;
    e.paint = std::move(paint);
    entries.push_back(std::move(e));
  }

  using WordPainter = std::function<datagen::Picture(int, int, const std::string&)>;
  using WordSize = std::function<double(int, int, const std::string&)>;
  // A picture with words that each language paints again in its own words.
  void Worded(const std::string& folder, const std::string& name, int w, int h,
              const std::string& shows, const std::string& key, const std::string& words,
              WordPainter paint, WordSize size) {
    Picture(folder, name, w, h, shows,
            [paint, words](int pw, int ph) { return paint(pw, ph, words); });
    Entry& e = entries.back();
    e.wordsKey = key;
    e.words = words;
    e.paintWords = std::move(paint);
    e.wordsPixels = std::move(size);
  }
  void Lettering(const std::string& name, int w, int h, const std::string& shows,
                 const std::string& words, datagen::Lettering style) {
    Worded(
        kGraphics, name + ".png", w, h, shows, name, words,
        [style](int pw, int ph, const std::string& t) { return PaintLettering(pw, ph, t, style); },
        [style](int pw, int ph, const std::string& t) {
          return LetteringPixels(pw, ph, t, style);
        });
  }

  void Sound(const std::string& folder, const std::string& name, const std::string& shows,
             std::function<Audio()> make, bool slow = false) {
    Entry e;
    e.folder = folder;
    e.name = name;
    e.kind = name.substr(name.size() - 4) == ".ogg" ? Kind::Ogg : Kind::Wav;
    e.shows = shows;
    e.sound = std::move(make);
    e.slow = slow;
    entries.push_back(std::move(e));
  }

  void Other(const std::string& folder, const std::string& name, Kind kind,
             const std::string& shows, const std::string& source = "", int effect = 0) {
    Entry e;
    e.folder = folder;
    e.name = name;
    e.kind = kind;
    e.shows = shows;
    e.source = source;
    e.effect = effect;
    entries.push_back(std::move(e));
  }

  // A button named N: its normal and mouse-over looks, the pressed and
  // disabled looks, and for toggles the "On" pair.
  struct Button {
    std::string name, overName;
    int w, h;
    ButtonArt art;
    std::string onCaption;  // toggles: the caption of the "On" looks ("" = same)
    std::string does;
    bool sameInEveryLanguage = false;  // a language's own name
  };
  void Buttons(const Button& b) {
    auto add = [&](const std::string& file, ButtonArt art, Look look, const std::string& shows) {
      if (art.glyph != Glyph::None) {
        Picture(kMenus, file + ".png", b.w, b.h, shows,
                [art, look](int w, int h) { return PaintButton(w, h, art, look); });
        return;
      }
      // Each language paints the caption in its own words; a toggle's "On"
      // looks have their own words when their caption differs. A language's
      // own name has no key: it reads the same in every language.
      std::string key = art.on && !b.onCaption.empty() ? b.name + "On" : b.name;
      if (b.sameInEveryLanguage) key.clear();
      Worded(
          kMenus, file + ".png", b.w, b.h, shows, key, art.caption,
          [art, look](int w, int h, const std::string& words) {
            ButtonArt own = art;
            own.caption = words;
            return PaintButton(w, h, own, look);
          },
          [art](int w, int h, const std::string& words) {
            ButtonArt own = art;
            own.caption = words;
            return CaptionPixels(w, h, own);
          });
    };
    std::string label = b.art.glyph == Glyph::None ? "\"" + b.art.caption + "\"" : "arrow";
    add(b.name, b.art, Look::Normal, "button " + label + ": " + b.does);
    add(b.overName, b.art, Look::Over, "button " + label + ", mouse over (glows)");
    if (b.art.radio) {
      ButtonArt on = b.art;
      on.on = true;
      if (!b.onCaption.empty()) on.caption = b.onCaption;
      add(b.name + "On", on, Look::Normal, "toggle " + label + ", selected");
      add(b.name + "OnMO", on, Look::Over, "toggle " + label + ", selected, mouse over");
    }
    add(b.name + "_disabled", b.art, Look::Disabled, "button " + label + ", disabled");
    add(b.name + "_down", b.art, Look::Down, "button " + label + ", pressed");
  }
};

Painter Fixed(std::function<datagen::Picture()> f) {
  return [f](int, int) { return f(); };
}

void AddArchive(Builder& b) {
  const std::string pak = Entry::kArchiveFolder;
  b.Other(kResources, "data.pak", Kind::Archive,
          "resource archive (version 0x00010001): the screen pictures and the font");
  size_t slash = Entry::kDenseArchive.rfind('/');
  b.Other(Entry::kDenseArchive.substr(0, slash + 1), Entry::kDenseArchive.substr(slash + 1),
          Kind::Archive,
          "every picture (and every language's worded pictures) painted at twice its size, "
          "for displays over 1.25 times 800 x 600; read only there");
  b.Other(pak, "calibri.ttf", Kind::Copy, "the game's face: Carlito Regular (SIL OFL)",
          "font:Carlito-Regular.ttf");
  const std::pair<Scene, const char*> screens[] = {
      {Scene::Blue, "blue cavern of ice-blue crystals"},
      {Scene::Teal, "teal grotto with aquamarine crystals"},
      {Scene::Violet, "violet hollow with amethyst and amber"},
      {Scene::Amber, "warm amber cave lit by glowing crystals"},
      {Scene::Green, "green cavern of mossy emerald crystals"},
  };
  for (int i = 0; i < 5; ++i) {
    Scene s = screens[i].first;
    b.Picture(
        pak, "gamescreen" + std::to_string(i + 1) + ".jpg", 800, 600,
        std::string("game-screen background: ") + screens[i].second + ", quiet over the board",
        [s](int w, int h) { return PaintBackground(s, w, h); });
  }
  b.Picture(pak, "playscreen.jpg", 800, 600, "level-selection background: calm blue-teal cave",
            [](int w, int h) { return PaintBackground(Scene::Play, w, h); });
  b.Picture(pak, "titlescreen.jpg", 800, 600,
            "menu backdrop: violet cavern with a warm glow behind the logo",
            [](int w, int h) { return PaintBackground(Scene::Title, w, h); });
  b.Picture(pak, "particle1.png", 32, 32, "pointer sparkle: white four-point star", PaintSparkle);
  b.Picture(pak, "particle2.png", 32, 32, "firework spark: white glow with a cross",
            PaintFireworkSpark);
}

void AddLooseFiles(Builder& b) {
  b.Other(kResources, "score1.par", Kind::Particle,
          "burst of warm-white sparks, a soft glow and a ring (normal cell)", "", 1);
  b.Other(kResources, "score2.par", Kind::Particle,
          "bigger white-gold burst of stars, glints and a wide ring (marble cell)", "", 2);
  b.Other(kResources, "LICENSE-Carlito.txt", Kind::Copy,
          "licence of the Carlito face shipped as calibri.ttf", "licence");
  b.Other("Data/text/", "gametext.txt", Kind::Copy, "every player-visible text",
          "text:gametext.txt");
  b.Other("data/", "Default.ini", Kind::Copy, "default settings (windowed)", "text:Default.ini");
  b.Picture("data/graphics/", "talvorinelogo.png", 520, 300,
            "maker's splash: the Talvorine Games crystal mark", PaintMakerLogo);
  b.Sound("data/sound/", "splash.wav", "maker's splash: shimmering chord, seamless 4 s loop",
          SynthSplash);
}

void AddInterface(Builder& b) {
  b.Picture(kGraphics, "particles.png", kParticleFrame * kParticleFrames, kParticleFrame,
            "particle strip: spark, star, soft orb, ring, shard, flare, smoke puff, glint, dot",
            PaintParticleStrip);
  b.Picture(kGraphics, "loadingbar.png", 400, 26, "loading bar, filled with crystal light",
            [](int w, int h) { return PaintBar(w, h, BarLook::Full); });
  b.Picture(kGraphics, "loadingbarempty.png", 400, 26, "loading bar, empty trough",
            [](int w, int h) { return PaintBar(w, h, BarLook::Empty); });
  b.Picture(kGraphics, "loadingbarfinal.png", 400, 26, "loading bar, finished",
            [](int w, int h) { return PaintBar(w, h, BarLook::Final); });
  b.Worded(
      kGraphics, "loading.png", 360, 90, "\"Loading...\" in gold letters", "loading", "Loading...",
      [](int w, int h, const std::string& t) { return PaintLoading(w, h, t); }, LoadingPixels);
  b.Picture(kGraphics, "pointer.png", 32, 32, "mouse pointer: crystal arrow, tip at (0,0)",
            PaintPointer);
  b.Picture(kGraphics, "icon.png", 64, 64, "window icon: jewels on a crystal-glass tile",
            [](int w, int) { return PaintAppIcon(w); });
  b.Picture(kGraphics, "progress.png", 200, 20, "progress bar, empty",
            [](int w, int h) { return PaintBar(w, h, BarLook::Empty); });
  b.Picture(kGraphics, "progressmo.png", 200, 20, "progress bar, filled",
            [](int w, int h) { return PaintBar(w, h, BarLook::Full); });
  b.Picture(kGraphics, "timebar.png", 200, 16, "time bar against the clock, empty",
            [](int w, int h) { return PaintBar(w, h, BarLook::Empty); });
  b.Picture(kGraphics, "timebarfill.png", 200, 16, "time bar, the time left",
            [](int w, int h) { return PaintBar(w, h, BarLook::Full); });
  b.Picture(kGraphics, "timebarurgent.png", 200, 16, "time bar in its last ten seconds: red",
            [](int w, int h) { return PaintBar(w, h, BarLook::Urgent); });
  b.Picture(kGraphics, "levelback.png", 176, 140, "level item frame with name strip",
            [](int w, int h) { return PaintLevelFrame(w, h, false); });
  b.Picture(kGraphics, "levelhighlight.png", 176, 140, "selected level item: amber rim",
            [](int w, int h) { return PaintLevelFrame(w, h, true); });
  b.Picture(kGraphics, "check.png", 28, 28, "completion mark: check on a green badge", PaintCheck);
  b.Picture(kGraphics, "star.png", 40, 40, "a star earned on a level: amber, glowing",
            [](int w, int h) { return PaintStar(w, h, true); });
  b.Picture(kGraphics, "starempty.png", 40, 40, "a star not yet earned: dim outline",
            [](int w, int h) { return PaintStar(w, h, false); });
  b.Picture(kGraphics, "textback.png", 400, 100, "neutral text panel",
            [](int w, int h) { return PaintPanel(w, h, PanelStyle::Plain); });
  b.Picture(kGraphics, "helptextback.png", 700, 70, "bar behind the game screen's messages",
            [](int w, int h) { return PaintPanel(w, h, PanelStyle::HelpBar); });
  b.Picture(kGraphics, "score1.png", 48, 26, "\"+25\" score mark",
            [](int w, int h) { return PaintLettering(w, h, "+25", Lettering::Score); });
  b.Picture(kGraphics, "score2.png", 54, 30, "\"+50\" score mark, white-gold",
            [](int w, int h) { return PaintLettering(w, h, "+50", Lettering::Bonus); });
  b.Worded(
      kGraphics, "paused.png", 300, 110, "\"Paused\" on a glass capsule", "paused", "Paused",
      [](int w, int h, const std::string& t) { return PaintPaused(w, h, t); }, PausedPixels);
  b.Lettering("music", 160, 40, "option label \"Music\"", "Music", Lettering::Label);
  b.Lettering("sound", 160, 40, "option label \"Sound\"", "Sound", Lettering::Label);
  b.Picture(kGraphics, "blackback.png", 680, 370, "dark translucent panel of the menu screens",
            [](int w, int h) { return PaintPanel(w, h, PanelStyle::Backdrop); });
  b.Picture(kGraphics, "input.png", 460, 190, "dialog panel: questions and text input",
            [](int w, int h) { return PaintPanel(w, h, PanelStyle::Dialog); });
  b.Picture(kGraphics, "inputlong.png", 640, 150, "wide dialog panel: messages",
            [](int w, int h) { return PaintPanel(w, h, PanelStyle::Dialog); });
  b.Picture(kGraphics, "helpimage.png", 200, 320,
            "example move: a swap, and the line of three it makes", PaintHelpImage);
  b.Picture(kGraphics, "manager.png", 580, 440,
            "panel of the save-game and player managers (wide enough for a row of five buttons)",
            [](int w, int h) { return PaintPanel(w, h, PanelStyle::Dialog); });
  b.Picture(kGraphics, "menu.png", 300, 400, "in-game menu panel (a column of seven buttons)",
            [](int w, int h) { return PaintPanel(w, h, PanelStyle::Menu); });
  b.Picture(kGraphics, "endlevelback.png", 320, 360,
            "end-of-level panel with a gem crest: the summary above, the buttons below",
            [](int w, int h) { return PaintPanel(w, h, PanelStyle::EndLevel); });
  b.Picture(kGraphics, "entername.png", 460, 200, "panel of the player-name prompt",
            [](int w, int h) { return PaintPanel(w, h, PanelStyle::Dialog); });
  b.Picture(kGraphics, "logo.png", 500, 170,
            "title logo \"Gleamstrand\": icy crystal letters, amber glow, six gems", PaintLogo);
  const std::pair<const char*, const char*> headers[] = {
      {"optionsheader", "Options"}, {"helpheader", "Help"}, {"highscoresheader", "High scores"}};
  for (auto& [file, text] : headers)
    b.Lettering(file, 400, 80, "header \"" + std::string(text) + "\"", text, Lettering::Header);
  b.Lettering("selectlevel", 400, 70, "header \"Select level\"", "Select level", Lettering::Header);
  b.Picture(kGraphics, "slider.png", 300, 26, "volume slider track with crystal end caps",
            PaintSliderTrack);
  b.Picture(kGraphics, "marker.png", 20, 26, "volume slider knob: amber crystal", PaintSliderKnob);
}

void AddCells(Builder& b) {
  auto cell = [&](const std::string& name, const std::string& shows,
                  std::function<datagen::Picture()> paint) {
    b.Picture(kGraphics, name + ".png", kCellSize, kCellSize, shows, Fixed(paint));
  };
  cell("cellnormal", "normal cell: dark translucent slate", [] { return PaintCellNormal(false); });
  cell("cellnormalmo", "normal cell, mouse over: lighter, teal rim",
       [] { return PaintCellNormal(true); });
  cell("cellmarble", "marble (goal) cell: white-veined marble, gilded rim",
       [] { return PaintCellMarble(false); });
  cell("cellmarblemo", "marble cell, mouse over: brighter gold",
       [] { return PaintCellMarble(true); });
  const char* jewels[6] = {"red round brilliant", "green emerald-cut octagon",
                           "blue rhombus",        "yellow four-pointed star",
                           "purple hexagon",      "white-cyan princess square"};
  for (int c = 1; c <= 6; ++c)
    cell("cell" + std::to_string(c),
         std::string("jewel ") + std::to_string(c) + ": " + jewels[c - 1],
         [c] { return PaintJewel(c); });
  cell("cellchain", "steel chains crossing over the cell", PaintCellChain);
  cell("cellcreate", "editor mark: green arrow, new jewels appear here", PaintCellCreate);
  cell("cellfill", "editor mark: amber struck circle, starts empty", PaintCellFill);
  cell("cellempty", "editor: faint dashed empty cell", PaintCellEmpty);
  cell("cellmarked", "selection ring: amber glow", PaintCellMarked);
  cell("cellhint", "hint ring: bright cyan-white with glints", PaintCellHint);
}

std::string DescribeFlags(unsigned f) {
  std::string s;
  const std::pair<unsigned, const char*> names[] = {
      {kWallL, "left"},      {kWallR, "right"},     {kWallT, "top"},       {kWallB, "bottom"},
      {kOutNW, "NW corner"}, {kOutNE, "NE corner"}, {kOutSW, "SW corner"}, {kOutSE, "SE corner"}};
  for (auto& [bit, name] : names)
    if (f & bit) s += (s.empty() ? "" : ", ") + std::string(name);
  return s;
}

void AddWalls(Builder& b) {
  for (const WallRule& rule : WallRules()) {
    if (!rule.decoration.empty())
      b.Picture(kGraphics, rule.decoration + ".png", kCellSize, kCellSize,
                "ornament over " + rule.tile,
                [rule](int, int) { return PaintWallDecoration(rule); });
    unsigned flags = rule.required;
    b.Picture(kGraphics, rule.tile + ".png", kCellSize, kCellSize,
              "rock rim facing the playing cells at: " + DescribeFlags(flags),
              [flags](int, int) { return PaintWall(flags); });
  }
}

void AddSounds(Builder& b) {
  b.Sound(kSound, "buttonclick.wav", "glass click", SynthButtonClick);
  b.Sound(kSound, "buttonmo.wav", "soft glass tick (mouse over)", SynthButtonOver);
  b.Sound(kSound, "buttonclick2.wav", "two falling glass notes: the swap goes back", SynthSwapBack);
  b.Sound(kSound, "applause.ogg", "applause of a few dozen hands",
          [] { return SynthApplause(false); });
  b.Sound(kSound, "applause2.ogg", "bigger, longer applause", [] { return SynthApplause(true); });
  b.Sound(kSound, "invalid.wav", "soft buzz of an invalid move", SynthInvalid);
  b.Sound(kSound, "hint.wav", "three rising bells", SynthHint);
  b.Sound(kSound, "score.ogg", "crystal chime of a breaking line", SynthScore);
  b.Sound(kSound, "startgame.wav", "rising bell arpeggio over a chord", SynthStartGame);
  b.Sound(kSound, "tick.wav", "clock tick: each of the last ten seconds", SynthTick);
  b.Sound(
      kMusic, "music1.ogg", "ambient track 1 in D major: pads, bells, reverb",
      [] { return ComposeMusic(1); }, true);
  b.Sound(
      kMusic, "music2.ogg", "ambient track 2 in A minor: pads, bells, reverb",
      [] { return ComposeMusic(2); }, true);
}

void AddButtons(Builder& b) {
  using B = Builder::Button;
  auto text = ButtonArt::Caption;
  auto glyph = ButtonArt::Arrow;
  auto radio = ButtonArt::Toggle;
  const std::vector<B> buttons = {
      {"play", "playMO", 220, 50, text("Play"), "", "title: go to level selection"},
      {"help", "helpMO", 220, 50, text("Help"), "", "title: help screen"},
      {"options", "optionsMO", 220, 50, text("Options"), "", "title: options screen"},
      {"highscore", "highscoreMO", 220, 50, text("High scores"), "", "title: high scores"},
      {"Exit", "exitMO", 220, 50, text("Exit"), "", "title: quit the game"},
      {"changeplayer", "changeplayerMO", 180, 32, text("Change player"), "", "title: players"},
      {"oksmall", "oksmallMO", 120, 40, text("OK"), "", "back to the title screen"},
      {"fullscreen", "fullscreenMO", 260, 40, radio("Full screen: off"), "Full screen: on",
       "options: full-screen toggle"},
      {"clear", "clearMO", 120, 40, text("Reset"), "", "high scores: reset the table"},
      {"playsmall", "playsmallMO", 150, 45, text("Play"), "", "level selection: play"},
      {"load", "loadMO", 150, 45, text("Load"), "", "resume a saved game / load the file"},
      {"customsmall", "customsmallMO", 150, 45, text("Editor"), "", "open the level editor"},
      {"backsmall", "backsmallMO", 150, 45, text("Back"), "", "back to the title screen"},
      {"standardlevel", "standardlevelMO", 200, 40, radio("Standard levels"), "",
       "radio: the standard levels"},
      {"customlevel", "customlevelMO", 200, 40, radio("My levels"), "", "radio: custom levels"},
      {"playrelaxed", "playrelaxedMO", 186, 32, radio("Relaxed"), "", "tab: play relaxed"},
      {"playclock", "playclockMO", 186, 32, radio("Against the clock"), "",
       "tab: play against the clock"},
      {"playattack", "playattackMO", 186, 32, radio("Time attack"), "",
       "tab: time attack on the open board"},
      {"playendless", "playendlessMO", 186, 32, radio("Endless"), "",
       "tab: endless on the open board"},
      {"arrowLeft", "arrowLeftMO", 40, 40, glyph(Glyph::Left), "", "previous page"},
      {"arrowRight", "arrowRightMO", 40, 40, glyph(Glyph::Right), "", "next page"},
      {"menu", "menuMO", 80, 28, text("Menu"), "", "game screen: in-game menu"},
      {"hint", "hintMO", 80, 28, text("Hint"), "", "game screen: show a hint"},
      {"savecustom", "savecustomMO", 170, 34, text("Save level"), "", "editor: save the layout"},
      {"loadcustom", "loadcustomMO", 170, 34, text("Load level"), "", "editor: load a layout"},
      {"reset", "resetMO", 170, 34, text("Clear board"), "", "editor: clear the board"},
      {"backtomenu", "backtomenuMO", 170, 34, text("Back to menu"), "", "leave to level selection"},
      {"resume", "resumeMO", 170, 34, text("Resume"), "", "in-game menu: continue"},
      {"restartpuzzle", "restartpuzzleMO", 170, 34, text("Restart"), "", "restart the level"},
      {"shufflepuzzle", "shufflepuzzleMO", 170, 34, text("Reshuffle"), "", "reshuffle the jewels"},
      {"savegame", "savegameMO", 170, 34, text("Save game"), "", "save the game in progress"},
      {"gameoptions", "gameoptionsMO", 170, 34, text("Options"), "", "in-game menu: options"},
      {"gamehelp", "gamehelpMO", 170, 34, text("Help"), "", "in-game menu: help"},
      {"nextpuzzle", "nextpuzzleMO", 170, 34, text("Next level"), "", "end of level: next level"},
      {"tryagain", "tryagainMO", 170, 34, text("Try again"), "", "out of time: the level again"},
      {"OK", "OKMO", 95, 36, text("OK"), "", "dialog: OK"},
      {"Yes", "YesMO", 95, 36, text("Yes"), "", "dialog: yes"},
      {"No", "NoMO", 95, 36, text("No"), "", "dialog: no"},
      {"Cancel", "CancelMO", 95, 36, text("Cancel"), "", "dialog: cancel"},
      {"Create", "CreateMO", 95, 36, text("Create"), "", "player manager: new player"},
      {"Delete", "DeleteMO", 95, 36, text("Delete"), "", "delete the selection"},
      {"Rename", "RenameMO", 104, 36, text("Rename"), "", "player manager: rename the player"},
      {"Up", "UpMO", 30, 24, glyph(Glyph::Up), "", "scroll the list up"},
      {"Down", "DownMO", 30, 24, glyph(Glyph::Down), "", "scroll the list down"},
  };
  for (const B& button : buttons) b.Buttons(button);
  // The options screen's language button: each language by its own name.
  const std::pair<const char*, const char*> languages[] = {
#define GS_LANGUAGE(region, code, name, aliases) {code, name},
#include "../../frame/Languages.def"
#undef GS_LANGUAGE
  };
  for (auto& [code, name] : languages) {
    std::string file = std::string("language") + code;
    b.Buttons({file, file + "MO", 260, 40, text(name), "", "options: the language spoken", true});
  }
}

std::vector<Entry> Build() {
  Builder b;
  AddArchive(b);
  AddLooseFiles(b);
  AddInterface(b);
  AddCells(b);
  AddWalls(b);
  AddSounds(b);
  AddButtons(b);
  return std::move(b.entries);
}

}  // namespace

const std::vector<Entry>& Manifest() {
  static const std::vector<Entry> entries = Build();
  return entries;
}

std::string Entry::DenseName(const std::string& path) {
  std::string name = path;
  // "data/resources/data.pak:x.png" is the archive's item "x.png" in data/resources/.
  if (name.rfind(kArchiveFolder, 0) == 0)
    name = kArchiveFolder.substr(0, kArchiveFolder.rfind('/') + 1) +
           name.substr(kArchiveFolder.size());
  for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

const Entry* FindEntry(const std::string& folder, const std::string& name) {
  for (const Entry& e : Manifest())
    if (e.folder == folder && e.name == name) return &e;
  return nullptr;
}

}  // namespace datagen
