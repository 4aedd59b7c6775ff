#pragma once
// The form runtime: builds a window and its controls ("units") from a form
// description, raises the program's handlers for the user's actions on them,
// and reads and writes their properties. Texts are GBK.
//
// Events: a handler runs only for the user's own action (a click, the choice
// of a list item, the focus leaving an edit box, an edit made by the user);
// writing a property from code raises nothing, except that writing an edit
// box's content raises its content-changed event. Notifications are routed by
// the control's handle, and edit boxes report their events from their own
// subclass, so that a control reaches its handler whichever window it sits in
// (a group box, or a panel window that a skin puts it under later).
//
// Keys, as in a dialog: Tab and Shift+Tab move the focus through the tab stops
// in the units' order, wherever they sit (a radio group is one stop: its
// checked button, or its first when none is checked); a window that is no
// unit but holds units (one that a skin lays around a unit) and is a tab
// stop itself comes right after the last unit it holds, and the keys it does
// not take itself it hands to the form's window. The arrow keys move within
// a radio group and turn on the button they reach, with a click of its own;
// Enter presses the focused push button, as Space does.
//
// The focus, as in a dialog, outlives the window's deactivation: the control
// that had it when another window (a message box, a system dialog, another
// program) became active, or when the window was minimised, gets it back when
// the window is active again. A minimised window holds no focus, however it
// is made active: its keys reach neither the window nor a control (Esc closes
// nothing), and Enter restores it.
#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gbk_convert.h"
#include "platform/gdi_object.h"

namespace korvath::platform {

enum class UnitKind { Label, EditBox, PushButton, RadioButton, ComboBox, GroupBox };

enum class UnitEvent { Click, Selection, LostFocus, ContentChanged };

using EventHandler = void (*)();

struct EventBinding {
  UnitEvent event;
  EventHandler handler;
};

// Parent of a unit that sits directly on the window.
inline constexpr int kOnWindow = -1;

struct UnitDescription {
  int id = 0;                // the unit's number: its position in the table
  std::string_view name;     // GBK
  UnitKind kind = UnitKind::Label;
  int parent = kOnWindow;    // a group box listed earlier, or the window
  int x = 0, y = 0;          // in the parent's client area
  int width = 0, height = 0; // a combo box's height is that of its closed box; a radio
                             // button's width is its least, widened to fit its caption
  std::string_view caption;  // caption, or an edit box's initial content (GBK)
  std::vector<std::string_view> items;  // a combo box's initial items (GBK)
  int maxLength = 0;         // edit boxes: at most this many bytes of GBK text; 0 = no limit
  int maxChars = 0;          // edit boxes: at most this many characters, whatever their
                             // size in GBK; 0 = no limit
  bool checked = false;      // radio buttons: on at start
  std::vector<EventBinding> events;
};

struct FormDescription {
  std::string_view title;  // GBK
  int x = 0, y = 0, width = 0, height = 0;
  bool centred = false;         // centred on the screen instead of at (x, y)
  bool nativeBorder = true;     // system frame, caption and system menu
  bool minimiseButton = true;
  bool maximiseButton = true;
  bool inTaskbar = true;
  bool topMost = false;
  bool escapeCloses = false;    // Esc sends the window WM_CLOSE
  EventHandler onCreationDone = nullptr;
  std::vector<UnitDescription> units;
};

// Turns a list's or combo box's redrawing off (WM_SETREDRAW, which these
// controls handle themselves) for the scope: filling it item by item then
// neither redraws nor rescrolls it for every item. Nothing is repainted when
// it turns back on: meant for a list filled before its window shows.
class RedrawPaused {
 public:
  explicit RedrawPaused(HWND window) : window_(window) { SendMessageW(window_, WM_SETREDRAW, FALSE, 0); }
  ~RedrawPaused() { SendMessageW(window_, WM_SETREDRAW, TRUE, 0); }
  RedrawPaused(const RedrawPaused&) = delete;
  RedrawPaused& operator=(const RedrawPaused&) = delete;

 private:
  HWND window_;
};

class Form {
 public:
  Form() = default;
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window and every unit hidden, raises the creation-done event,
  // then shows the window and paints it. False when the description is
  // malformed or a window could not be made (nothing is left behind then), or
  // when this form's window still exists. The description must outlive the
  // window.
  bool Create(const FormDescription& description);
  // Create in its three stages, for a caller that times them: the window
  // built and set up but hidden; shown (the focus that the creation-done
  // handler gave stays where it was put); its first frame painted. Showing
  // and painting do nothing when the handler closed the window.
  bool CreateHidden(const FormDescription& description);
  void Show();
  void PaintFirstFrame();
  // Dispatches messages until the window is gone.
  int RunMessageLoop();

  bool IsAlive() const { return window_ != nullptr; }
  HWND WindowHandle() const { return window_; }
  HWND UnitGetHandle(int unit) const;
  // The unit that a window is, or -1.
  int UnitOfHandle(HWND hwnd) const;

  // Edit boxes. Positions and lengths count GBK bytes.
  std::string EditContent(int unit) const;
  // The content with a flag telling whether every character has a GBK form.
  GbkText EditContentChecked(int unit) const;
  // The content as the box holds it, characters that GBK lacks included.
  std::wstring EditContentWide(int unit) const;
  // Raises the box's content-changed event.
  void SetEditContent(int unit, std::string_view text);
  // The same for a text that GBK may not hold (a path as the system names it).
  void SetEditContent(int unit, std::wstring_view text);
  int SelectionStart(int unit) const;
  int SelectionLength(int unit) const;
  // -1: the caret after the last character, nothing selected, scrolled into view.
  void SetSelectionStart(int unit, int start);
  // -1: the whole text selected.
  void SetSelectionLength(int unit, int length);
  int MaxLength(int unit) const;
  void SetMaxLength(int unit, int bytes);
  // A limit in characters (UTF-16 units, as the edit box counts them), for a
  // box whose limit says how many characters it shows, not how many bytes
  // they take: full-width digits are two bytes each. Both limits hold when
  // both are set.
  int MaxChars(int unit) const;
  void SetMaxChars(int unit, int chars);

  // Combo boxes. Indexes are 0-based; -1 is no selection.
  int ComboSelectedIndex(int unit) const;
  // Clamped into -1 .. count - 1; raises no event.
  void SetComboSelectedIndex(int unit, int index);
  int ComboBoxItemCount(int unit) const;
  void ComboBoxAddItem(int unit, std::string_view text);
  // Empty for an index out of range.
  std::string ComboBoxGetItemText(int unit, int index) const;
  // Selects the first item, from the top, that begins with the text (ASCII
  // letters compared without case); false, selection kept, when none does.
  bool ComboBoxSelectText(int unit, std::string_view text);

  // Radio buttons. Turning one on turns off the others under the same parent.
  bool RadioChecked(int unit) const;
  void SetRadioChecked(int unit, bool on);

  void UnitSetFocus(int unit);
  // Destroys the window; the message loop then ends.
  void DestroyWindowOrUnit();

 private:
  struct UnitState {
    Form* form = nullptr;
    int unit = -1;  // -1: the window itself
    HWND hwnd = nullptr;
    int editDepth = 0;  // edit boxes: nesting of editing messages being handled
    int byteLimit = 0;  // edit boxes: at most this many GBK bytes; 0 = none
    int charLimit = 0;  // edit boxes: at most this many characters; 0 = none
    WNDPROC previous = nullptr;  // units: the procedure the form's replaced
  };

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK UnitProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // The unit's own procedure, the one the form replaced.
  static LRESULT PassOn(const UnitState& state, UINT msg, WPARAM wp, LPARAM lp);
  static UnitState* StateOf(HWND hwnd);
  static bool IsEditingMessage(UINT msg);

  bool CreateUnit(int index);
  // Width of a GBK text in the form's font, as the system measures it.
  int CaptionWidth(std::string_view caption) const;
  const UnitDescription* Unit(int unit) const;
  HWND Handle(int unit, UnitKind kind) const;
  void Raise(int unit, UnitEvent event);
  bool OnCommand(HWND control, UINT code);

  // Keys (form_keyboard.cpp).
  // A place in the Tab order: a unit, or a window around units that is a tab
  // stop of its own (unit -1).
  struct TabPlace {
    HWND hwnd = nullptr;
    int unit = -1;
  };

  bool OnEscape(HWND from);
  // Where a key that reached the window itself was pressed: in the window
  // that has the focus, when a window within the form that is no unit handed
  // the key on; else in the window.
  HWND KeySource() const;
  // Tab, Shift+Tab and the arrow keys in a radio group, from a unit, a tab
  // stop around units or the window itself; true when the key moved the focus.
  bool OnNavigationKey(HWND from, WPARAM key, LPARAM lp);
  // Enter in a push button presses it; true when it did.
  bool OnEnter(const UnitState& state);
  // What the control answers WM_GETDLGCODE for a key pressed in it.
  static LRESULT DialogCode(HWND control, WPARAM key, LPARAM lp);
  bool InOneRadioGroup(int a, int b) const;
  bool TakesFocus(int unit) const;
  bool IsTabStop(int unit) const;
  std::vector<TabPlace> TabOrder() const;
  // The next stop after `from` (the window itself: before the first), or null.
  HWND NextTabStop(HWND from, bool backwards) const;
  int NextInRadioGroup(int from, bool backwards) const;

  // The focus across activation and minimising (form_focus.cpp).
  // The control with the focus, kept while the window is inactive or
  // minimised, and given back; true when it was.
  void KeepFocus();
  bool GiveFocusBack();
  // Keeps the focus as the window is deactivated and gives it back as the
  // window is activated again; true when the focus was given back.
  bool OnActivate(WPARAM wp);
  void OnSize(WPARAM wp);
  // The window itself given the focus.
  void OnWindowFocus();

  LRESULT OnUnitCommand(UnitState& state, WPARAM wp, LPARAM lp);
  LRESULT OnUnitKillFocus(UnitState& state, WPARAM wp, LPARAM lp);
  LRESULT OnEditingMessage(UnitState& state, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnUnitGone(UnitState& state, UINT msg, WPARAM wp, LPARAM lp);
  void OnWindowGone();
  void TrimToByteLimit(UnitState& state, int insertStart);
  int EditLimit(int unit, int UnitState::*limit) const;
  void SetEditLimit(int unit, int UnitState::*limit, int value);

  const FormDescription* description_ = nullptr;
  HWND window_ = nullptr;
  UnitState windowState_;
  std::vector<UnitState> units_;  // sized once per window; states never move
  // The control that had the focus when the window was last deactivated or
  // minimised.
  HWND focusKept_ = nullptr;
  // The window's last WM_SIZE minimised it: the next one restores it (the
  // window's state, IsIconic, has changed by then).
  bool minimisedAtLastSize_ = false;
  GdiFont font_;
  // A combo box's closed height -> the selection field height that gives it
  // with the form's font.
  std::map<int, int> comboFieldHeights_;
};

}  // namespace korvath::platform
