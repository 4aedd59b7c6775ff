#pragma once
// A GDI+ graphics: the drawing surface of one paint, made over a memory
// device context (FromHDC) or a back-buffer bitmap (FromImage), set up for
// quality, clipped, drawn and filled on, then deleted.
//
// Every operation acts on the one native graphics and follows the library's
// wrapper pattern: the flat call's status becomes the last status, setters
// and actions answer true when it is Ok, getters answer 0 (or a record of
// zeros) when the call failed. Combine modes, matrix orders and container
// units that are left out are replace, prepend and world; a source unit that
// is left out is pixel. Optional objects that are left out are none.
// Matrix, image-attributes and cached-bitmap arguments are any library
// objects holding a native object of that kind.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "gdip/geometry.h"
#include "gdip/object.h"

namespace korvath::gdip {

class Brush;
class Font;
class GraphicsPath;
class Image;
class Pen;
class Region;
class StringFormat;

// Driver strings look their characters up in the font's character map
// unless told otherwise.
inline constexpr int kDriverStringCmapLookup = Gdiplus::DriverStringOptionsCmapLookup;

// The colour matrix that DrawImageWithColorMatrix draws through, rows first:
// the identity with the alpha entry (row 4, column 4) set by the last call.
using ColorMatrixCells = std::array<std::array<float, 5>, 5>;
const ColorMatrixCells& GdipColorMatrix();

class Graphics : public GdipBase {
 public:
  Graphics() = default;
  ~Graphics() override { Delete(); }
  Graphics(Graphics&&) noexcept = default;
  Graphics& operator=(Graphics&&) noexcept = default;

  Gdiplus::GpGraphics* NativeGraphics() const noexcept { return NativeAs<Gdiplus::GpGraphics>(); }
  void SetNativeGraphics(Gdiplus::GpGraphics* graphics) { SetNativeObject(graphics); }

  // ---- creation and release ------------------------------------------------
  // Creators: a graphics held before is deleted. The graphics owns neither
  // the window, the device context nor the image, which must outlive it.
  [[nodiscard]] bool FromHWND(HWND window, bool useICM = false);
  bool Delete();
  // With a device handle given (even null), GdipCreateFromHDC2.
  [[nodiscard]] bool FromHDC(HDC dc, std::optional<HANDLE> device = std::nullopt);
  // Null when the call fails.
  HDC GetDC();
  bool ReleaseDC(HDC dc);
  [[nodiscard]] bool FromImage(const Image& image);

  // ---- rendering state -------------------------------------------------------
  Gdiplus::CompositingMode GetCompositingMode() const;
  bool SetCompositingMode(Gdiplus::CompositingMode mode);
  [[nodiscard]] bool GetRenderingOrigin(int& x, int& y) const;
  bool SetRenderingOrigin(int x, int y);
  Gdiplus::CompositingQuality GetCompositingQuality() const;
  bool SetCompositingQuality(Gdiplus::CompositingQuality quality);
  bool SetSmoothingMode(Gdiplus::SmoothingMode mode);
  Gdiplus::SmoothingMode GetSmoothingMode() const;
  bool SetTextRenderingHint(Gdiplus::TextRenderingHint hint);
  Gdiplus::TextRenderingHint GetTextRenderingHint() const;

  bool DrawRectangles(const Pen& pen, std::span<const RectF> rects);
  bool DrawImage(const Image& image, float x, float y);
  float GetDpiX() const;
  float GetDpiY() const;
  // The whole image into the rectangle.
  bool DrawImageRect(const Image& image, float x, float y, float width, float height,
                     Gdiplus::Unit unit = Gdiplus::UnitPixel);
  // The image's upper-left, upper-right and lower-left corners go to the
  // three points; the fourth corner completes the parallelogram.
  bool DrawImagePoints(const Image& image, float x1, float y1, float x2, float y2, float x3, float y3);
  bool DrawImagePointRect(const Image& image, float x, float y, float srcX, float srcY, float srcWidth,
                          float srcHeight, Gdiplus::Unit unit = Gdiplus::UnitPixel);

  // ---- clipping --------------------------------------------------------------
  bool SetClip(const Graphics& other, Gdiplus::CombineMode combineMode = Gdiplus::CombineModeReplace);
  bool SetClipPath(const GraphicsPath& path, Gdiplus::CombineMode combineMode = Gdiplus::CombineModeReplace);
  bool SetClipRect(float x, float y, float width, float height,
                   Gdiplus::CombineMode combineMode = Gdiplus::CombineModeReplace);
  bool SetClipRegion(const Region& region, Gdiplus::CombineMode combineMode = Gdiplus::CombineModeReplace);
  bool SetClipHrgn(HRGN region, Gdiplus::CombineMode combineMode = Gdiplus::CombineModeReplace);
  bool ResetClip();
  bool TranslateClip(float dx, float dy);
  // Copies the clip into the region that `region` holds (it keeps its handle).
  [[nodiscard]] bool GetClip(Region& region) const;
  RectF GetClipBounds() const;
  bool IsClipEmpty() const;
  bool IsVisiblePoint(float x, float y) const;
  bool IsVisibleRect(float x, float y, float width, float height) const;
  bool IsVisibleClipEmpty() const;
  RectF GetVisibleClipBounds() const;

  bool DrawImageRectRect(const Image& image, float x, float y, float width, float height, float srcX,
                         float srcY, float srcWidth, float srcHeight, Gdiplus::Unit unit = Gdiplus::UnitPixel,
                         const GdipBase* attributes = nullptr);
  bool DrawImagePointsRect(const Image& image, float x1, float y1, float x2, float y2, float x3, float y3,
                           float srcX, float srcY, float srcWidth, float srcHeight,
                           Gdiplus::Unit unit = Gdiplus::UnitPixel, const GdipBase* attributes = nullptr);

  // ---- states, containers and transforms -------------------------------------
  // States are GDI+'s own values; 0 when the call failed.
  [[nodiscard]] uint32_t Save();
  bool Restore(uint32_t state);
  [[nodiscard]] uint32_t BeginContainer(const RectF& destination, const RectF& source,
                                        Gdiplus::Unit unit = Gdiplus::UnitWorld);
  [[nodiscard]] uint32_t BeginContainer2();
  bool EndContainer(uint32_t state);
  bool SetInterpolationMode(Gdiplus::InterpolationMode mode);
  Gdiplus::InterpolationMode GetInterpolationMode() const;
  bool SetPixelOffsetMode(Gdiplus::PixelOffsetMode mode);
  Gdiplus::PixelOffsetMode GetPixelOffsetMode() const;
  bool SetWorldTransform(const GdipBase& matrix);
  // Copies the world transform into the matrix that `matrix` holds.
  [[nodiscard]] bool GetWorldTransform(GdipBase& matrix) const;
  bool ResetWorldTransform();
  bool MultiplyWorldTransform(const GdipBase& matrix,
                              Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateWorldTransform(float angle, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool TranslateWorldTransform(float dx, float dy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool ScaleWorldTransform(float sx, float sy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool SetPageUnit(Gdiplus::Unit unit);
  Gdiplus::Unit GetPageUnit() const;
  bool SetPageScale(float scale);
  float GetPageScale() const;
  // Converts the points in place between coordinate spaces.
  bool TransformPoints(Gdiplus::CoordinateSpace destinationSpace, Gdiplus::CoordinateSpace sourceSpace,
                       std::span<PointF> points) const;
  bool TransformPointsI(Gdiplus::CoordinateSpace destinationSpace, Gdiplus::CoordinateSpace sourceSpace,
                        std::span<Point> points) const;
  // The colour GDI+ gives back; the argument when the call fails.
  Argb GetNearestColor(Argb colour) const;

  // ---- lines and outlines ----------------------------------------------------
  bool DrawLine(const Pen& pen, float x1, float y1, float x2, float y2);
  bool DrawLines(const Pen& pen, std::span<const PointF> points);
  bool DrawLineI(const Pen& pen, int x1, int y1, int x2, int y2);
  bool DrawLinesI(const Pen& pen, std::span<const Point> points);
  bool DrawArc(const Pen& pen, float x, float y, float width, float height, float startAngle, float sweepAngle);
  bool DrawArcI(const Pen& pen, int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool DrawBezier(const Pen& pen, float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
  bool DrawBezierI(const Pen& pen, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  bool DrawBeziers(const Pen& pen, std::span<const PointF> points);
  bool DrawBeziersI(const Pen& pen, std::span<const Point> points);
  bool DrawRectangle(const Pen& pen, float x, float y, float width, float height);
  bool DrawRectangleI(const Pen& pen, int x, int y, int width, int height);
  bool DrawRectanglesI(const Pen& pen, std::span<const Rect> rects);
  bool DrawEllipse(const Pen& pen, float x, float y, float width, float height);
  // A GBK text in the layout rectangle (none: no bounds, from its origin).
  bool DrawString(std::string_view text, const Font& font, const Brush& brush,
                  const std::optional<RectF>& layout = std::nullopt, const StringFormat* format = nullptr);
  bool DrawEllipseI(const Pen& pen, int x, int y, int width, int height);
  bool DrawPieI(const Pen& pen, int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool DrawPie(const Pen& pen, float x, float y, float width, float height, float startAngle, float sweepAngle);
  bool DrawPolygon(const Pen& pen, std::span<const PointF> points);
  bool DrawPolygonI(const Pen& pen, std::span<const Point> points);
  bool DrawPath(const Pen& pen, const GraphicsPath& path);
  bool DrawCurve(const Pen& pen, std::span<const PointF> points);
  bool DrawCurve2(const Pen& pen, std::span<const PointF> points, float tension);
  bool DrawCurve3(const Pen& pen, std::span<const PointF> points, int offset, int numberOfSegments, float tension);
  bool DrawCurve3I(const Pen& pen, std::span<const Point> points, int offset, int numberOfSegments, float tension);
  bool DrawClosedCurve(const Pen& pen, std::span<const PointF> points);
  bool DrawClosedCurve2(const Pen& pen, std::span<const PointF> points, float tension);
  bool DrawClosedCurve2I(const Pen& pen, std::span<const Point> points, float tension);

  // ---- fills -----------------------------------------------------------------
  bool Clear(Argb colour = 0);
  bool FillRectangle(const Brush& brush, float x, float y, float width, float height);
  bool FillRectangles(const Brush& brush, std::span<const RectF> rects);
  bool FillRectanglesI(const Brush& brush, std::span<const Rect> rects);
  bool FillPolygon(const Brush& brush, std::span<const PointF> points,
                   Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  bool FillEllipse(const Brush& brush, float x, float y, float width, float height);
  bool FillPieI(const Brush& brush, int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool FillPolygonI(const Brush& brush, std::span<const Point> points,
                    Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  bool FillPath(const Brush& brush, const GraphicsPath& path);
  bool FillClosedCurve(const Brush& brush, std::span<const PointF> points);
  bool FillClosedCurve2(const Brush& brush, std::span<const PointF> points, float tension,
                        Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  bool FillClosedCurveI(const Brush& brush, std::span<const Point> points);
  bool FillClosedCurve2I(const Brush& brush, std::span<const Point> points, float tension,
                         Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  bool FillRegion(const Brush& brush, const Region& region);

  // ---- text ------------------------------------------------------------------
  // The box the GBK text takes in the layout (none: no bounds).
  [[nodiscard]] bool MeasureString(std::string_view text, const Font& font,
                                   const std::optional<RectF>& layout, const StringFormat* format,
                                   RectF& boundingBox) const;

  bool FillPie(const Brush& brush, float x, float y, float width, float height, float startAngle,
               float sweepAngle);
  bool FillEllipseI(const Brush& brush, int x, int y, int width, int height);
  bool FillRectangleI(const Brush& brush, int x, int y, int width, int height);
  bool DrawClosedCurveI(const Pen& pen, std::span<const Point> points);
  bool DrawCurveI(const Pen& pen, std::span<const Point> points);
  bool DrawCurve2I(const Pen& pen, std::span<const Point> points, float tension);

  // The area of each of the format's `count` character ranges, one new region
  // each, replacing `regions` on success (count must equal the format's
  // range count). A count below 1 or above the format's range count is
  // refused; nothing is left behind on a failure and `regions` stays as it
  // was.
  [[nodiscard]] bool MeasureCharacterRanges(std::string_view text, const Font& font, const RectF& layout,
                                            const StringFormat& format, int count,
                                            std::vector<Region>& regions) const;
  // One position per character of the text (one in all when the flags ask
  // for realised advances); fewer are refused.
  bool DrawDriverString(std::string_view text, const Font& font, const Brush& brush,
                        std::span<const PointF> positions, int flags = kDriverStringCmapLookup,
                        const GdipBase* matrix = nullptr);
  // At the position truncated toward zero.
  bool DrawCachedBitmap(const GdipBase& cachedBitmap, float x, float y);

  // ---- integer image drawing ---------------------------------------------------
  bool DrawImageI(const Image& image, int x, int y);
  bool DrawImageRectI(const Image& image, int x, int y, int width, int height,
                      Gdiplus::Unit unit = Gdiplus::UnitPixel);
  bool DrawImagePointsI(const Image& image, int x1, int y1, int x2, int y2, int x3, int y3);
  bool DrawImagePointRectI(const Image& image, int x, int y, int srcX, int srcY, int srcWidth, int srcHeight,
                           Gdiplus::Unit unit = Gdiplus::UnitPixel);
  bool DrawImageRectRectI(const Image& image, int x, int y, int width, int height, int srcX, int srcY,
                          int srcWidth, int srcHeight, Gdiplus::Unit unit = Gdiplus::UnitPixel,
                          const GdipBase* attributes = nullptr);
  bool DrawImagePointsRectI(const Image& image, int x1, int y1, int x2, int y2, int x3, int y3, int srcX,
                            int srcY, int srcWidth, int srcHeight, Gdiplus::Unit unit = Gdiplus::UnitPixel,
                            const GdipBase* attributes = nullptr);

  // ---- integer clipping, containers and the rest -------------------------------
  bool SetClipRectI(int x, int y, int width, int height,
                    Gdiplus::CombineMode combineMode = Gdiplus::CombineModeReplace);
  bool TranslateClipI(int dx, int dy);
  Rect GetClipBoundsI() const;
  Rect GetVisibleClipBoundsI() const;
  bool IsVisiblePointI(int x, int y) const;
  bool IsVisibleRectI(int x, int y, int width, int height) const;
  [[nodiscard]] uint32_t BeginContainerI(const Rect& destination, const Rect& source,
                                         Gdiplus::Unit unit = Gdiplus::UnitWorld);
  bool Comment(std::span<const uint8_t> data);
  bool FillRectangleColor(const Brush& brush, const RectF& rect);
  bool SetTextContrast(int contrast);
  int GetTextContrast() const;
  void Flush(Gdiplus::FlushIntention intention = Gdiplus::FlushIntentionFlush);
  // As DrawString with a UTF-16 text (read up to its first zero).
  bool DrawStringSimple(std::wstring_view text, const Font& font, const Brush& brush,
                        const std::optional<RectF>& layout = std::nullopt, const StringFormat* format = nullptr);
  // Scale or rotate the world transform about `centre`, which stays in place.
  bool ScaleAt(float sx, float sy, const PointF& centre,
               Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateAt(float angle, const PointF& centre, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  [[nodiscard]] bool MeasureStringSimple(std::wstring_view text, const Font& font,
                                         const std::optional<RectF>& layout, const StringFormat* format,
                                         RectF& boundingBox) const;
  [[nodiscard]] bool MeasureCharacterRangesSimple(std::wstring_view text, const Font& font,
                                                  const RectF& layout, const StringFormat& format, int count,
                                                  std::vector<Region>& regions) const;
  bool DrawDriverStringSimple(std::wstring_view text, const Font& font, const Brush& brush,
                              std::span<const PointF> positions, int flags = kDriverStringCmapLookup,
                              const GdipBase* matrix = nullptr);

  // ---- colour matrix ----------------------------------------------------------
  // Draws a part of the image with every pixel's alpha multiplied by `alpha`
  // (1 unchanged, 0 invisible); the colours pass unchanged.
  void DrawImageWithColorMatrix(const Image& image, float x, float y, float width, float height, float srcX,
                                float srcY, float srcWidth, float srcHeight, float alpha = 0);

 protected:
  bool ReleaseNative() override { return Delete(); }

 private:
  struct ImageAttributesRelease {
    void operator()(Gdiplus::GpImageAttributes* attributes) const;
  };
  // Made at the first colour-matrix drawing; lives as long as the object.
  std::unique_ptr<Gdiplus::GpImageAttributes, ImageAttributesRelease> imageAttributes_;
};

}  // namespace korvath::gdip
