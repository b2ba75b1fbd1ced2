// The game text file: sections of keyed texts. A damaged file is a fatal
// report (an exception the program's entry catches), never a crash.
#include "FuzzTarget.h"
#include "Globals.h"
#include "TGameText.h"

GS_FUZZ_TARGET(gametext) {
  FuzzSetUp();
  std::string path = FuzzFile("gametext.txt", data, size);
  try {
    auto text = TGameText::Create(path);
    if (text) {
      text->FindString("Data Pak Error");
      text->FindString("Highscore Name 1");
    }
  } catch (const TFatalError&) {
  }
  return 0;
}
