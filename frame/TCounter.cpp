#include "TCounter.h"

#include "Globals.h"

std::unique_ptr<TCounter> TCounter::Create(int lengthMs, int activate) {
  auto counter = std::make_unique<TCounter>();
  counter->CounterLength = int(AnimLengthFromMs(float(lengthMs)));
  if (activate) counter->Activate();
  return counter;
}

void TCounter::Activate() {
  Counter = float(CounterLength);
  Active = 1;
}

int TCounter::Manage() {
  if (Counter <= 0) return 0;
  Counter -= LogicDelta;
  if (Counter > 0) return 0;
  Stop();
  return 1;
}

void TCounter::Stop() {
  Counter = 0;
  Active = 0;
}

std::shared_ptr<TCounter> TCounterList::AddNew(int lengthMs) {
  std::shared_ptr<TCounter> counter = TCounter::Create(lengthMs, 1);
  Counters.push_back(counter);
  return counter;
}

void TCounterList::Manage(int remove) {
  for (auto it = Counters.begin(); it != Counters.end();) {
    bool ended = (*it)->Manage() == 1;
    it = ended && remove ? Counters.erase(it) : std::next(it);
  }
}
