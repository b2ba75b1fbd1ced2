#include "TLevelPars.h"

#include <cstdlib>
#include <sstream>

#include "Platform.h"
#include "TTalvorineGame.h"
#include "TextCase.h"

bool TLevelPars::Load(const std::string& path) {
  Entries.clear();
  plat::TStreamPtr in = plat::ReadStream(path);
  if (!in) return false;
  while (!in->Eof()) {
    std::string line = in->ReadLine();
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    TEntry entry;
    std::string checksum;
    if (!(words >> entry.Name >> entry.Par >> checksum) || entry.Par <= 0) continue;
    entry.Checksum = uint32_t(std::strtoul(checksum.c_str(), nullptr, 16));
    // The limit is optional: a line measured before it counts as none.
    if (!(words >> entry.LimitSeconds) || entry.LimitSeconds < 0) entry.LimitSeconds = 0;
    Entries.push_back(entry);
  }
  in->Close();
  return true;
}

bool TLevelPars::LoadStandard() {
  return Load((Game ? Game->DataPrefix : std::string()) + "layouts/" + FileName);
}

const TLevelPars::TEntry* TLevelPars::Find(const std::string& level) const {
  const std::string name = FileStem(level);
  for (const TEntry& entry : Entries) {
    if (entry.Name == name) return &entry;
  }
  return nullptr;
}

int TLevelPars::ParOf(const std::string& level) const {
  const TEntry* entry = Find(level);
  return entry ? entry->Par : 0;
}

int TLevelPars::LimitOf(const std::string& level) const {
  const TEntry* entry = Find(level);
  return entry ? entry->LimitSeconds : 0;
}

int TLevelPars::Stars(int moves, int par) {
  if (par <= 0 || moves < 0) return 0;
  if (moves <= par) return MaxStars;
  if (moves <= 2 * par) return 2;
  return 1;
}

uint32_t TLevelPars::Checksum(const std::string& bytes) {
  uint32_t hash = 2166136261u;
  for (unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 16777619u;
  }
  return hash;
}
