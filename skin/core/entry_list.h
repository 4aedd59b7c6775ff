#pragma once
// A per-kind control list of a skinned window's record (the record's
// `Buttons`, `Edits`, ... `Containers`): 1-based by number, as the controls'
// `Hw_lbID` and `Kj_lbID` name their entries, and read like a vector. Each
// entry keeps its address while it lives: the list grows without moving the
// entries it holds, and removing one (a container's, at its WM_NCDESTROY)
// moves only the numbers of the later ones. So a procedure finds its entry
// once per message and holds it, while installers and attaches add controls
// meanwhile; an entry dies only with its removal or with its record.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <vector>

namespace korvath::skin {

template <class Entry>
class SkinEntryList {
  using Slots = std::vector<std::unique_ptr<Entry>>;

  template <class Value>
  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Entry;
    using difference_type = std::ptrdiff_t;
    using pointer = Value*;
    using reference = Value&;

    Iterator() = default;
    explicit Iterator(typename Slots::const_iterator at) : at_(at) {}
    Value& operator*() const { return **at_; }
    Value* operator->() const { return at_->get(); }
    Iterator& operator++() {
      ++at_;
      return *this;
    }
    Iterator operator++(int) { return Iterator(at_++); }
    friend bool operator==(const Iterator& a, const Iterator& b) { return a.at_ == b.at_; }

   private:
    typename Slots::const_iterator at_{};
  };

 public:
  using value_type = Entry;
  using iterator = Iterator<Entry>;
  using const_iterator = Iterator<const Entry>;

  // `count` zeroed entries.
  explicit SkinEntryList(size_t count = 0) {
    for (size_t i = 0; i < count; ++i) emplace_back();
  }
  SkinEntryList(SkinEntryList&&) noexcept = default;
  SkinEntryList& operator=(SkinEntryList&&) noexcept = default;

  size_t size() const { return slots_.size(); }
  bool empty() const { return slots_.empty(); }

  // Entry i + 1 (0-based, as in a vector).
  Entry& operator[](size_t i) { return *slots_[i]; }
  const Entry& operator[](size_t i) const { return *slots_[i]; }
  Entry& at(size_t i) { return *slots_.at(i); }
  const Entry& at(size_t i) const { return *slots_.at(i); }
  Entry& front() { return *slots_.front(); }
  const Entry& front() const { return *slots_.front(); }
  Entry& back() { return *slots_.back(); }
  const Entry& back() const { return *slots_.back(); }

  iterator begin() { return iterator(slots_.cbegin()); }
  iterator end() { return iterator(slots_.cend()); }
  const_iterator begin() const { return const_iterator(slots_.cbegin()); }
  const_iterator end() const { return const_iterator(slots_.cend()); }

  // A zeroed entry as the new last number; the others stay where they are.
  Entry& emplace_back() { return *slots_.emplace_back(std::make_unique<Entry>()); }
  // Entry `number` released; the later ones take the number before theirs
  // and keep their addresses. Nothing for a number outside the list.
  void RemoveAt(int32_t number) {
    if (number < 1 || size_t(number) > slots_.size()) return;
    slots_.erase(slots_.begin() + (number - 1));
  }

 private:
  Slots slots_;
};

// Entry n (1-based) of a list, or null outside it: of a per-kind list, or of
// one of the engine's own lists (vectors, whose entries are not held).
template <class List>
auto SkinEntryAt(List& list, int32_t n) -> decltype(&list[0]) {
  if (n < 1 || size_t(n) > list.size()) return nullptr;
  return &list[size_t(n) - 1];
}

}  // namespace korvath::skin
