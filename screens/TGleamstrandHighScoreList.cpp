#include "TGleamstrandHighScoreList.h"

#include <algorithm>

#include "FileProblems.h"
#include "GameResources.h"
#include "Platform.h"
#include "TGameText.h"
#include "TTalvorineGame.h"
#include "Utf8.h"

TGleamstrandHighScoreList TGleamstrandHighScoreList::Create(const std::string& name,
                                                            int maxNameLength) {
  TGleamstrandHighScoreList list;
  list.filepath = (Game ? Game->ProfilePath : std::string()) + name + ".hsdat";
  list.MaxNameLength = maxNameLength;
  return list;
}

void TGleamstrandHighScoreList::Add(const std::string& name, int score) {
  Entries.push_back({name, score});
}

int TGleamstrandHighScoreList::Insert(const std::string& name, int score) {
  auto at = Entries.begin();
  while (at != Entries.end() && at->score >= score) ++at;
  if (at == Entries.end() && int(Entries.size()) >= numPositions) return 0;
  Entries.insert(at, {name, score});
  if (int(Entries.size()) > numPositions) Entries.resize(numPositions);
  return 1;
}

int TGleamstrandHighScoreList::GetPosition(int score) const {
  int position = 1;
  for (const TGleamstrandHighScore& entry : Entries) {
    if (entry.score < score) break;
    ++position;
  }
  return position <= numPositions ? position : 0;
}

void TGleamstrandHighScoreList::Load() {
  Entries.clear();
  std::vector<uint8_t> bytes;
  plat::TStreamPtr in = plat::ReadDiskFile(filepath);
  if (!in) {
    CreateDefault();
    return;
  }
  bytes = in->ReadAll();
  // Files of earlier versions have no mark: their names are Latin-1.
  bool utf8 = bytes.size() >= 4 && std::equal(bytes.begin(), bytes.begin() + 4, kUtf8Mark);
  // Whole entries only: a name without its terminator or a score cut short
  // ends the table there. A damaged file is read as far as it goes.
  size_t pos = utf8 ? 4 : 0;
  const size_t maxBytes = size_t(std::max(0, MaxNameLength)) * (utf8 ? 4 : 1);
  while (pos < bytes.size()) {
    // A name longer than the table shows is cut (a damaged file may hold
    // a name of any length).
    std::string stored;
    while (pos < bytes.size() && bytes[pos] != 0) {
      if (stored.size() < maxBytes) stored += char((bytes[pos] - NameShift) & 255);
      ++pos;
    }
    std::string name = plat::FirstChars(
        utf8 ? plat::TextOfStoredBytes(stored) : plat::Utf8OfLatin1(stored), size_t(MaxNameLength));
    if (pos + 5 > bytes.size()) break;
    ++pos;
    uint32_t score = uint32_t(bytes[pos]) | uint32_t(bytes[pos + 1]) << 8 |
                     uint32_t(bytes[pos + 2]) << 16 | uint32_t(bytes[pos + 3]) << 24;
    pos += 4;
    // No game scores below 0.
    if (int32_t(score) >= 0) Add(name, int32_t(score));
  }
  // Best first, so that an entry out of place never pushes a better one out;
  // equal scores keep their order. The table holds its ten places at most.
  std::stable_sort(Entries.begin(), Entries.end(),
                   [](const TGleamstrandHighScore& a, const TGleamstrandHighScore& b) {
                     return a.score > b.score;
                   });
  if (int(Entries.size()) > numPositions) Entries.resize(size_t(numPositions));
  if (Entries.empty()) CreateDefault();
}

int TGleamstrandHighScoreList::Save() const {
  if (plat::TStreamPtr out = plat::WriteFileAtomic(filepath)) {
    for (char mark : kUtf8Mark) out->WriteByte(static_cast<unsigned char>(mark));
    for (const TGleamstrandHighScore& entry : Entries) {
      for (char ch : entry.name) {
        int byte = (static_cast<unsigned char>(ch) + NameShift) & 255;
        if (byte != 0) out->WriteByte(byte);  // never an early terminator
      }
      out->WriteByte(0);
      out->WriteInt(entry.score);
    }
    if (out->Close()) return 1;
  }
  LogFileProblem("Failed to save file " + filepath);
  return 0;
}

void TGleamstrandHighScoreList::CreateDefault() {
  static constexpr int scores[numPositions] = {200, 170, 150, 130, 110, 90, 70, 50, 30, 10};
  Entries.clear();
  for (int i = 0; i < numPositions; ++i) {
    std::string key = "Highscore Name " + std::to_string(i + 1);
    std::string name = GameText ? GameText->FindString(key) : std::string();
    Add(name.empty() ? "Player" : name, scores[i]);
  }
  Save();
}

void TGleamstrandHighScoreList::Zero(int count) {
  Entries.clear();
  for (int i = 0; i < count; ++i) Add("Empty", 0);
  Save();
}
