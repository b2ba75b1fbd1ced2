#include "TDialogSlot.h"

#include <utility>

#include "TDialog.h"

TDialogSlot::TDialogSlot() = default;

TDialogSlot::~TDialogSlot() = default;

void TDialogSlot::Open(TKind kind, TMake make, TAnswer answer) {
  TWaiting waiting{kind, std::move(make), std::move(answer)};
  if (IsOpen()) {
    waiting_.push_back(std::move(waiting));
  } else {
    Show(std::move(waiting));
  }
}

void TDialogSlot::Replace(TKind kind, std::unique_ptr<TDialog> dialog, TAnswer answer) {
  if (dialog_) dialog_->Kill();
  kind_ = dialog ? kind : None;
  dialog_ = std::move(dialog);
  answer_ = std::move(answer);
}

void TDialogSlot::Show(TWaiting waiting) {
  Replace(waiting.kind, waiting.make ? waiting.make() : nullptr, std::move(waiting.answer));
}

void TDialogSlot::Manage() {
  if (!dialog_) return;
  const int result = dialog_->Manage();
  if (result == 0) return;
  // The slot is free before the answer runs, so that a question or message
  // the answer opens is shown rather than queued behind nothing.
  const TKind kind = kind_;
  TAnswer answer = std::move(answer_);
  std::unique_ptr<TDialog> closed = std::move(dialog_);
  kind_ = None;
  if (Closed) Closed(kind);
  if (answer) answer(result, *closed);
  closed->Kill();
  if (!IsOpen() && !waiting_.empty()) {
    TWaiting next = std::move(waiting_.front());
    waiting_.pop_front();
    Show(std::move(next));
  }
}

void TDialogSlot::Draw() const {
  if (dialog_) dialog_->Draw();
}

void TDialogSlot::Kill() {
  waiting_.clear();
  Replace(None, nullptr);
}
