// Who Back (Escape, a pad's B) goes to: the owner on top of a small stack
// (the top-most open dialog, page or menu), else the screen. Every owner
// reads Back through Hit with itself and nobody else sees it, so the order
// in which they run does not decide who wins.
#pragma once

#include <vector>

class TNavInput;

class TBackOwners {
 public:
  // The owner that stands for the screen under everything open.
  static constexpr const void* Screen = nullptr;

  explicit TBackOwners(TNavInput& input) : input_(input) {}

  // An owner opening over the others; one already in keeps its place (a
  // dialog started again stays under what opened over it).
  void Push(const void* owner);
  void Remove(const void* owner);
  bool Empty() const { return owners_.empty(); }
  bool IsTop(const void* owner) const;
  // 1 when Back acts on this step and owner is the one it goes to (the
  // command is then consumed), else 0.
  int Hit(const void* owner);

 private:
  TNavInput& input_;
  std::vector<const void*> owners_;
};
