// A one-shot countdown in logic steps, and a list of them.
#pragma once

#include <list>
#include <memory>

class TCounter {
 public:
  static std::unique_ptr<TCounter> Create(int lengthMs, int activate);
  void Activate();
  // 1 on the step the countdown ends.
  int Manage();
  void Stop();

  int Active = 0;
  float Counter = 0;
  int CounterLength = 1000;
};

class TCounterList {
 public:
  // A running counter appended to the list (shared with the caller).
  std::shared_ptr<TCounter> AddNew(int lengthMs);
  // Steps every counter in order; with remove != 0 the ones that ended in
  // this step leave the list.
  void Manage(int remove);
  size_t Count() const { return Counters.size(); }

  std::list<std::shared_ptr<TCounter>> Counters;
};
