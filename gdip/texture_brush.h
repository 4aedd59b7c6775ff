#pragma once
// A fill that repeats an image. The skin engine tiles skin pictures with it,
// moving the brush's origin with TranslateTransform so that the tiles start
// at the filled rectangle.
#include "gdip/brush.h"

namespace korvath::gdip {

class Image;

class TextureBrush : public Brush {
 public:
  TextureBrush() = default;
  TextureBrush(TextureBrush&&) noexcept = default;
  TextureBrush& operator=(TextureBrush&&) noexcept = default;

  // Wrap mode 0 tiles. The brush keeps its own copy of the image.
  [[nodiscard]] bool Create(const Image& image, Gdiplus::WrapMode wrapMode = Gdiplus::WrapModeTile);
  [[nodiscard]] bool CreateFromRect(const Image& image, float x, float y, float width, float height,
                                    Gdiplus::WrapMode wrapMode = Gdiplus::WrapModeTile);
  [[nodiscard]] bool CreateWithAttributes(const Image& image, float x, float y, float width, float height,
                                          const GdipBase* attributes = nullptr);
  // Copies the brush's transform into the matrix that `matrix` holds; the
  // matrix object keeps its handle (it must hold a matrix).
  [[nodiscard]] bool GetTransform(GdipBase& matrix) const;
  bool SetTransform(const GdipBase& matrix);
  bool ResetTransform();
  bool MultiplyTransform(const GdipBase& matrix, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool TranslateTransform(float dx, float dy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool ScaleTransform(float sx, float sy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateTransform(float angle, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  Gdiplus::WrapMode GetWrapMode() const;
  bool SetWrapMode(Gdiplus::WrapMode mode);
  // A new image with the brush's picture goes to `target` (emptied when the
  // call fails), which then owns it.
  [[nodiscard]] bool GetImage(Image& target) const;
  [[nodiscard]] bool CreateFromRectI(const Image& image, int x, int y, int width, int height,
                                     Gdiplus::WrapMode wrapMode = Gdiplus::WrapModeTile);
  [[nodiscard]] bool CreateWithAttributesI(const Image& image, int x, int y, int width, int height,
                                           const GdipBase* attributes = nullptr);
  bool ScaleAt(float sx, float sy, const PointF& centre,
               Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateAt(float angle, const PointF& centre, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);

  Gdiplus::GpTexture* NativeTexture() const { return NativeAs<Gdiplus::GpTexture>(); }
};

}  // namespace korvath::gdip
