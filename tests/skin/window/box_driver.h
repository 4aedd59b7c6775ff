#pragma once
// Drives real message boxes from inside their modal loops: each action runs
// on the next dialog ("#32770") of this thread that becomes visible, from a
// thread timer that keeps firing inside the box's own message loop. An
// action may open a further box (with its own action queued first).
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace korvath::skin::test {

class BoxDriver {
 public:
  using Action = std::function<void(HWND box)>;
  BoxDriver();
  ~BoxDriver();
  BoxDriver(const BoxDriver&) = delete;
  BoxDriver& operator=(const BoxDriver&) = delete;

  // Queues the action for the next new dialog. Dialogs with no action left
  // are cancelled (IDCANCEL), so that a failing test cannot hang.
  void Then(Action action) { actions_.push_back(std::move(action)); }
  int handled() const { return int(handled_.size()); }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  void Poll();

  std::vector<Action> actions_;
  std::vector<HWND> handled_;
  size_t next_ = 0;
  UINT_PTR timer_ = 0;
};

// Pumps until the box has painted itself (its back buffer exists).
bool WaitForFirstPaint(HWND box);
// Actions: press a button by identifier; close by the skinned close button.
void Press(HWND box, int id);
// The top-level windows of this thread, visible or not.
int ThreadWindowCount();
// The threads of this process.
int ProcessThreadCount();
// The layered alpha of a window (-1 when it has none).
int LayeredAlpha(HWND window);

}  // namespace korvath::skin::test
