#pragma once
// Drives the tool's real main window in this process: the window as the
// program makes it, real mouse and keyboard input, answered dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/main_form.h"
#include "app/npc_record.h"
#include "tests/support/win_test_support.h"

namespace korvath::app::uitest {

using namespace testsupport;
namespace fs = std::filesystem;

std::wstring Wide(std::string_view gbk);
std::string DocumentFolder();  // with its trailing "\"
std::string ReadBytes(const std::string& path);  // "<missing>" when there is no file
void WriteBytes(const std::string& path, const std::string& bytes);
// The extended-length form of an absolute path ("\\?\" before it), which the
// file functions take however long it is.
std::wstring ExtendedPath(const std::wstring& path);
void RemoveFolder(const std::string& folder);  // with its files, read-only or not, and the host's links
void RemoveFolder(const std::wstring& folder);  // also one whose name GBK cannot hold
// Makes a folder of exactly `length` characters (no trailing "\") inside
// `parent` (made when missing), a chain of folders with Chinese names, and
// returns it.
std::string MakeLongFolder(const std::string& parent, size_t length);
// The folder's entries (names), sub-folders included.
std::vector<std::wstring> FolderEntries(const std::string& folder);
// The start file (name 张三) with whole lines replaced: {old, new} without CR LF.
std::string ExpectedFile(const std::vector<std::pair<std::string, std::string>>& lineChanges = {});
// Answers the open-file dialog by typing a path into its file name box.
DialogAnswerer::Answer ChooseFile(const std::string& path);
// Answers a dialog as a user at the keyboard does: a real press of `key`
// once the dialog is the active window with the focus in it. The dialog's
// own loop takes the key.
DialogAnswerer::Answer AnswerByKey(WORD key);

// Clicks item `item` (1-based) of the main window's caption, as the skin
// lays it out.
void ClickCaptionItem(int item);
// What the screen shows of a window, the mouse away from every control.
PixelBuffer Look(HWND window);
// The pixels in which two pictures of one size differ.
int Differing(const PixelBuffer& a, const PixelBuffer& b);
// The pixels in which they differ as a user sees it at a glance: by a
// quarter of the range at least in one colour.
int Contrasting(const PixelBuffer& a, const PixelBuffer& b);
// Text of the item selected in the folder dialog's tree.
std::wstring SelectedTreeText(HWND dialog);
// Selects a folder ("X:\..."; a trailing "\" or not) in the folder dialog,
// as the dialog's selection message does, or else (where the dialog does
// not find it) by its items in the tree as a user does; either way the tree
// shows it selected when this returns, and false says that it does not. A
// drive root is chosen by the message alone; a folder whose name ends in a
// blank or a dot, which the shell cannot find by its path, and one whose
// path is kPlainPathLimit characters or longer, which it finds cut short,
// by the tree alone. Each choice expands the tree a
// level at a time, so under Z:\ (the whole Linux tree) it is slow on a busy
// machine: tests choose folders made on C: (FolderOnC).
bool SelectInFolderDialog(HWND dialog, const std::wstring& folder);
// Lists `folder` (no "\\" at its end) and each folder above it. Wine's
// folder dialog reaches a folder by walking its tree, comparing each item
// with the folder's item as the shell describes it now, to the byte, the
// last access (to two seconds) among the rest. Listing a folder moves its
// last access where it changed since it was last listed (Linux's
// "relatime"), and the dialog and the shell's look-up of a path both list
// folders, each after it has described some: where a folder on the way had
// changed since its last listing more than a moment before, the walk stops
// short, at the Desktop or a folder above (as a user sees it, see README).
// Folders listed since their last change are described alike all the while.
void ListFoldersOnTheWay(const std::wstring& folder);
// Gives the folder `folder` a last access `minutes` before its last change.
void AgeLastAccess(const std::wstring& folder, int minutes);
// Makes "C:\<name>\" (the Wine prefix's own drive, two levels below the
// folder dialog's root) and returns it with its trailing "\".
std::string FolderOnC(const std::string& name);

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  HWND H(Unit unit) const { return MainForm().UnitGetHandle(unit); }
  void ClickUnit(Unit unit);
  void TypeInto(Unit unit, const std::wstring& text);  // empties the box from code first
  void Pick(Unit combo, int index);  // arrow keys on the closed list
  // Clicks the unit, answering the dialogs it opens in order.
  std::vector<SeenDialog> ClickAnswering(Unit unit, std::vector<DialogAnswerer::Answer> answers);
  HWND focusAtStart_ = nullptr;
};

}  // namespace korvath::app::uitest
