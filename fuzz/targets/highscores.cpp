// The high-score table ("highscores.hsdat"): a damaged file yields the
// entries read before the damage, never more than ten.
#include "FuzzTarget.h"
#include "TGleamstrandHighScoreList.h"

GS_FUZZ_TARGET(highscores) {
  FuzzSetUp();
  FuzzFile("highscores.hsdat", data, size);
  auto table = TGleamstrandHighScoreList::Create(FuzzFolder() + "highscores", 10);
  table.filepath = FuzzFolder() + "highscores.hsdat";
  table.Load();
  if (table.Entries.size() > size_t(TGleamstrandHighScoreList::numPositions)) __builtin_trap();
  table.Insert("Ann", 150);
  table.GetPosition(75);
  return 0;
}
