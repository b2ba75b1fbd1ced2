// The one open question or panel of the in-game interface: its dialog, what
// its answer does, and the questions and messages waiting their turn. A new
// question is one call; whatever opens while one is open waits, oldest
// first, and opens when the slot is free again.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>

class TDialog;

class TDialogSlot {
 public:
  enum TKind {
    None,
    ShuffleInput,
    RestartInput,
    QuitInput,
    ResetInput,
    // "Load another level?" (editor, over unsaved changes)
    LoadInput,
    OKInput,
    SaveGameNameInput,
    // The chooser of saved games or layouts.
    SaveGameManager,
  };
  // Builds the dialog when its turn comes (started, as the game's dialog
  // builders leave it).
  using TMake = std::function<std::unique_ptr<TDialog>()>;
  // Runs once the dialog has left the slot, with its result (1 yes/OK, -1
  // no/cancel) and the dialog itself, still whole, to read what was typed or
  // chosen.
  using TAnswer = std::function<void(int result, TDialog& closed)>;

  TDialogSlot();
  ~TDialogSlot();

  // Opens the dialog now when the slot is free, else queues it.
  void Open(TKind kind, TMake make, TAnswer answer = {});
  bool IsOpen() const { return dialog_ != nullptr; }
  TKind Kind() const { return kind_; }
  TDialog* Dialog() const { return dialog_.get(); }
  // The open dialog when it is of this kind, else null.
  template <class T>
  T* As(TKind kind) const {
    return kind_ == kind ? static_cast<T*>(dialog_.get()) : nullptr;
  }
  // One step of the open dialog; when it answers, it closes, Closed runs,
  // then its answer, then the next waiting one opens (unless the answer
  // opened one of its own, which goes first).
  void Manage();
  void Draw() const;
  // Closes everything, waiting ones included, without answers.
  void Kill();

  // The owner's tidy-up after any dialog closed, before its answer runs.
  std::function<void(TKind)> Closed;

 private:
  struct TWaiting {
    TKind kind;
    TMake make;
    TAnswer answer;
  };
  void Show(TWaiting waiting);
  // Puts a dialog in the slot now, dropping any open one.
  void Replace(TKind kind, std::unique_ptr<TDialog> dialog, TAnswer answer = {});

  TKind kind_ = None;
  std::unique_ptr<TDialog> dialog_;
  TAnswer answer_;
  std::deque<TWaiting> waiting_;
};
