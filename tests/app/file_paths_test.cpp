// The path texts of the notices and of the folder check: which folder texts
// name their folder whatever the current directory is, and how a path too
// long for a notice is shortened in its middle.
#include <gtest/gtest.h>

#include <string>

#include "app/file_paths.h"
#include "platform/text_commands.h"

using namespace korvath::app;

namespace {
// Characters, not bytes: a Chinese character is two bytes of GBK.
size_t Chars(const std::string& text) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); i += korvath::platform::GbkCharLength(text, i)) ++count;
  return count;
}

// "C:\" and folders of ten characters each, then a file name, of exactly
// `length` characters; `wide` folders are Chinese.
std::string PathOf(size_t length, bool wide) {
  const std::string file = "\\zhangsan.pst";
  std::string path = "C:";
  size_t chars = 2;
  for (int level = 0; chars + 11 + file.size() <= length; ++level, chars += 11) {
    path += wide ? "\\第" : "\\L";
    path += std::to_string(level % 10);
    path += wide ? "层存档目录长长长" : "folder__";
  }
  for (; chars + file.size() < length; ++chars) path += wide ? "长" : "x";
  return path + file;
}
}  // namespace

TEST(FolderCheck, OnlyDriveAndUncPathsNameTheirFolderWherever) {
  for (const char* yes : {"C:\\", "c:/", "D:\\表\\", "Z:\\AI文件夹\\", "\\\\server\\share", "\\\\server\\share\\npc\\",
                          "//server/share/", "\\\\?\\C:\\npc\\", "\\\\?\\UNC\\server\\share\\", "\\\\服务器\\共享\\"})
    EXPECT_TRUE(IsAbsoluteFolder(yes)) << yes;
  for (const char* no : {"", " ", "sub", "sub\\", "\\sub\\", "/sub", "C:", "C:sub\\", "1:\\", " C:\\npc\\", "\\\\",
                         "\\\\server", "\\\\server\\", "\\\\\\share\\", "\\\\server\\\\share", "表\\", "孙八"})
    EXPECT_FALSE(IsAbsoluteFolder(no)) << no;
}

// A folder typed with "/" keeps its separators: one stands between it and
// the file name, and the path's folder part is the folder again.
TEST(FolderPath, AFolderEndingInASlashTakesNoSecondSeparator) {
  EXPECT_EQ(WithTrailingBackslash("C:/x/y/"), "C:/x/y/");
  EXPECT_EQ(WithTrailingBackslash("C:/x/y") + "|" + WithTrailingBackslash("C:\\x/"), "C:/x/y\\|C:\\x/");
  EXPECT_EQ(PathDirectoryPart("C:/x/y/ce.pst"), "C:/x/y/");
  EXPECT_EQ(PathDirectoryPart("C:\\x/y\\ce.pst") + "|" + PathDirectoryPart("C:\\x\\y/ce.pst"), "C:\\x/y\\|C:\\x\\y/");
  EXPECT_EQ(PathDirectoryPart("C:/淺.pst"), "C:/");  // 淺 ends in the byte of "\\"
}

// Blanks before or after the folder text are slips: the folder is what
// stands between them. Blanks inside it and full-width blanks, which folder
// names may hold, stay.
TEST(FolderPath, BlanksAreTakenOffBothEnds) {
  EXPECT_EQ(TrimBlanks(L" C:\\fx"), L"C:\\fx");
  EXPECT_EQ(TrimBlanks(L"C:\\fx\\ "), L"C:\\fx\\");
  EXPECT_EQ(TrimBlanks(L"   C:\\my folder\\  "), L"C:\\my folder\\");
  EXPECT_EQ(TrimBlanks(L"C:\\资料\u3000"), L"C:\\资料\u3000");
  EXPECT_EQ(TrimBlanks(L"   "), L"");
  EXPECT_EQ(TrimBlanks(L""), L"");
}

// Tabs, line breaks and every other control character before or after the
// folder text are slips of pasting that no notice could show: they go as
// blanks do, mixed with them too. Inside the text they stay, and so do
// full-width blanks at its ends and characters that are no control
// characters (a no-break space, Chinese).
TEST(FolderPath, ControlCharactersAreTakenOffBothEnds) {
  EXPECT_EQ(TrimBlanks(L"C:\\users\\Public\\\t"), L"C:\\users\\Public\\");
  EXPECT_EQ(TrimBlanks(L"\tC:\\fx"), L"C:\\fx");
  EXPECT_EQ(TrimBlanks(L"\r\n \t C:\\f\tx\\ \t\r\n"), L"C:\\f\tx\\");
  EXPECT_EQ(TrimBlanks(std::wstring(L"\0C:\\fx\x1F\x7F\x80\x9F\0", 12)), L"C:\\fx");
  EXPECT_EQ(TrimBlanks(L"\t\u3000C:\\资料\u3000\t"), L"\u3000C:\\资料\u3000");
  EXPECT_EQ(TrimBlanks(L"\u00A0C:\\fx\u00A0"), L"\u00A0C:\\fx\u00A0");
  EXPECT_EQ(TrimBlanks(L"\tC:\\资料"), L"C:\\资料");
  EXPECT_EQ(TrimBlanks(L"\t\r\n \x1B"), L"");
}

TEST(NoticePath, APathUpToTheLimitIsShownWhole) {
  for (bool wide : {false, true}) {
    for (size_t length : {size_t(20), kNoticePathLimit - 1, kNoticePathLimit}) {
      const std::string path = PathOf(length, wide);
      ASSERT_EQ(Chars(path), length);
      EXPECT_EQ(NoticePath(path), path) << length;
    }
  }
}

TEST(NoticePath, ALongerPathKeepsItsStartAndEndAroundAnEllipsis) {
  for (bool wide : {false, true}) {
    for (size_t length : {kNoticePathLimit + 1, size_t(300), size_t(100000)}) {
      SCOPED_TRACE(std::to_string(length) + (wide ? " wide" : ""));
      const std::string path = PathOf(length, wide);
      ASSERT_EQ(Chars(path), length);
      const std::string shown = NoticePath(path);
      EXPECT_LE(Chars(shown), kNoticePathLimit);
      EXPECT_GE(Chars(shown), kNoticePathLimit - 2 * 11);  // at most a folder name less on each side
      const size_t dots = shown.find("…");
      ASSERT_NE(dots, std::string::npos);
      EXPECT_EQ(shown.find("…", dots + 1), std::string::npos);
      // Whole characters and whole folder names on both sides: the start
      // ends after a "\" and the end begins at one.
      const std::string head = shown.substr(0, dots), tail = shown.substr(dots + std::string("…").size());
      EXPECT_EQ(path.substr(0, head.size()), head);
      EXPECT_EQ(path.substr(path.size() - tail.size()), tail);
      EXPECT_EQ(head.substr(0, 3), "C:\\");
      EXPECT_EQ(head.back(), '\\');
      EXPECT_EQ(tail.front(), '\\');
      EXPECT_EQ(tail.substr(tail.size() - 13), "\\zhangsan.pst");
      EXPECT_LE(Chars(head), kNoticePathLimit / 2);
      EXPECT_LE(Chars(tail), kNoticePathLimit / 2);
    }
  }
}

TEST(NoticePath, ANameLongerThanHalfTheLimitIsCutInsideIt) {
  // One folder name of 100,000 characters: nowhere to cut between names.
  std::string name;
  for (int i = 0; i < 100000; ++i) name += "长";
  const std::string shown = NoticePath("C:\\" + name + "\\zhangsan.pst");
  EXPECT_EQ(Chars(shown), kNoticePathLimit);
  EXPECT_EQ(shown.substr(0, 5), "C:\\长");
  EXPECT_EQ(shown.substr(shown.size() - 15), "长\\zhangsan.pst");
  // Whole characters only: the name's, the ellipsis and ASCII.
  std::string rest = shown;
  for (const char* whole : {"长", "…"}) {
    for (size_t at; (at = rest.find(whole)) != std::string::npos;) rest.erase(at, 2);
  }
  EXPECT_EQ(rest, "C:\\\\zhangsan.pst");
}

// Every character of UTF-16 at the start of a folder text, inside a name,
// as a name of its own and in a server's name: only "*" and "?" are
// wildcards. The "?" of the device namespace's form at the start, with
// either separator, is none; any other "?" is.
TEST(FolderCheck, OnlyAStarOrAQuestionMarkIsAWildcard) {
  for (unsigned code = 1; code <= 0xFFFF; ++code) {
    const wchar_t c = wchar_t(code);
    const wchar_t expected = c == L'*' || c == L'?' ? c : 0;
    const std::wstring one(1, c);
    for (const std::wstring& text : {one + L":\\", L"C:\\t3\\a" + one + L"b\\", L"C:\\" + one + L"\\",
                                     L"\\\\?\\C:\\" + one, L"//?/C:/x" + one + L"/", L"\\\\ser" + one + L"\\share\\"})
      if (FolderWildcard(text) != expected) FAIL() << "U+" << std::hex << code;
  }
  for (const wchar_t* none : {L"\\\\?\\C:\\npc\\", L"//?/c:/", L"\\/?\\C:\\", L"/\\?/UNC/server/share/", L"\\\\?\\"})
    EXPECT_EQ(FolderWildcard(none), 0) << none;
  for (const wchar_t* question : {L"\\\\??\\C:\\", L"\\?\\C:\\", L"\\\\?", L"?\\\\?\\C:\\", L"\\\\?\\C:\\?\\",
                                  L"\\\\.\\?\\", L"\\\\?x\\share\\"})
    EXPECT_EQ(FolderWildcard(question), L'?') << question;
  EXPECT_EQ(FolderWildcard(L"C:\\a*b?\\"), L'*');
  EXPECT_EQ(FolderWildcard(L"C:\\a?b*\\"), L'?');
}
