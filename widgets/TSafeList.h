// A pass over a list of shared objects during which members may leave the
// list (or make others leave it): a member that leaves keeps its slot and
// stays alive until the outermost pass ends, so the running pass neither
// loses its place nor calls into a destroyed object.
#pragma once

#include <list>
#include <memory>
#include <vector>

template <typename T>
class TSafeList {
 public:
  using List = std::list<std::shared_ptr<T>>;

  template <typename F>
  void Run(List& items, F&& f) {
    ++depth_;
    for (auto& item : items) {
      if (item) f(*item);
    }
    if (--depth_ == 0 && !removed_.empty()) {
      items.remove(nullptr);
      removed_.clear();
    }
  }

  void Remove(List& items, typename List::iterator it) {
    if (depth_ > 0) {
      removed_.push_back(std::move(*it));
      *it = nullptr;
    } else {
      items.erase(it);
    }
  }

  void Remove(List& items, const T* item) {
    for (auto it = items.begin(); it != items.end(); ++it) {
      if (it->get() == item) {
        Remove(items, it);
        return;
      }
    }
  }

  // Members still in the list (not left during the running pass).
  static size_t Count(const List& items) {
    size_t n = 0;
    for (const auto& item : items) n += item ? 1 : 0;
    return n;
  }

  bool Running() const { return depth_ > 0; }

 private:
  int depth_ = 0;
  std::vector<std::shared_ptr<T>> removed_;
};
