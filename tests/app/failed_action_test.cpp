// Handlers that throw: memory that runs out while the read button reads a
// file, and failures of any other kind. The action ends with a notice; the
// tool goes on with everything as it was.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <stdexcept>

#include "app/handler_guard.h"
#include "tests/app/bad_input_fixture.h"

using namespace korvath;
using namespace korvath::app;
using namespace korvath::app::uitest;

namespace {
// Allocations of at least this many bytes fail, as they do when memory runs
// short: nothing of the window, its dialogs or its boxes asks for that much
// at once.
std::atomic<size_t> g_failFrom{SIZE_MAX};
std::atomic<int> g_failed{0};
}  // namespace

void* operator new(size_t size) {
  if (size >= g_failFrom) {
    ++g_failed;
    throw std::bad_alloc();
  }
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }

namespace {
void ThrowsRuntimeError() { throw std::runtime_error("failed"); }
void ThrowsInt(int entry) { throw entry; }
}  // namespace

// The read button reads a file of one 10 MB line, which takes more than 8 MB
// at once. When that memory cannot be had, the handler ends with a notice,
// and the form, the record and the next save are as they were; the tool then
// reads the file as before.
TEST_F(BadInputTest, MemoryThatRunsOutInAHandlerEndsOnlyItsAction) {
  FillInAndSave();
  const std::string path = folder_ + "ten_megabytes.pst";
  WriteBytes(path, std::string(10 << 20, '\xD5'));
  g_failFrom = 8 << 20;
  const std::wstring notice = ReadNotice(path);
  g_failFrom = SIZE_MAX;
  EXPECT_GT(g_failed, 0);
  EXPECT_EQ(notice, L"内存不足,这一操作未能完成!");
  ExpectNothingLost();
  EXPECT_EQ(ReadNotice(path), Wide(Refused(path, "文件内容不完整")));
  EXPECT_TRUE(MainForm().IsAlive());
}

// Any other failure that throws, from a handler of the form or of a panel
// entry: the same notice, without the memory.
TEST_F(BadInputTest, AnyFailureThatAHandlerThrowsEndsOnlyItsAction) {
  FillInAndSave();
  using Handler = void (*)() noexcept;
  const Handler entryClick = []() noexcept { GuardedEntry<&ThrowsInt>(1); };
  for (Handler handler : {Handler(&Guarded<&ThrowsRuntimeError>), entryClick}) {
    DialogAnswerer answerer({PressButton(IDOK)});
    handler();
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, L"提示");
    EXPECT_EQ(answerer.seen()[0].text, L"程序内部出错,这一操作未能完成!");
  }
  ExpectNothingLost();
}
