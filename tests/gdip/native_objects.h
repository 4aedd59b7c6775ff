#pragma once
// A tally of the native GDI+ objects of the test program, kept below the
// library: every flat call that makes an object (a creator, a clone, a loader,
// a getter that hands out a new object) and every flat call that deletes one
// is routed, through the program's import table, past a counter before it
// reaches GDI+. So a test sees what the wrappers really did to GDI+, whatever
// they believe they did: a clone that leaks a second native copy, a move or
// an adoption that forgets the handle it held, a handle deleted twice.
//
// A delete of a handle that nothing made (or that is already deleted, or
// made as another kind) is a stray delete: it is counted and never passed on,
// since GDI+ would free memory that is not an object's. A program that lists
// native_objects.cpp among its sources is tallied from before its main, and
// each of its tests fails when it ends with objects it made and did not
// delete, or after a stray delete (and the same for the blocks below).
#include <cstddef>
#include <string>
#include <vector>

namespace gdiptest {

// Native objects made and not deleted since the program started (an object
// that GDI+ hands out again, such as a shared generic one, counts each time).
int LiveNativeObjects();
// Deletes that were not passed on (see above), since the program started.
int StrayNativeDeletes();
// Blocks of memory taken through the program's imports and not freed: of
// GDI+'s heap (GdipAlloc, GdipFree) and global blocks (GlobalAlloc,
// GlobalFree), such as those under the library's memory streams. A free of a
// block that was freed already is a stray free: counted, and not passed on.
// A free of a block that the program did not take (one the system made) is
// passed on uncounted.
int LiveHeapBlocks();
int StrayHeapFrees();
// Whether `handle` is a native object made and not yet deleted.
bool IsLiveNative(const void* handle);
// The names of the functions routed past the tally: the program's imports
// of GDI+ that make or delete objects, and those that take or free blocks.
std::vector<std::string> TalliedFunctions();
// The program's imports of GDI+ whose names say that they make or delete an
// object (Create, Clone, Load, New, Delete, Dispose) but that the tally does
// not know: each is a hole in the tally, or makes no GDI+ object.
std::vector<std::string> UntalliedObjectFunctions();

// For as long as it lives, the program's calls of the GDI+ function `name`
// go to `standIn`, a function of the same type: for what a test must see GDI+
// answer where Wine's GDI+ answers nothing (a function it leaves out or only
// pretends to run), and for a look at what the library hands GDI+. Original()
// is what the program called before: GDI+'s function, or the tally's route
// to it, which a stand-in that passes a call on must take.
class GdiplusStandIn {
 public:
  GdiplusStandIn(const char* name, void* standIn);
  ~GdiplusStandIn();
  GdiplusStandIn(const GdiplusStandIn&) = delete;
  GdiplusStandIn& operator=(const GdiplusStandIn&) = delete;
  void* Original() const { return original_; }

 private:
  void** slot_ = nullptr;
  void* original_ = nullptr;
};
// A stand-in for the flat function `fn`, checked to have its type.
#define GDIPLUS_STAND_IN(fn, standIn) \
  gdiptest::GdiplusStandIn(#fn, reinterpret_cast<void*>(static_cast<decltype(&Gdiplus::DllExports::fn)>(standIn)))

// Checks, when it goes, that the live objects changed by exactly `change`
// since it was made and that no stray delete happened meanwhile.
class NativeObjectsBalance {
 public:
  explicit NativeObjectsBalance(int change = 0);
  ~NativeObjectsBalance();
  NativeObjectsBalance(const NativeObjectsBalance&) = delete;
  NativeObjectsBalance& operator=(const NativeObjectsBalance&) = delete;

 private:
  int live_, stray_, change_;
};

}  // namespace gdiptest
