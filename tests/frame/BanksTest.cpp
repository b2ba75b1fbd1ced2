// Image and sound banks: names, extensions, handles, sizes and the fatal
// lookups.
#include <gtest/gtest.h>

#include "../platform/HeadlessDisplay.h"
#include "GameResources.h"
#include "Globals.h"
#include "ResourceTestSupport.h"
#include "SoundFiles.h"
#include "TImageBank.h"
#include "TSoundBank.h"
#include "TestSupport.h"

using restest::FatalMessage;
using testsupport::TempDir;

namespace {

class Banks : public gfxtest::HeadlessDisplay {
 protected:
  void SetUp() override {
    HeadlessDisplay::SetUp();
    saved_ = SharedDataPath;
    SharedDataPath = dir_.Path() + "/";
    plat::CreateDir(dir_.File("img/sub"), true);
    WritePng("img/pic.png", 7, 5);
    WritePng("img/sub/Other.PNG", 16, 8);
    WritePng("img/strip.png", 40, 10);
    bank_.SetPath(dir_.File("img"));
  }
  void TearDown() override {
    SharedDataPath = saved_;
    HeadlessDisplay::TearDown();
  }
  void WritePng(const std::string& name, int w, int h) {
    plat::TPixmap pixmap(w, h, plat::ARGB(255, 200, 10, 10));
    ASSERT_TRUE(plat::SavePixmapPNG(pixmap, dir_.File(name)));
  }
  TempDir dir_;
  std::string saved_;
  TImageBank bank_;
};

}  // namespace

TEST_F(Banks, ImagesAreKeyedByUpperCaseNameAndFoundInAnyCase) {
  EXPECT_EQ(bank_.Path, dir_.File("img") + "/");
  auto pic = bank_.Load("pic");
  EXPECT_EQ(pic->name, "PIC");
  EXPECT_EQ(bank_.Find("pic"), bank_.Find("PiC"));
  EXPECT_EQ(bank_.FindTImage("pIc"), pic->image);
  auto other = bank_.Load("sub/Other.PNG", "custom name");
  EXPECT_EQ(other->name, "CUSTOM NAME");
  EXPECT_EQ(bank_.Find("Custom Name"), other);
  // A reload under the same name replaces the entry.
  auto again = bank_.Load("pic");
  EXPECT_NE(again, pic);
  EXPECT_EQ(bank_.Find("PIC"), again);
  EXPECT_EQ(bank_.FindTImage("missing"), nullptr);
}

TEST_F(Banks, SizesHalvesAndHandles) {
  auto pic = bank_.Load("pic");
  EXPECT_EQ(pic->w, 7);
  EXPECT_EQ(pic->h, 5);
  EXPECT_EQ(pic->w2, 3);
  EXPECT_EQ(pic->h2, 2);
  EXPECT_EQ(pic->midhandled, 1);
  EXPECT_NEAR(pic->image->handle_x, 3.5f, 0.5f);
  auto flat = bank_.LoadNoMid("sub/other");
  EXPECT_EQ(flat->midhandled, 0);
  EXPECT_FLOAT_EQ(flat->image->handle_x, 0);
  EXPECT_FLOAT_EQ(flat->image->handle_y, 0);

  auto strip = bank_.LoadAnim("strip", 10, 10, 0, 4);
  EXPECT_EQ(strip->image->Frames(), 4);
  EXPECT_EQ(strip->w, 10);
  // KB: 7 * 4 * 5 -> 0; 16 * 4 * 8 = 512 B; 10 * 4 * 10 * 4 = 1600 B; VRAM rounds
  // sides up to powers of two: 8x8, 16x8, 16x16 * 4 frames.
  EXPECT_EQ(pic->CalcRAM(), 0);
  EXPECT_EQ(strip->CalcRAM(), 1);
  EXPECT_EQ(strip->CalcVRAM(), 4);
  TImageBank sized;
  sized.SetPath(dir_.File("img/"));
  sized.Load("sub/other");
  sized.LoadAnim("strip", 10, 10, 0, 4);
  EXPECT_EQ(sized.CalcRAM(), 0 + 1);
  EXPECT_EQ(sized.CalcVRAM(), 0 + 4);
}

TEST_F(Banks, MissingFilesAndNamesAreFatal) {
  EXPECT_EQ(FatalMessage([&] { bank_.Load("absent"); }),
            "Error loading bitmap " + dir_.File("img/absent.png"));
  EXPECT_EQ(FatalMessage([&] { bank_.LoadAnim("absent.jpg", 8, 8, 0, 2); }),
            "Error loading anim bitmap " + dir_.File("img/absent.jpg"));
  EXPECT_EQ(FatalMessage([&] { bank_.Find("nope"); }),
            "Image 'NOPE' was Not found in the ImageBank");
  EXPECT_NE(testsupport::ReadWholeFile(dir_.File("ErrorLog.txt")).find("Image 'NOPE'"),
            std::string::npos);
}

TEST_F(Banks, AddImageToBankWrapsLoadedImages) {
  plat::TImagePtr image = plat::CreateImage(10, 6);
  auto saved = InterfaceImageBank;
  InterfaceImageBank = std::make_shared<TImageBank>();
  auto entry = AddImageToBank(image, "TitleScreen", 0);
  EXPECT_EQ(InterfaceImageBank->Find("titlescreen"), entry);
  EXPECT_EQ(entry->w, 10);
  EXPECT_EQ(entry->midhandled, 0);
  auto mid = AddImageToBank(plat::CreateImage(10, 6), "centred", 1, &bank_);
  EXPECT_EQ(bank_.Find("CENTRED"), mid);
  EXPECT_FLOAT_EQ(mid->image->handle_x, 5);
  EXPECT_EQ(InterfaceImageBank->Map.count("CENTRED"), 0u);
  InterfaceImageBank = saved;
}

TEST_F(Banks, SoundNamesKeepTheirOwnExtensionOrGetWav) {
  TSoundBank sounds;
  sounds.SetPath(dir_.File("snd"));
  plat::CreateDir(dir_.File("snd"));
  testsupport::WriteWholeFile(dir_.File("snd/hint.wav"), soundtest::SquareWav(0.1, 0.5));
  auto hint = sounds.Load("hint", 0.9f, 0.5f);
  EXPECT_EQ(hint->name, "HINT");
  EXPECT_FLOAT_EQ(hint->pitch, 0.9f);
  EXPECT_FLOAT_EQ(hint->volume, 0.5f);
  EXPECT_EQ(sounds.Find("Hint"), hint);
  // The own extension stays: no "score.ogg.wav" and no "score.wav".
  EXPECT_EQ(FatalMessage([&] { sounds.Load("score.ogg"); }),
            "Error loading sample " + dir_.File("snd/score.ogg"));
  EXPECT_EQ(FatalMessage([&] { sounds.Load("buttonmo"); }),
            "Error loading sample " + dir_.File("snd/buttonmo.wav"));
  EXPECT_EQ(FatalMessage([&] { sounds.Find("score"); }),
            "Sound 'SCORE' was not found in the SoundBank");
  auto renamed = sounds.Load("hint.wav", 1, 1, "Other");
  EXPECT_EQ(sounds.Find("OTHER"), renamed);
}

TEST(BankPaths, FolderAndExtensionRules) {
  EXPECT_EQ(WithTrailingSlash("a"), "a/");
  EXPECT_EQ(WithTrailingSlash("a/"), "a/");
  EXPECT_EQ(WithTrailingSlash("a\\"), "a\\");
  EXPECT_EQ(BankFilePath("d/", "x", ".png"), "d/x.png");
  EXPECT_EQ(BankFilePath("d/", "x.JPG", ".png"), "d/x.JPG");
  EXPECT_EQ(BankFilePath("d/", "sub.d/x", ".wav"), "d/sub.d/x.wav");
}
