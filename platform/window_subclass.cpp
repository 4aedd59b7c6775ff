#include "platform/window_subclass.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/window_procedure.h"

namespace korvath::platform {

namespace {

struct Entry {
  SubclassProc proc;
  UINT_PTR id;
  DWORD_PTR data;
  bool removed;
};

// Entries oldest first, called from the newest down. While a message runs
// through the chain (calls > 0) a removed entry keeps its place, so that the
// positions the running calls stand at stay valid; it goes once they return.
struct Chain {
  WNDPROC original = nullptr;
  std::vector<Entry> entries;
  int calls = 0;
};

// One message's way down one window's chain: `at` is the index of the entry
// it has reached (entries.size() before the first).
struct Frame {
  HWND window;
  Chain* chain;
  size_t at;
  Frame* outer;
};

using Table = std::unordered_map<HWND, std::shared_ptr<Chain>>;

// Per thread, as the windows' messages are: no lock on the way of a message.
thread_local Table table;
thread_local Frame* innermost = nullptr;

LRESULT CALLBACK ChainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

Entry* LiveEntry(Chain& chain, SubclassProc proc, UINT_PTR id) {
  for (Entry& entry : chain.entries)
    if (!entry.removed && entry.proc == proc && entry.id == id) return &entry;
  return nullptr;
}

bool OwnsSlot(HWND window) {
  return WindowProcedureOf(window) == &ChainProc;
}

// With no call running: drops removed entries, and when none is left and our
// procedure is still the top one, gives the window its original back.
void Tidy(HWND window, const std::shared_ptr<Chain>& chain) {
  if (chain->calls > 0) return;
  std::erase_if(chain->entries, [](const Entry& entry) { return entry.removed; });
  if (!chain->entries.empty() || !OwnsSlot(window)) return;
  SetWindowProcedure(window, chain->original);
  if (auto found = table.find(window); found != table.end() && found->second == chain) table.erase(found);
}

// Hands the message to the next live entry below the frame's position, the
// position moved for the length of that call only.
LRESULT CallBelow(Frame& frame, UINT message, WPARAM wParam, LPARAM lParam) {
  size_t next = frame.at;
  while (next > 0 && frame.chain->entries[next - 1].removed) --next;
  if (next == 0) return CallWindowProcW(frame.chain->original, frame.window, message, wParam, lParam);
  // A copy: an entry added meanwhile may move the vector.
  const Entry entry = frame.chain->entries[next - 1];
  const size_t saved = frame.at;
  frame.at = next - 1;
  const LRESULT result = entry.proc(frame.window, message, wParam, lParam, entry.id, entry.data);
  frame.at = saved;
  return result;
}

LRESULT CALLBACK ChainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = table.find(window);
  if (found == table.end()) return DefWindowProcW(window, message, wParam, lParam);
  // Held here: the window's end may take the chain out of the table meanwhile.
  const std::shared_ptr<Chain> chain = found->second;
  Frame frame{window, chain.get(), chain->entries.size(), innermost};
  innermost = &frame;
  ++chain->calls;
  const LRESULT result = CallBelow(frame, message, wParam, lParam);
  --chain->calls;
  innermost = frame.outer;
  if (message == WM_NCDESTROY) {
    for (Entry& entry : chain->entries) entry.removed = true;
    if (OwnsSlot(window)) SetWindowProcedure(window, chain->original);
    if (auto current = table.find(window); current != table.end() && current->second == chain)
      table.erase(current);
  } else {
    Tidy(window, chain);
  }
  return result;
}

}  // namespace

bool SetSubclass(HWND window, SubclassProc proc, UINT_PTR id, DWORD_PTR data) {
  if (!window || !proc || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return false;
  if (const auto found = table.find(window); found != table.end()) {
    Chain& chain = *found->second;
    if (Entry* entry = LiveEntry(chain, proc, id)) {
      entry->data = data;
      return true;
    }
    chain.entries.push_back(Entry{proc, id, data, false});
    return true;
  }
  // The window's first entry: its chain is made whole, with the entry and in
  // the table, before it takes the window's procedure, so that memory that
  // runs out meanwhile leaves nothing of it.
  auto made = std::make_shared<Chain>();
  made->entries.push_back(Entry{proc, id, data, false});
  const auto placed = table.emplace(window, std::move(made)).first;
  placed->second->original = SetWindowProcedure(window, &ChainProc);
  if (!placed->second->original) {
    table.erase(placed);
    return false;
  }
  return true;
}

bool GetSubclass(HWND window, SubclassProc proc, UINT_PTR id, DWORD_PTR* data) {
  const auto found = table.find(window);
  if (found == table.end()) return false;
  const Entry* entry = LiveEntry(*found->second, proc, id);
  if (entry && data) *data = entry->data;
  return entry != nullptr;
}

bool RemoveSubclass(HWND window, SubclassProc proc, UINT_PTR id) {
  const auto found = table.find(window);
  if (found == table.end()) return false;
  const std::shared_ptr<Chain> chain = found->second;
  Entry* entry = LiveEntry(*chain, proc, id);
  if (!entry) return false;
  entry->removed = true;
  Tidy(window, chain);
  return true;
}

LRESULT CallNextSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  for (Frame* frame = innermost; frame; frame = frame->outer)
    if (frame->window == window) return CallBelow(*frame, message, wParam, lParam);
  // Not called from inside an entry: the window's own procedure.
  if (const auto found = table.find(window); found != table.end())
    return CallWindowProcW(found->second->original, window, message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace korvath::platform
