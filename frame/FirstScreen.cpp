#include "FirstScreen.h"

#include "TScreen.h"

namespace {

TScreenFactory& Factory() {
  static TScreenFactory factory;
  return factory;
}

}  // namespace

void SetFirstScreenFactory(TScreenFactory factory) { Factory() = std::move(factory); }

std::unique_ptr<TScreen> MakeFirstScreen() {
  if (Factory()) {
    if (auto screen = Factory()()) return screen;
  }
  auto plain = std::make_unique<TScreen>();
  plain->name = "first";
  return plain;
}
