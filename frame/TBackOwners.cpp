#include "TBackOwners.h"

#include <algorithm>

#include "TNavInput.h"

void TBackOwners::Push(const void* owner) {
  if (owner && std::find(owners_.begin(), owners_.end(), owner) == owners_.end()) {
    owners_.push_back(owner);
  }
}

void TBackOwners::Remove(const void* owner) { std::erase(owners_, owner); }

bool TBackOwners::IsTop(const void* owner) const {
  return owners_.empty() ? owner == Screen : owners_.back() == owner;
}

int TBackOwners::Hit(const void* owner) { return IsTop(owner) ? input_.Hit(TNavCommand::Back) : 0; }
