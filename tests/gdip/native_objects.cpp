#include "tests/gdip/native_objects.h"

#include <windows.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "tests/support/import_slots.h"

namespace gdiptest {

namespace {

namespace Flat = Gdiplus::DllExports;
using Gdiplus::GpStatus;

// The families of objects, each with its own delete call: a handle deleted
// through another family's call is a stray delete too.
enum class Family {
  Brush, Pen, Graphics, Image, Region, Path, Matrix, Font, FontFamily, StringFormat, ImageAttributes,
  CustomLineCap, CachedBitmap, PathIterator, FontCollection,
};

struct Tally {
  std::mutex lock;
  struct Held {
    Family family;
    int count;
  };
  std::map<const void*, Held> live;
  int total = 0;
  int stray = 0;
  // Blocks of memory, of GDI+'s heap or global: the live ones, and those
  // freed here that were not made again since (a second free of one of
  // those is a stray free).
  std::set<const void*> liveBlocks, freedBlocks;
  int strayBlockFrees = 0;

  void Made(Family family, const void* handle) {
    if (!handle) return;
    std::lock_guard hold(lock);
    Held& held = live.try_emplace(handle, Held{family, 0}).first->second;
    ++held.count;
    ++total;
  }
  // Whether the delete may go on to GDI+.
  bool Deleting(Family family, const void* handle) {
    std::lock_guard hold(lock);
    auto found = live.find(handle);
    if (found == live.end() || found->second.family != family) {
      ++stray;
      return false;
    }
    return true;
  }
  void Deleted(const void* handle) {
    std::lock_guard hold(lock);
    auto found = live.find(handle);
    if (found == live.end()) return;
    --total;
    if (--found->second.count == 0) live.erase(found);
  }

  void BlockMade(const void* block) {
    if (!block) return;
    std::lock_guard hold(lock);
    liveBlocks.insert(block);
    freedBlocks.erase(block);
  }
  // Whether the free may go on: a block freed here already is not freed
  // again; one that came from elsewhere (the system's own) is let through.
  bool BlockFreeing(const void* block) {
    std::lock_guard hold(lock);
    if (!freedBlocks.count(block)) return true;
    ++strayBlockFrees;
    return false;
  }
  void BlockFreed(const void* block) {
    std::lock_guard hold(lock);
    if (liveBlocks.erase(block)) freedBlocks.insert(block);
  }
};
Tally& TheTally() {
  static Tally tally;
  return tally;
}

// One routed function: where its thunk stands and where the real function's
// address goes, read from the import table before the table is changed.
struct Route {
  const char* name;
  void* thunk;
  void** original;
};

// A call that makes an object: the real call, then the tally of the handle it
// wrote into its argument number `Out` (the last one unless said).
template <class Signature, int Tag, Family F, int Out = -1>
struct Creator;
template <class... A, int Tag, Family F, int Out>
struct Creator<GpStatus(WINGDIPAPI*)(A...), Tag, F, Out> {
  static inline GpStatus(WINGDIPAPI* original)(A...) = nullptr;
  static GpStatus WINGDIPAPI Call(A... arguments) {
    const GpStatus status = original(arguments...);
    constexpr size_t at = Out < 0 ? sizeof...(A) - 1 : size_t(Out);
    auto out = std::get<at>(std::tie(arguments...));
    if (status == Gdiplus::Ok && out) TheTally().Made(F, *out);
    return status;
  }
};

// A call that deletes an object (through a handle, or through the place that
// holds it, as a private font collection's delete takes it).
template <class Signature, int Tag, Family F>
struct Deleter;
template <class H, int Tag, Family F>
struct Deleter<GpStatus(WINGDIPAPI*)(H), Tag, F> {
  static inline GpStatus(WINGDIPAPI* original)(H) = nullptr;
  static GpStatus WINGDIPAPI Call(H handle) {
    const void* object = nullptr;
    if constexpr (std::is_pointer_v<std::remove_pointer_t<H>>)
      object = handle ? *handle : nullptr;
    else
      object = handle;
    // GDI+ answers a null handle itself.
    if (!object) return original(handle);
    if (!TheTally().Deleting(F, object)) return Gdiplus::ObjectBusy;
    const GpStatus status = original(handle);
    if (status == Gdiplus::Ok) TheTally().Deleted(object);
    return status;
  }
};

// The blocks of GDI+'s heap.
struct GdiplusHeapAlloc {
  static inline void*(WINGDIPAPI* original)(size_t) = nullptr;
  static void* WINGDIPAPI Call(size_t size) {
    void* block = original(size);
    TheTally().BlockMade(block);
    return block;
  }
};
struct GdiplusHeapFree {
  static inline void(WINGDIPAPI* original)(void*) = nullptr;
  static void WINGDIPAPI Call(void* block) {
    if (block && !TheTally().BlockFreeing(block)) return;
    original(block);
    TheTally().BlockFreed(block);
  }
};
// Global blocks (the memory under the library's streams).
struct GlobalBlockAlloc {
  static inline HGLOBAL(WINAPI* original)(UINT, SIZE_T) = nullptr;
  static HGLOBAL WINAPI Call(UINT flags, SIZE_T size) {
    HGLOBAL block = original(flags, size);
    TheTally().BlockMade(block);
    return block;
  }
};
struct GlobalBlockFree {
  static inline HGLOBAL(WINAPI* original)(HGLOBAL) = nullptr;
  static HGLOBAL WINAPI Call(HGLOBAL block) {
    // A failed free returns the block.
    if (block && !TheTally().BlockFreeing(block)) return block;
    HGLOBAL left = original(block);
    if (!left) TheTally().BlockFreed(block);
    return left;
  }
};

template <class Thunk>
Route RouteOf(const char* name) {
  return {name, reinterpret_cast<void*>(&Thunk::Call), reinterpret_cast<void**>(&Thunk::original)};
}

// decltype reads the function's type only: a function that Wine's GDI+ does
// not export is never imported, and the program still loads.
#define MAKES(family, fn) RouteOf<Creator<decltype(&Flat::fn), __COUNTER__, Family::family>>(#fn)
#define MAKES_AT(family, fn, out) RouteOf<Creator<decltype(&Flat::fn), __COUNTER__, Family::family, out>>(#fn)
#define DELETES(family, fn) RouteOf<Deleter<decltype(&Flat::fn), __COUNTER__, Family::family>>(#fn)

const Route kRoutes[] = {
    MAKES(Brush, GdipCloneBrush), MAKES(Brush, GdipCreateSolidFill), MAKES(Brush, GdipCreateHatchBrush),
    MAKES(Brush, GdipCreateLineBrush), MAKES(Brush, GdipCreateLineBrushI),
    MAKES(Brush, GdipCreateLineBrushFromRect), MAKES(Brush, GdipCreateLineBrushFromRectI),
    MAKES(Brush, GdipCreateLineBrushFromRectWithAngle), MAKES(Brush, GdipCreateLineBrushFromRectWithAngleI),
    MAKES(Brush, GdipCreatePathGradient), MAKES(Brush, GdipCreatePathGradientI),
    MAKES(Brush, GdipCreatePathGradientFromPath), MAKES(Brush, GdipCreateTexture),
    MAKES(Brush, GdipCreateTexture2), MAKES(Brush, GdipCreateTexture2I), MAKES(Brush, GdipCreateTextureIA),
    MAKES(Brush, GdipCreateTextureIAI), MAKES(Brush, GdipGetPenBrushFill), DELETES(Brush, GdipDeleteBrush),

    MAKES(Pen, GdipCreatePen1), MAKES(Pen, GdipCreatePen2), MAKES(Pen, GdipClonePen),
    DELETES(Pen, GdipDeletePen),

    MAKES(Graphics, GdipCreateFromHDC), MAKES(Graphics, GdipCreateFromHDC2), MAKES(Graphics, GdipCreateFromHWND),
    MAKES(Graphics, GdipCreateFromHWNDICM), MAKES(Graphics, GdipGetImageGraphicsContext),
    DELETES(Graphics, GdipDeleteGraphics),

    MAKES(Image, GdipCreateBitmapFromStream), MAKES(Image, GdipCreateBitmapFromFile),
    MAKES(Image, GdipCreateBitmapFromStreamICM), MAKES(Image, GdipCreateBitmapFromFileICM),
    MAKES(Image, GdipCreateBitmapFromScan0), MAKES(Image, GdipCreateBitmapFromGraphics),
    MAKES(Image, GdipCreateBitmapFromGdiDib), MAKES(Image, GdipCreateBitmapFromHBITMAP),
    MAKES(Image, GdipCreateBitmapFromHICON), MAKES(Image, GdipCreateBitmapFromResource),
    MAKES(Image, GdipCloneBitmapArea), MAKES(Image, GdipCloneBitmapAreaI), MAKES(Image, GdipLoadImageFromStream),
    MAKES(Image, GdipLoadImageFromFile), MAKES(Image, GdipLoadImageFromStreamICM),
    MAKES(Image, GdipLoadImageFromFileICM), MAKES(Image, GdipCloneImage), MAKES_AT(Image, GdipGetImageThumbnail, 3),
    MAKES(Image, GdipGetTextureImage),
    MAKES(Image, GdipCreateMetafileFromEmf), MAKES(Image, GdipCreateMetafileFromWmf),
    MAKES(Image, GdipCreateMetafileFromFile), MAKES(Image, GdipCreateMetafileFromWmfFile),
    MAKES(Image, GdipCreateMetafileFromStream), DELETES(Image, GdipDisposeImage),

    MAKES(Region, GdipCreateRegion), MAKES(Region, GdipCreateRegionRect), MAKES(Region, GdipCreateRegionRectI),
    MAKES(Region, GdipCreateRegionPath), MAKES(Region, GdipCreateRegionRgnData),
    MAKES(Region, GdipCreateRegionHrgn), MAKES(Region, GdipCloneRegion), DELETES(Region, GdipDeleteRegion),

    MAKES(Path, GdipCreatePath), MAKES(Path, GdipCreatePath2), MAKES(Path, GdipCreatePath2I),
    MAKES(Path, GdipClonePath), DELETES(Path, GdipDeletePath),

    MAKES(Matrix, GdipCreateMatrix), MAKES(Matrix, GdipCreateMatrix2), MAKES(Matrix, GdipCreateMatrix3),
    MAKES(Matrix, GdipCreateMatrix3I), MAKES(Matrix, GdipCloneMatrix), DELETES(Matrix, GdipDeleteMatrix),

    MAKES(Font, GdipCreateFontFromDC), MAKES(Font, GdipCreateFontFromLogfontA),
    MAKES(Font, GdipCreateFontFromLogfontW), MAKES(Font, GdipCreateFont), MAKES(Font, GdipCloneFont),
    DELETES(Font, GdipDeleteFont),

    MAKES(FontFamily, GdipGetFamily), MAKES(FontFamily, GdipCreateFontFamilyFromName),
    MAKES(FontFamily, GdipCloneFontFamily), MAKES(FontFamily, GdipGetGenericFontFamilySansSerif),
    MAKES(FontFamily, GdipGetGenericFontFamilySerif), MAKES(FontFamily, GdipGetGenericFontFamilyMonospace),
    DELETES(FontFamily, GdipDeleteFontFamily),

    MAKES(StringFormat, GdipCreateStringFormat), MAKES(StringFormat, GdipStringFormatGetGenericDefault),
    MAKES(StringFormat, GdipStringFormatGetGenericTypographic), MAKES(StringFormat, GdipCloneStringFormat),
    DELETES(StringFormat, GdipDeleteStringFormat),

    MAKES(ImageAttributes, GdipCreateImageAttributes), MAKES(ImageAttributes, GdipCloneImageAttributes),
    DELETES(ImageAttributes, GdipDisposeImageAttributes),

    MAKES(CustomLineCap, GdipCreateCustomLineCap), MAKES(CustomLineCap, GdipCloneCustomLineCap),
    MAKES(CustomLineCap, GdipCreateAdjustableArrowCap), DELETES(CustomLineCap, GdipDeleteCustomLineCap),

    MAKES(CachedBitmap, GdipCreateCachedBitmap), DELETES(CachedBitmap, GdipDeleteCachedBitmap),
    MAKES_AT(PathIterator, GdipCreatePathIter, 0), DELETES(PathIterator, GdipDeletePathIter),
    // The installed collection is the system's own and is never deleted.
    MAKES(FontCollection, GdipNewPrivateFontCollection), DELETES(FontCollection, GdipDeletePrivateFontCollection),
};

#undef MAKES
#undef MAKES_AT
#undef DELETES

const Route kHeapRoutes[] = {RouteOf<GdiplusHeapAlloc>("GdipAlloc"), RouteOf<GdiplusHeapFree>("GdipFree")};
const Route kGlobalRoutes[] = {RouteOf<GlobalBlockAlloc>("GlobalAlloc"), RouteOf<GlobalBlockFree>("GlobalFree")};

// Imports whose names look like a maker's but make no GDI+ object (a GDI
// object, a stream, the system's own collection) or take one back.
constexpr std::string_view kNoObject[] = {
    "GdipCreateHBITMAPFromBitmap", "GdipCreateHICONFromBitmap", "GdipCreateStreamOnFile",
    "GdipCreateHalftonePalette",   "GdipNewInstalledFontCollection",
};

template <size_t N>
const Route* FindRoute(const Route (&routes)[N], std::string_view name) {
  for (const Route& route : routes)
    if (name == route.name) return &route;
  return nullptr;
}

bool NamesObjectCall(std::string_view name) {
  for (std::string_view start : {"GdipCreate", "GdipClone", "GdipLoad", "GdipNew", "GdipDelete", "GdipDispose"})
    if (name.starts_with(start)) return true;
  return false;
}

struct ImportTable {
  std::vector<std::string> tallied, untallied;
};

// Calls visit(gdiplus, name, slot) for each import by name of the program
// from GDI+ (gdiplus true) and from the system's kernel32.
template <class Visit>
void ForEachTalliedImport(Visit visit) {
  testsupport::ForEachImport([&](std::string_view dll, std::string_view name, void** slot) {
    const bool gdiplus = testsupport::SameDllName(dll, "gdiplus.dll");
    if (gdiplus || testsupport::SameDllName(dll, "kernel32.dll")) visit(gdiplus, name, slot);
  });
}

// Reads the program's imports of GDI+ (and of the global blocks, from the
// system) and routes the known ones past the tally, once, before the
// program's main.
const ImportTable& Imports() {
  static const ImportTable table = [] {
    ImportTable found;
    ForEachTalliedImport([&found](bool gdiplus, std::string_view name, void** slot) {
      const Route* route = gdiplus ? FindRoute(kRoutes, name) : FindRoute(kGlobalRoutes, name);
      if (gdiplus && !route) route = FindRoute(kHeapRoutes, name);
      if (!route) {
        if (!gdiplus) return;
        bool noObject = false;
        for (std::string_view other : kNoObject) noObject = noObject || name == other;
        if (NamesObjectCall(name) && !noObject) found.untallied.emplace_back(name);
        return;
      }
      *route->original = testsupport::SwapImport(slot, route->thunk);
      found.tallied.emplace_back(name);
    });
    return found;
  }();
  return table;
}

// Every test ends with the objects it found and no stray delete: a leak or a
// double delete of any wrapper fails the test that made it, not a later one.
// The tally's own tests make both on purpose.
class EveryTestBalances : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override {
    live_ = LiveNativeObjects();
    stray_ = StrayNativeDeletes();
    blocks_ = LiveHeapBlocks();
    strayFrees_ = StrayHeapFrees();
  }
  void OnTestEnd(const testing::TestInfo& test) override {
    if (std::string_view(test.test_suite_name()) == "GdipNativeTally") return;
    EXPECT_EQ(LiveNativeObjects(), live_) << "native GDI+ objects that the test made and did not delete";
    EXPECT_EQ(StrayNativeDeletes(), stray_) << "deletes of handles that no live object had";
    EXPECT_EQ(LiveHeapBlocks(), blocks_) << "heap or global blocks that the test took and did not free";
    EXPECT_EQ(StrayHeapFrees(), strayFrees_) << "frees of blocks that were freed already";
  }
  int live_ = 0, stray_ = 0, blocks_ = 0, strayFrees_ = 0;
};

// Routes the calls before main, so that every object the program makes is
// known when it is deleted, and puts the balance before the printer, so that
// its failures are the test's own.
const bool kRouted = [] {
  Imports();
  testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
  testing::TestEventListener* printer = listeners.Release(listeners.default_result_printer());
  listeners.Append(new EveryTestBalances);
  if (printer) listeners.Append(printer);
  return true;
}();

}  // namespace

int LiveNativeObjects() {
  std::lock_guard hold(TheTally().lock);
  return TheTally().total;
}

int StrayNativeDeletes() {
  std::lock_guard hold(TheTally().lock);
  return TheTally().stray;
}

int LiveHeapBlocks() {
  std::lock_guard hold(TheTally().lock);
  return int(TheTally().liveBlocks.size());
}

int StrayHeapFrees() {
  std::lock_guard hold(TheTally().lock);
  return TheTally().strayBlockFrees;
}

bool IsLiveNative(const void* handle) {
  std::lock_guard hold(TheTally().lock);
  return handle && TheTally().live.count(handle) != 0;
}

std::vector<std::string> TalliedFunctions() { return Imports().tallied; }
std::vector<std::string> UntalliedObjectFunctions() { return Imports().untallied; }

GdiplusStandIn::GdiplusStandIn(const char* name, void* standIn) {
  Imports();  // the tally's routes first: a stand-in comes and goes over them
  slot_ = testsupport::ImportSlot("gdiplus.dll", name);
  if (!slot_) {
    ADD_FAILURE() << "the program does not import " << name << " from GDI+";
    return;
  }
  original_ = testsupport::SwapImport(slot_, standIn);
}

GdiplusStandIn::~GdiplusStandIn() {
  if (slot_) testsupport::SwapImport(slot_, original_);
}

NativeObjectsBalance::NativeObjectsBalance(int change)
    : live_(LiveNativeObjects()), stray_(StrayNativeDeletes()), change_(change) {}

NativeObjectsBalance::~NativeObjectsBalance() {
  EXPECT_EQ(LiveNativeObjects() - live_, change_) << "native GDI+ objects made and not deleted";
  EXPECT_EQ(StrayNativeDeletes() - stray_, 0) << "deletes of handles that no live object had";
}

}  // namespace gdiptest
