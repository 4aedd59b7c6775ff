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
  bool Create(const Image& image, int wrapMode = 0);
  bool CreateFromRect(const Image& image, float x, float y, float width, float height, int wrapMode = 0);
  bool CreateWithAttributes(const Image& image, float x, float y, float width, float height,
                            const GdipBase* attributes = nullptr);
  // Copies the brush's transform into the matrix that `matrix` holds; the
  // matrix object keeps its handle (it must hold a matrix).
  bool GetTransform(GdipBase& matrix) const;
  bool SetTransform(const GdipBase& matrix);
  bool ResetTransform();
  bool MultiplyTransform(const GdipBase& matrix, int order = 0);
  bool TranslateTransform(float dx, float dy, int order = 0);
  bool ScaleTransform(float sx, float sy, int order = 0);
  bool RotateTransform(float angle, int order = 0);
  int GetWrapMode() const;
  bool SetWrapMode(int mode);
  // A new image with the brush's picture goes to `target` (emptied when the
  // call fails), which then owns it.
  bool GetImage(Image& target) const;
  bool CreateFromRectI(const Image& image, int x, int y, int width, int height, int wrapMode = 0);
  bool CreateWithAttributesI(const Image& image, int x, int y, int width, int height,
                             const GdipBase* attributes = nullptr);
  bool ScaleAt(float sx, float sy, const PointF& centre, int order = 0);
  bool RotateAt(float angle, const PointF& centre, int order = 0);

  Gdiplus::GpTexture* NativeTexture() const { return NativeAs<Gdiplus::GpTexture>(); }
};

}  // namespace korvath::gdip
