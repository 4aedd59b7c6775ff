#pragma once
// Brushes: the common base of the four brush classes, and the solid brush.
//
// A brush object owns one native GDI+ brush. The base level acts on it as a
// brush (delete, clone, type); each derived class acts on it as its own kind
// (solid fill, line gradient, path gradient, texture). Both are views of the
// object's one handle.
#include "gdip/object.h"

namespace korvath::gdip {

class Brush : public GdipBase {
 public:
  ~Brush() override { Delete(); }

  // Releases the native brush; false at once (status untouched) when empty.
  bool Delete();
  // A native copy of this brush goes to `target`, which is emptied when the
  // copy fails.
  [[nodiscard]] bool Clone(Brush& target) const;
  // GDI+'s brush type: 0 solid colour, 1 hatch, 2 texture, 3 path gradient,
  // 4 linear gradient; 0 when the call fails.
  int GetType() const;

  Gdiplus::GpBrush* NativeBrush() const { return NativeAs<Gdiplus::GpBrush>(); }
  void SetNativeBrush(Gdiplus::GpBrush* brush) { SetNativeObject(brush); }

 protected:
  Brush() = default;
  Brush(Brush&&) noexcept = default;
  Brush& operator=(Brush&&) noexcept = default;

  bool ReleaseNative() override { return Delete(); }
};

class SolidBrush : public Brush {
 public:
  SolidBrush() = default;
  SolidBrush(SolidBrush&&) noexcept = default;
  SolidBrush& operator=(SolidBrush&&) noexcept = default;

  [[nodiscard]] bool Create(Argb colour);
  bool SetColor(Argb colour);
  // 0 when the call fails.
  Argb GetColor() const;

  Gdiplus::GpSolidFill* NativeSolidFill() const { return NativeAs<Gdiplus::GpSolidFill>(); }
};

}  // namespace korvath::gdip
