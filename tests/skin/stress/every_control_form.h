#pragma once
// A skinned form that holds every kind of control the engine skins, made and
// skinned the way the tool makes its main window: the controls are created
// hidden with the form, the form attach runs every installer over them, the
// labels, statics, group box and tab control get their own attach calls, the
// progress bar its highlight sweep, and then the form is shown. The stress benchmark opens it thousands of times,
// its test a few dozen, and its picture is what a user of the engine sees.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/gdi_object.h"

namespace korvath::skin::test {

// Starts the engine as the tool does (start-up, the container skin, the grey
// theme, skinning on with the default alpha). Undone by SkinEngineShutdown.
void StartEngineForEveryControlForm();

// The controls of one form, by kind.
struct EveryControl {
  HWND toolbar = nullptr;      // four buttons: plain, drop-down, check, disabled; and a separator
  HWND groupBox = nullptr;     // holds the check box and the two radio buttons
  HWND checkBox = nullptr;
  HWND radio1 = nullptr;
  HWND radio2 = nullptr;
  HWND pushButton = nullptr;
  HWND label = nullptr;        // transparent label beside the edit
  HWND edit = nullptr;         // single line
  HWND combo = nullptr;        // drop-down list
  HWND upDownBuddy = nullptr;  // the number edit of the up-down
  HWND upDown = nullptr;
  HWND iconStatic = nullptr;   // SS_ICON
  HWND textStatic = nullptr;
  HWND listBox = nullptr;      // more items than it shows: a scroll bar
  HWND progress = nullptr;     // with its highlight sweep
  HWND trackbar = nullptr;
  HWND memo = nullptr;         // multi-line, both scroll bars
  HWND tree = nullptr;         // expanded, more items than it shows
  HWND header = nullptr;       // a header control of its own
  HWND listView = nullptr;     // report view: its header, small icons, scroll bar
  HWND tab = nullptr;          // three tabs, a check box on its page
  HWND tabCheckBox = nullptr;
};

// One named control, for loops over all of them.
struct NamedControl {
  const char* kind;
  HWND window;
};

// What reached the forms' own procedure under the skin, over all forms.
struct FormEvents {
  int pushes = 0;           // BN_CLICKED of the push button
  int toolbarCommands = 0;  // WM_COMMAND of a toolbar button
  int dropDowns = 0;        // TBN_DROPDOWN of the toolbar's drop-down arrow
  int tabChanges = 0;       // TCN_SELCHANGE
  int headerClicks = 0;     // HDN_ITEMCLICK of the header
};

class EveryControlForm {
 public:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 480;

  // Makes, skins and shows the form with its top left corner at `screen`.
  // `activate`: the form becomes the active window (typing reaches it).
  // Unless `skinned`, the form and its controls keep their own look (the
  // reference the benchmarks measure the skin against).
  explicit EveryControlForm(POINT screen = {40, 40}, bool activate = true, bool skinned = true);
  // Destroys the form with its controls, then what it made for them.
  ~EveryControlForm();
  EveryControlForm(const EveryControlForm&) = delete;
  EveryControlForm& operator=(const EveryControlForm&) = delete;

  HWND hwnd() const { return form_; }
  const EveryControl& controls() const { return controls_; }
  // Every control above with its kind, parents before their children.
  std::vector<NamedControl> All() const;
  static FormEvents& Events();
  // Destroys the form now (the destructor then only frees what is left).
  void Destroy();

 private:
  void MakeControls();
  void Skin();

  HWND form_ = nullptr;
  EveryControl controls_;
  platform::GdiFont font_;
  HIMAGELIST toolbarImages_ = nullptr;  // a toolbar does not destroy its image list
};

}  // namespace korvath::skin::test
