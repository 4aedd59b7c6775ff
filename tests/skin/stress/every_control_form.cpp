#include "tests/skin/stress/every_control_form.h"

#include <commctrl.h>

#include <string>

#include "skin/control/control_installers.h"
#include "skin/control/label_skin.h"
#include "skin/control/progress_skin.h"
#include "skin/core/engine_startup.h"
#include "skin/core/window_list.h"
#include "skin/engine/attach.h"
#include "skin/engine/background_theme.h"
#include "skin/engine/start.h"
#include "skin/form/background_theme.h"
#include "skin/form/form_attach.h"
#include "skin/install/control_attach.h"

namespace korvath::skin::test {

namespace {

constexpr wchar_t kFormClass[] = L"KorvathEveryControlForm";

FormEvents events;

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) ++events.pushes;
  if (message == WM_COMMAND && LOWORD(wParam) >= 101 && LOWORD(wParam) <= 104) ++events.toolbarCommands;
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == TBN_DROPDOWN) return ++events.dropDowns, TBDDRET_DEFAULT;
    if (header->code == TCN_SELCHANGE) ++events.tabChanges;
    if (header->code == HDN_ITEMCLICKW || header->code == HDN_ITEMCLICKA) ++events.headerClicks;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

ATOM RegisterFormClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = FormProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kFormClass;
    return RegisterClassExW(&wc);
  }();
  return atom;
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
           DWORD exStyle = 0, int id = 0) {
  return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

// Four shared system icons in 16 x 16 cells.
HIMAGELIST SmallIcons() {
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 0);
  for (int icon : {32512, 32516, 32515, 32513})  // application, information, warning, error
    ImageList_AddIcon(images, LoadIconW(nullptr, MAKEINTRESOURCEW(icon)));
  return images;
}

void FillToolbar(HWND toolbar, HIMAGELIST images) {
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  const INT_PTR first =
      SendMessageW(toolbar, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(L"新建\0打开\0加粗\0删除\0"));
  // Plain styles only: the skin draws no icon, arrow or divider on a button
  // whose style has more bits (BTNS_AUTOSIZE, for one).
  TBBUTTON buttons[] = {
      {0, 101, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, first},
      {1, 102, TBSTATE_ENABLED, BTNS_DROPDOWN, {}, 0, first + 1},
      {2, 103, TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_CHECK, {}, 0, first + 2},
      {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
      {3, 104, 0, BTNS_BUTTON, {}, 0, first + 3},
  };
  SendMessageW(toolbar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
  SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
}

void FillTree(HWND tree) {
  const wchar_t* roots[] = {L"角色", L"武器", L"阵营"};
  HTREEITEM first = nullptr;
  for (const wchar_t* root : roots) {
    TVINSERTSTRUCTW item = {};
    item.hParent = TVI_ROOT;
    item.hInsertAfter = TVI_LAST;
    item.item.mask = TVIF_TEXT;
    item.item.pszText = const_cast<wchar_t*>(root);
    const auto parent = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0,
                                                                 reinterpret_cast<LPARAM>(&item)));
    for (int i = 1; i <= 4; ++i) {
      std::wstring text = std::wstring(root) + L" " + std::to_wstring(i);
      item.hParent = parent;
      item.item.pszText = text.data();
      SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    if (!first) first = parent;
  }
  SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(first));
}

void FillListView(HWND list) {
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(SmallIcons()));
  const struct { const wchar_t* title; int width; } columns[] = {{L"名称", 84}, {L"类型", 50}, {L"大小", 50}};
  for (int c = 0; c < int(std::size(columns)); ++c) {
    LVCOLUMNW column = {LVCF_TEXT | LVCF_WIDTH, 0, columns[c].width, const_cast<wchar_t*>(columns[c].title)};
    SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
  }
  for (int i = 0; i < 14; ++i) {
    std::wstring name = L"文件 " + std::to_wstring(i + 1), kind = i % 2 ? L"脚本" : L"图片",
                 size = std::to_wstring((i + 1) * 3) + L" KB";
    LVITEMW item = {LVIF_TEXT | LVIF_IMAGE, i, 0, 0, 0, name.data(), 0, i % 4};
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.mask = LVIF_TEXT;
    item.iSubItem = 1;
    item.pszText = kind.data();
    SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 2;
    item.pszText = size.data();
    SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
  }
}

void FillHeader(HWND header) {
  const struct { const wchar_t* title; int width; } items[] = {{L"名字", 70}, {L"生命", 60}, {L"阵营", 66}};
  for (int i = 0; i < int(std::size(items)); ++i) {
    HDITEMW item = {HDI_TEXT | HDI_WIDTH | HDI_FORMAT, items[i].width, const_cast<wchar_t*>(items[i].title)};
    item.fmt = HDF_LEFT | HDF_STRING;
    SendMessageW(header, HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
}

void FillTab(HWND tab) {
  const wchar_t* titles[] = {L"常规", L"外观", L"高级"};
  for (int i = 0; i < int(std::size(titles)); ++i) {
    TCITEMW item = {TCIF_TEXT};
    item.pszText = const_cast<wchar_t*>(titles[i]);
    SendMessageW(tab, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
}

std::wstring MemoText() {
  std::wstring text;
  for (int i = 1; i <= 30; ++i) {
    text += L"第 " + std::to_wstring(i) + L" 行：巡逻、等待、跟随";
    if (i % 5 == 0) text += L"，这一行比编辑框宽得多，所以它有横向滚动条";
    text += L"\r\n";
  }
  return text;
}

BOOL CALLBACK SetFontOnChild(HWND child, LPARAM font) {
  SendMessageW(child, WM_SETFONT, WPARAM(font), FALSE);
  return TRUE;
}

}  // namespace

void StartEngineForEveryControlForm() {
  SkinEngineStart();
  SkinSetBackgroundTheme("", {}, 0xECECEC, 0xC0C0C0);
  SkinSetOptions(true);
}

EveryControlForm::EveryControlForm(POINT screen, bool activate, bool skinned) {
  RegisterFormClass();
  form_ = CreateWindowExW(0, kFormClass, L"全部控件", WS_POPUP | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, screen.x,
                          screen.y, kWidth, kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  font_.Reset(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
  MakeControls();
  EnumChildWindows(form_, SetFontOnChild, reinterpret_cast<LPARAM>(font_.get()));
  if (skinned) Skin();
  ShowWindow(form_, activate ? SW_SHOW : SW_SHOWNOACTIVATE);
  if (activate) SetForegroundWindow(form_);
  UpdateWindow(form_);
}

EveryControlForm::~EveryControlForm() { Destroy(); }

FormEvents& EveryControlForm::Events() { return events; }

void EveryControlForm::Destroy() {
  if (form_) DestroyWindow(form_);
  form_ = nullptr;
  controls_ = {};
  if (toolbarImages_) ImageList_Destroy(toolbarImages_);
  toolbarImages_ = nullptr;
  font_.Reset();
}

void EveryControlForm::MakeControls() {
  EveryControl& c = controls_;
  HWND f = form_;
  c.toolbar = Child(f, TOOLBARCLASSNAMEW, L"",
                    CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN | TBSTYLE_FLAT | TBSTYLE_LIST, 8, 30, 624, 32);
  toolbarImages_ = SmallIcons();
  FillToolbar(c.toolbar, toolbarImages_);

  // Left column.
  c.groupBox = Child(f, L"Button", L"选项", BS_GROUPBOX, 12, 70, 200, 100, WS_EX_CONTROLPARENT);
  c.checkBox = Child(c.groupBox, L"Button", L"启用动画", BS_AUTOCHECKBOX | WS_TABSTOP, 14, 22, 170, 20);
  c.radio1 = Child(c.groupBox, L"Button", L"甲方案", BS_AUTORADIOBUTTON | WS_GROUP, 14, 46, 170, 20);
  c.radio2 = Child(c.groupBox, L"Button", L"乙方案", BS_AUTORADIOBUTTON, 14, 70, 170, 20);
  SendMessageW(c.checkBox, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(c.radio1, BM_SETCHECK, BST_CHECKED, 0);
  c.pushButton = Child(f, L"Button", L"确定", BS_PUSHBUTTON | WS_TABSTOP, 12, 178, 90, 26, 0, IDOK);
  c.label = Child(f, L"Static", L"名字：", SS_LEFT, 12, 214, 44, 20);
  c.edit = Child(f, L"Edit", L"守卫甲", ES_AUTOHSCROLL | WS_TABSTOP, 58, 212, 154, 22, WS_EX_CLIENTEDGE);
  c.combo = Child(f, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 12, 242, 200, 200);
  for (const wchar_t* item : {L"环顾四周", L"巡逻", L"等待", L"跟随", L"乱跑", L"跟随首领", L"杀死玩家",
                              L"巡逻并跟随", L"守卫", L"逃跑"})
    SendMessageW(c.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendMessageW(c.combo, CB_SETCURSEL, 1, 0);
  c.upDownBuddy = Child(f, L"Edit", L"42", ES_NUMBER | WS_TABSTOP, 12, 274, 80, 22, WS_EX_CLIENTEDGE);
  c.upDown = Child(f, UPDOWN_CLASSW, L"", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0, 16, 22);
  SendMessageW(c.upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(c.upDownBuddy), 0);
  SendMessageW(c.upDown, UDM_SETRANGE32, 0, 100);
  SendMessageW(c.upDown, UDM_SETPOS32, 0, 42);
  c.iconStatic = Child(f, L"Static", L"", SS_ICON, 110, 268, 32, 32);
  SendMessageW(c.iconStatic, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, MAKEINTRESOURCEW(32516))), 0);
  c.textStatic = Child(f, L"Static", L"静态文本", SS_LEFT, 148, 276, 64, 20);
  c.listBox = Child(f, L"ListBox", L"", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP, 12, 306, 200,
                    140, WS_EX_CLIENTEDGE);
  for (int i = 1; i <= 20; ++i)
    SendMessageW(c.listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"列表项 " + std::to_wstring(i)).c_str()));
  SendMessageW(c.listBox, LB_SETCURSEL, 2, 0);

  // Middle column.
  c.memo = Child(f, L"Edit", MemoText().c_str(),
                 ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                 224, 70, 196, 120, WS_EX_CLIENTEDGE);
  c.tree = Child(f, WC_TREEVIEWW, L"", TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 224,
                 198, 196, 150, WS_EX_CLIENTEDGE);
  FillTree(c.tree);
  c.header = Child(f, WC_HEADERW, L"", HDS_BUTTONS | HDS_HORZ, 224, 356, 196, 24);
  FillHeader(c.header);
  c.progress = Child(f, PROGRESS_CLASSW, L"", 0, 224, 392, 196, 18);
  SendMessageW(c.progress, PBM_SETRANGE32, 0, 100);
  SendMessageW(c.progress, PBM_SETPOS, 60, 0);

  // Right column.
  c.listView = Child(f, WC_LISTVIEWW, L"", LVS_REPORT | LVS_SHOWSELALWAYS | WS_TABSTOP, 432, 70, 196, 170,
                     WS_EX_CLIENTEDGE);
  FillListView(c.listView);
  c.tab = Child(f, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS, 432, 248, 196, 132);
  FillTab(c.tab);
  c.tabCheckBox = Child(c.tab, L"Button", L"页内选项", BS_AUTOCHECKBOX, 14, 40, 160, 20);
  c.trackbar = Child(f, TRACKBAR_CLASSW, L"", TBS_AUTOTICKS | TBS_BOTTOM, 432, 388, 196, 32);
  SendMessageW(c.trackbar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  SendMessageW(c.trackbar, TBM_SETPOS, TRUE, 4);
}

void EveryControlForm::Skin() {
  FormSkinSettings settings;
  settings.border = true;
  FormSkinAttach(form_, settings);
  const EveryControl& c = controls_;
  LabelSkinAttach(c.label);
  // The statics the label attach left: the icon and the plain text.
  StaticSkinInstall(*SkinRecordAt(SkinFindWindowRecord(form_)), form_);
  // As the tool's group boxes: their children get their skins through it.
  ContainerControlSkinAttach(c.groupBox);
  ContainerControlSkinAttach(c.tab);
  ProgressSkinSetSweep(c.progress, true);
}

std::vector<NamedControl> EveryControlForm::All() const {
  const EveryControl& c = controls_;
  return {{"toolbar", c.toolbar},         {"group box", c.groupBox},     {"check box", c.checkBox},
          {"radio button", c.radio1},     {"radio button", c.radio2},    {"push button", c.pushButton},
          {"label", c.label},             {"edit", c.edit},              {"combo box", c.combo},
          {"up-down buddy", c.upDownBuddy}, {"up-down", c.upDown},       {"icon static", c.iconStatic},
          {"text static", c.textStatic},  {"list box", c.listBox},       {"progress bar", c.progress},
          {"track bar", c.trackbar},      {"multi-line edit", c.memo},   {"tree view", c.tree},
          {"header", c.header},           {"list view", c.listView},     {"tab control", c.tab},
          {"check box on a tab", c.tabCheckBox}};
}

}  // namespace korvath::skin::test
