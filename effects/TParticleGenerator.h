// Emits particles through a callback, one every interval, a given number of
// times; and a list of generators that drops the finished ones.
#pragma once

#include <functional>
#include <list>
#include <memory>

class TParticleGenerator;
using TMakeParticleFunction = std::function<void(TParticleGenerator&)>;

class TParticleGenerator {
 public:
  static std::shared_ptr<TParticleGenerator> Create(float x, float y, int qty, float intervalMs,
                                                    TMakeParticleFunction makeFunction,
                                                    int data1 = 0, int data2 = 0, int makeNow = 0);
  // -1 while inactive, 1 on the step it finishes, else 0.
  int Manage();

  int Active = 1;
  float x = 0, y = 0, dx = 0, dy = 0;
  int Qty = 0;
  float Interval = 0, IntervalCounter = 0;
  TMakeParticleFunction MakeParticleFunction;
  int Data1 = 0, Data2 = 0;
};

class TParticleGeneratorList {
 public:
  // Made at once; kept only while it has particles left to make.
  std::shared_ptr<TParticleGenerator> Add(float x, float y, int qty, float intervalMs,
                                          TMakeParticleFunction makeFunction);
  void Manage();
  size_t Count() const { return Generators.size(); }

  std::list<std::shared_ptr<TParticleGenerator>> Generators;
};
