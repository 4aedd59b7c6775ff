#include "platform/form.h"

#include <commctrl.h>

#include <algorithm>

// commdlg.h's FindText macro would rename the runtime's text search.
#undef FindText
#include "platform/message_params.h"
#include "platform/text_commands.h"
#include "platform/window_procedure.h"

namespace korvath::platform {

namespace {

constexpr wchar_t kFormClass[] = L"KorvathForm";
// The icon resource that a program built on the runtime carries; its window
// shows it in the taskbar and Alt-Tab (large) and in the system menu (small).
constexpr int kProgramIconResource = 129;
// Every window of a form finds its state through this property.
constexpr wchar_t kStateProperty[] = L"Korvath.FormUnit";
// The window's extra bytes hold its state too.
constexpr int kWindowStateSlot = 0;
constexpr int kFirstControlId = 100;
// Height of a combo box's drop-down list below its closed box.
constexpr int kDropDownHeight = 240;
// Room that a radio button needs besides its caption: before it, the round
// glyph and the gap after it (13 + 2 pixels, in the system's look and in a
// skin's) and the 2 pixels that anti-aliased text layout leaves before the
// first character; after it, a margin for the wider advances that such text
// takes than the font's own measure.
constexpr int kRadioGlyphRoom = 17;
constexpr int kRadioCaptionMargin = 6;

// An edit box's selection as EM_GETSEL gives it: its first character and the
// one after its last, in UTF-16 units.
struct EditSelection {
  DWORD start = 0;
  DWORD end = 0;
};

EditSelection SelectionOf(HWND edit) {
  EditSelection selection;
  SendMessageW(edit, EM_GETSEL, WPARAM(ToParam(&selection.start)), ToParam(&selection.end));
  return selection;
}

std::wstring WindowTextOf(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  if (n <= 0) return {};
  std::wstring text(size_t(n) + 1, L'\0');
  n = GetWindowTextW(hwnd, text.data(), n + 1);
  text.resize(size_t(std::max(n, 0)));
  return text;
}

size_t CharUnits(std::wstring_view text, size_t i) {
  bool pair = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]);
  return pair ? 2 : 1;
}

int GbkBytes(std::wstring_view text) { return int(WideToGbk(text).text.size()); }

// The UTF-16 index where the character at GBK byte offset `bytes` starts
// (clamped to the text).
int WideIndexOfBytes(std::wstring_view text, int bytes) {
  int used = 0;
  size_t i = 0;
  while (i < text.size() && used < bytes) {
    size_t n = CharUnits(text, i);
    used += GbkBytes(text.substr(i, n));
    i += n;
  }
  return int(i);
}

int BytesBefore(std::wstring_view text, int wideIndex) {
  return GbkBytes(text.substr(0, size_t(std::clamp(wideIndex, 0, int(text.size())))));
}

struct ControlClass {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

ControlClass ControlClassOf(UnitKind kind) {
  switch (kind) {
    case UnitKind::Label: return {L"Static", SS_LEFT | SS_NOPREFIX, 0};
    case UnitKind::EditBox: return {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case UnitKind::PushButton: return {L"Button", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case UnitKind::RadioButton: return {L"Button", BS_AUTORADIOBUTTON, 0};
    case UnitKind::ComboBox:
      return {L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case UnitKind::GroupBox: return {L"Button", BS_GROUPBOX, WS_EX_CONTROLPARENT};
  }
  return {L"Static", 0, 0};
}

}  // namespace

// ---- creation ---------------------------------------------------------------

Form::~Form() {
  if (window_) DestroyWindow(window_);
}

bool Form::CreateHidden(const FormDescription& description) {
  if (window_) return false;
  for (size_t i = 0; i < description.units.size(); ++i) {
    const UnitDescription& u = description.units[i];
    if (u.id != int(i)) return false;
    if (u.parent != kOnWindow && (u.parent < 0 || u.parent >= int(i) ||
                                  description.units[size_t(u.parent)].kind != UnitKind::GroupBox))
      return false;
  }
  static const bool registered = [] {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Form::WindowProc;
    wc.cbWndExtra = sizeof(UnitState*);
    wc.hInstance = GetModuleHandleW(nullptr);
    // Shared icons (LR_SHARED) live as long as the module and are never destroyed.
    wc.hIcon = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(kProgramIconResource), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, MAKEINTRESOURCEW(kProgramIconResource), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_SHARED));
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kFormClass;
    return RegisterClassExW(&wc) != 0;
  }();
  if (!registered) return false;
  description_ = &description;
  comboFieldHeights_.clear();
  font_.Reset(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, L"宋体"));

  int x = description.x, y = description.y;
  if (description.centred) {
    x = (GetSystemMetrics(SM_CXSCREEN) - description.width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - description.height) / 2;
  }
  DWORD style = description.nativeBorder ? (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU) : WS_POPUP;
  if (description.minimiseButton) style |= WS_MINIMIZEBOX;
  if (description.maximiseButton) style |= WS_MAXIMIZEBOX;
  DWORD exStyle = description.inTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
  if (description.topMost) exStyle |= WS_EX_TOPMOST;

  HWND hwnd = CreateWindowExW(exStyle, kFormClass, GbkToWide(description.title).c_str(), style, x,
                              y, description.width, description.height, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return false;
  window_ = hwnd;
  windowState_ = UnitState{this, -1, hwnd};
  units_.assign(description.units.size(), UnitState{});
  SetPropW(hwnd, kStateProperty, &windowState_);
  SetWindowLongPtrW(hwnd, kWindowStateSlot, ToParam(&windowState_));

  for (size_t i = 0; i < description.units.size(); ++i) {
    if (!CreateUnit(int(i))) {
      DestroyWindow(hwnd);
      return false;
    }
  }
  if (description.onCreationDone) description.onCreationDone();
  return true;
}

bool Form::Create(const FormDescription& description) {
  if (!CreateHidden(description)) return false;
  Show();
  PaintFirstFrame();
  return true;
}

void Form::Show() {
  if (!window_) return;  // the creation-done handler closed it
  // Showing activates the window, which may take the focus that the
  // creation-done handler gave to a unit; give it back.
  HWND focus = GetFocus();
  ShowWindow(window_, SW_SHOW);
  if (focus && IsChild(window_, focus) && GetFocus() != focus) SetFocus(focus);
}

void Form::PaintFirstFrame() {
  if (window_) UpdateWindow(window_);
}

int Form::CaptionWidth(std::string_view caption) const {
  const std::wstring text = GbkToWide(caption);
  const WindowDC screen = WindowDC::Client(nullptr);
  const SelectScope font(screen.get(), font_.get());
  SIZE size = {};
  GetTextExtentPoint32W(screen.get(), text.c_str(), int(text.size()), &size);
  return int(size.cx);
}

bool Form::CreateUnit(int index) {
  const UnitDescription& u = description_->units[size_t(index)];
  ControlClass cc = ControlClassOf(u.kind);
  DWORD style = WS_CHILD | WS_VISIBLE | cc.style;
  // The first radio button under a parent starts its group.
  if (u.kind == UnitKind::RadioButton) {
    bool first = true;
    for (int j = 0; j < index; ++j) {
      const UnitDescription& other = description_->units[size_t(j)];
      if (other.kind == UnitKind::RadioButton && other.parent == u.parent) first = false;
    }
    if (first) style |= WS_GROUP | WS_TABSTOP;
  }
  HWND parent = u.parent == kOnWindow ? window_ : units_[size_t(u.parent)].hwnd;
  int height = u.kind == UnitKind::ComboBox ? u.height + kDropDownHeight : u.height;
  // A radio button is never narrower than its caption: the described width
  // is its least.
  int width = u.width;
  if (u.kind == UnitKind::RadioButton)
    width = std::max(width, kRadioGlyphRoom + CaptionWidth(u.caption) + kRadioCaptionMargin);
  HWND hwnd = CreateWindowExW(cc.exStyle, cc.className, GbkToWide(u.caption).c_str(), style, u.x,
                              u.y, width, height, parent,
                              FromParam<HMENU>(kFirstControlId + index),
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return false;
  units_[size_t(index)] = UnitState{this, index, hwnd};
  SetPropW(hwnd, kStateProperty, &units_[size_t(index)]);
  // Subclassed through the window's own procedure slot, with the state in
  // its user data: the common controls' subclassing would ask for a property
  // on every message.
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, ToParam(&units_[size_t(index)]));
  units_[size_t(index)].previous = SetWindowProcedure(hwnd, &Form::UnitProc);
  SendMessageW(hwnd, WM_SETFONT, WPARAM(ToParam(font_.get())), FALSE);

  switch (u.kind) {
    case UnitKind::EditBox:
      if (u.maxLength > 0) SetMaxLength(index, u.maxLength);
      if (u.maxChars > 0) SetMaxChars(index, u.maxChars);
      break;
    case UnitKind::RadioButton:
      if (u.checked) SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
      break;
    case UnitKind::ComboBox: {
      // No redraw item by item: the list is filled before the window shows.
      {
        const RedrawPaused paused(hwnd);
        for (std::string_view item : u.items) ComboBoxAddItem(index, item);
      }
      // The closed box takes the height of the description. How the
      // selection field's height adds up to the box's differs between
      // systems, so measure and correct.
      // The field height found for one box height serves every later box of
      // that height at once (each correction is a resize of the box and its list).
      int field = int(SendMessageW(hwnd, CB_GETITEMHEIGHT, WPARAM(-1), 0));
      const auto known = comboFieldHeights_.find(u.height);
      if (known != comboFieldHeights_.end() && known->second != field) {
        field = known->second;
        SendMessageW(hwnd, CB_SETITEMHEIGHT, WPARAM(-1), field);
      }
      for (int attempt = 0; attempt < 3; ++attempt) {
        RECT r;
        GetWindowRect(hwnd, &r);
        int error = u.height - (r.bottom - r.top);
        if (error == 0 || field + error <= 0) break;
        field += error;
        SendMessageW(hwnd, CB_SETITEMHEIGHT, WPARAM(-1), field);
      }
      comboFieldHeights_[u.height] = field;
      break;
    }
    default:
      break;
  }
  return true;
}

int Form::RunMessageLoop() {
  MSG msg;
  while (IsAlive()) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return int(msg.wParam);
    if (got < 0) return -1;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

// ---- window procedures --------------------------------------------------------

Form::UnitState* Form::StateOf(HWND hwnd) {
  return static_cast<UnitState*>(GetPropW(hwnd, kStateProperty));
}

// The window's and the units' procedures find their state without asking
// for a property (a round trip to the window server under Wine), since they
// run for every message.
LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* state = FromParam<UnitState*>(GetWindowLongPtrW(hwnd, kWindowStateSlot));
  if (state) {
    switch (msg) {
      case WM_COMMAND: if (state->form->OnCommand(FromParam<HWND>(lp), HIWORD(wp))) return 0; break;
      case WM_KEYDOWN: {
        const HWND from = state->form->KeySource();
        if (wp == VK_ESCAPE && state->form->OnEscape(from)) return 0;
        if (state->form->OnNavigationKey(from, wp, lp)) return 0;
        break;
      }
      case WM_ACTIVATE: if (state->form->OnActivate(wp)) return 0; break;
      case WM_SIZE: state->form->OnSize(wp); break;
      case WM_SETFOCUS: state->form->OnWindowFocus(); break;
      case WM_NCDESTROY: state->form->OnWindowGone(); break;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK Form::UnitProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* state = FromParam<UnitState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!state || !state->previous) return DefWindowProcW(hwnd, msg, wp, lp);
  if (state->form) {
    Form* form = state->form;
    switch (msg) {
      case WM_COMMAND: return form->OnUnitCommand(*state, wp, lp);
      case WM_KEYDOWN:
        if (wp == VK_ESCAPE && form->OnEscape(hwnd)) return 0;
        if (form->OnNavigationKey(hwnd, wp, lp)) return 0;
        if (wp == VK_RETURN && form->OnEnter(*state)) return 0;
        break;
      case WM_CHAR: if (wp == VK_ESCAPE && form->description_->escapeCloses) return 0; break;
      case WM_KILLFOCUS: return form->OnUnitKillFocus(*state, wp, lp);
      case WM_NCDESTROY: return form->OnUnitGone(*state, msg, wp, lp);
    }
    if (IsEditingMessage(msg) && form->Unit(state->unit)->kind == UnitKind::EditBox)
      return form->OnEditingMessage(*state, msg, wp, lp);
  }
  return PassOn(*state, msg, wp, lp);
}

LRESULT Form::PassOn(const UnitState& state, UINT msg, WPARAM wp, LPARAM lp) {
  return CallWindowProcW(state.previous, state.hwnd, msg, wp, lp);
}

// Messages through which the user (or the system on the user's behalf)
// changes an edit box's text.
bool Form::IsEditingMessage(UINT msg) {
  switch (msg) {
    case WM_CHAR: case WM_KEYDOWN: case WM_PASTE: case WM_CUT: case WM_CLEAR: case WM_UNDO:
    case EM_UNDO: case EM_REPLACESEL: case WM_IME_CHAR: case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
      return true;
    default:
      return false;
  }
}

// ---- events -------------------------------------------------------------------

void Form::Raise(int unit, UnitEvent event) {
  const UnitDescription* u = Unit(unit);
  if (!u) return;
  for (const EventBinding& binding : u->events) {
    if (binding.event == event && binding.handler) {
      // The handler may destroy the window and with it this unit's state.
      binding.handler();
      return;
    }
  }
}

// A notification that a control sent to its parent: the window, or a group
// box that holds it.
bool Form::OnCommand(HWND control, UINT code) {
  int unit = UnitOfHandle(control);
  if (unit < 0) return false;
  switch (Unit(unit)->kind) {
    case UnitKind::PushButton:
    case UnitKind::RadioButton:
      if (code != BN_CLICKED) return false;
      Raise(unit, UnitEvent::Click);
      return true;
    case UnitKind::ComboBox:
      if (code != CBN_SELCHANGE) return false;
      Raise(unit, UnitEvent::Selection);
      return true;
    default:
      return false;
  }
}

LRESULT Form::OnUnitCommand(UnitState& state, WPARAM wp, LPARAM lp) {
  if (OnCommand(FromParam<HWND>(lp), HIWORD(wp))) return 0;
  return PassOn(state, WM_COMMAND, wp, lp);
}

LRESULT Form::OnUnitKillFocus(UnitState& state, WPARAM wp, LPARAM lp) {
  LRESULT result = PassOn(state, WM_KILLFOCUS, wp, lp);
  if (Unit(state.unit)->kind == UnitKind::EditBox) Raise(state.unit, UnitEvent::LostFocus);
  return result;
}

// Lets the edit box handle the message, then keeps its text within the byte
// limit and reports a change of content. Nested editing messages (Ctrl+V
// sends WM_PASTE from inside WM_CHAR) are left to the outermost one.
LRESULT Form::OnEditingMessage(UnitState& state, UINT msg, WPARAM wp, LPARAM lp) {
  if (state.editDepth > 0) return PassOn(state, msg, wp, lp);
  HWND hwnd = state.hwnd;
  int unit = state.unit;
  std::wstring before = WindowTextOf(hwnd);
  const EditSelection selection = SelectionOf(hwnd);
  ++state.editDepth;
  LRESULT result = PassOn(state, msg, wp, lp);
  if (WindowTextOf(hwnd) != before) TrimToByteLimit(state, int(std::min(selection.start, selection.end)));
  --state.editDepth;
  if (WindowTextOf(hwnd) != before) Raise(unit, UnitEvent::ContentChanged);
  return result;
}

// Removes what was just inserted, from its end, until the text fits.
void Form::TrimToByteLimit(UnitState& state, int insertStart) {
  int limit = MaxLength(state.unit);
  if (limit <= 0) return;
  for (;;) {
    std::wstring text = WindowTextOf(state.hwnd);
    if (GbkBytes(text) <= limit) return;
    DWORD caret = 0;
    SendWithPointer(state.hwnd, EM_GETSEL, 0, &caret);
    if (int(caret) <= insertStart || caret > text.size()) return;
    DWORD from = caret - 1;
    if (from > 0 && IS_LOW_SURROGATE(text[from]) && IS_HIGH_SURROGATE(text[from - 1])) --from;
    SendMessageW(state.hwnd, EM_SETSEL, from, caret);
    SendWithPointer(state.hwnd, EM_REPLACESEL, FALSE, L"");
  }
}

LRESULT Form::OnUnitGone(UnitState& state, UINT msg, WPARAM wp, LPARAM lp) {
  HWND hwnd = state.hwnd;
  RemovePropW(hwnd, kStateProperty);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  const WNDPROC previous = state.previous;
  state = UnitState{};
  return CallWindowProcW(previous, hwnd, msg, wp, lp);
}

// The window's children are gone before it; what is left is the form's own.
void Form::OnWindowGone() {
  RemovePropW(window_, kStateProperty);
  SetWindowLongPtrW(window_, kWindowStateSlot, 0);
  window_ = nullptr;
  windowState_ = UnitState{};
  units_.clear();
  focusKept_ = nullptr;
  minimisedAtLastSize_ = false;
}

// ---- units --------------------------------------------------------------------

const UnitDescription* Form::Unit(int unit) const {
  if (!description_ || unit < 0 || unit >= int(units_.size())) return nullptr;
  return &description_->units[size_t(unit)];
}

HWND Form::Handle(int unit, UnitKind kind) const {
  const UnitDescription* u = Unit(unit);
  return (u && u->kind == kind) ? units_[size_t(unit)].hwnd : nullptr;
}

HWND Form::UnitGetHandle(int unit) const {
  return Unit(unit) ? units_[size_t(unit)].hwnd : nullptr;
}

int Form::UnitOfHandle(HWND hwnd) const {
  if (!hwnd) return -1;
  UnitState* state = StateOf(hwnd);
  return (state && state->form == this && state->unit >= 0) ? state->unit : -1;
}

std::string Form::EditContent(int unit) const { return EditContentChecked(unit).text; }

GbkText Form::EditContentChecked(int unit) const { return WideToGbk(EditContentWide(unit)); }

std::wstring Form::EditContentWide(int unit) const {
  HWND hwnd = Handle(unit, UnitKind::EditBox);
  return hwnd ? WindowTextOf(hwnd) : std::wstring();
}

void Form::SetEditContent(int unit, std::string_view text) { SetEditContent(unit, std::wstring_view(GbkToWide(text))); }

void Form::SetEditContent(int unit, std::wstring_view text) {
  HWND hwnd = Handle(unit, UnitKind::EditBox);
  if (!hwnd) return;
  UnitState& state = units_[size_t(unit)];
  ++state.editDepth;
  SetWindowTextW(hwnd, std::wstring(text).c_str());
  --state.editDepth;
  Raise(unit, UnitEvent::ContentChanged);
}

int Form::SelectionStart(int unit) const {
  HWND hwnd = Handle(unit, UnitKind::EditBox);
  if (!hwnd) return 0;
  return BytesBefore(WindowTextOf(hwnd), int(SelectionOf(hwnd).start));
}

int Form::SelectionLength(int unit) const {
  HWND hwnd = Handle(unit, UnitKind::EditBox);
  if (!hwnd) return 0;
  const EditSelection selection = SelectionOf(hwnd);
  std::wstring text = WindowTextOf(hwnd);
  return BytesBefore(text, int(selection.end)) - BytesBefore(text, int(selection.start));
}

void Form::SetSelectionStart(int unit, int start) {
  HWND hwnd = Handle(unit, UnitKind::EditBox);
  if (!hwnd) return;
  std::wstring text = WindowTextOf(hwnd);
  int at = start < 0 ? int(text.size()) : WideIndexOfBytes(text, start);
  SendMessageW(hwnd, EM_SETSEL, at, at);
  SendMessageW(hwnd, EM_SCROLLCARET, 0, 0);
}

void Form::SetSelectionLength(int unit, int length) {
  HWND hwnd = Handle(unit, UnitKind::EditBox);
  if (!hwnd) return;
  if (length < 0) {
    SendMessageW(hwnd, EM_SETSEL, 0, -1);
    return;
  }
  std::wstring text = WindowTextOf(hwnd);
  const DWORD start = SelectionOf(hwnd).start;
  int from = BytesBefore(text, int(start));
  SendMessageW(hwnd, EM_SETSEL, start, WideIndexOfBytes(text, from + length));
}

int Form::MaxLength(int unit) const { return EditLimit(unit, &UnitState::byteLimit); }
void Form::SetMaxLength(int unit, int bytes) { SetEditLimit(unit, &UnitState::byteLimit, bytes); }
int Form::MaxChars(int unit) const { return EditLimit(unit, &UnitState::charLimit); }
void Form::SetMaxChars(int unit, int chars) { SetEditLimit(unit, &UnitState::charLimit, chars); }

int Form::EditLimit(int unit, int UnitState::*limit) const {
  return Handle(unit, UnitKind::EditBox) ? units_[size_t(unit)].*limit : 0;
}

// The box itself counts characters: it stops the character limit exactly,
// and the byte limit as far as a character takes at least one byte
// (TrimToByteLimit takes back the rest).
void Form::SetEditLimit(int unit, int UnitState::*limit, int value) {
  if (!Handle(unit, UnitKind::EditBox)) return;
  UnitState& state = units_[size_t(unit)];
  state.*limit = std::max(value, 0);
  int boxLimit = state.byteLimit;
  if (state.charLimit > 0 && (boxLimit == 0 || state.charLimit < boxLimit)) boxLimit = state.charLimit;
  SendMessageW(state.hwnd, EM_LIMITTEXT, WPARAM(boxLimit), 0);
}

int Form::ComboSelectedIndex(int unit) const {
  HWND hwnd = Handle(unit, UnitKind::ComboBox);
  return hwnd ? int(SendMessageW(hwnd, CB_GETCURSEL, 0, 0)) : -1;
}

void Form::SetComboSelectedIndex(int unit, int index) {
  HWND hwnd = Handle(unit, UnitKind::ComboBox);
  if (!hwnd) return;
  int count = ComboBoxItemCount(unit);
  SendMessageW(hwnd, CB_SETCURSEL, WPARAM(std::clamp(index, -1, count - 1)), 0);
}

int Form::ComboBoxItemCount(int unit) const {
  HWND hwnd = Handle(unit, UnitKind::ComboBox);
  return hwnd ? std::max(int(SendMessageW(hwnd, CB_GETCOUNT, 0, 0)), 0) : 0;
}

void Form::ComboBoxAddItem(int unit, std::string_view text) {
  HWND hwnd = Handle(unit, UnitKind::ComboBox);
  if (hwnd)
    SendWithPointer(hwnd, CB_ADDSTRING, 0, GbkToWide(text).c_str());
}

std::string Form::ComboBoxGetItemText(int unit, int index) const {
  HWND hwnd = Handle(unit, UnitKind::ComboBox);
  if (!hwnd || index < 0 || index >= ComboBoxItemCount(unit)) return {};
  int n = int(SendMessageW(hwnd, CB_GETLBTEXTLEN, WPARAM(index), 0));
  if (n <= 0) return {};
  std::wstring text(size_t(n) + 1, L'\0');
  n = int(SendWithPointer(hwnd, CB_GETLBTEXT, WPARAM(index), text.data()));
  text.resize(size_t(std::max(n, 0)));
  return WideToGbk(text).text;
}

bool Form::ComboBoxSelectText(int unit, std::string_view text) {
  int count = ComboBoxItemCount(unit);
  for (int i = 0; i < count; ++i) {
    std::string item = ComboBoxGetItemText(unit, i);
    if (text.empty() || FindText(item, text, 1, true) == 1) {
      SetComboSelectedIndex(unit, i);
      return true;
    }
  }
  return false;
}

bool Form::RadioChecked(int unit) const {
  HWND hwnd = Handle(unit, UnitKind::RadioButton);
  return hwnd && SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form::SetRadioChecked(int unit, bool on) {
  HWND hwnd = Handle(unit, UnitKind::RadioButton);
  if (!hwnd) return;
  if (on) {
    for (size_t j = 0; j < units_.size(); ++j) {
      const UnitDescription& other = description_->units[j];
      if (int(j) != unit && other.kind == UnitKind::RadioButton && other.parent == Unit(unit)->parent)
        SendMessageW(units_[j].hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
  SendMessageW(hwnd, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Form::UnitSetFocus(int unit) {
  if (HWND hwnd = UnitGetHandle(unit)) SetFocus(hwnd);
}

void Form::DestroyWindowOrUnit() {
  if (window_) DestroyWindow(window_);
}

}  // namespace korvath::platform
