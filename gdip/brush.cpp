#include "gdip/brush.h"

namespace korvath::gdip {

using namespace Gdiplus::DllExports;

bool Brush::Delete() { return DestroyWith(GdipDeleteBrush); }

bool Brush::Clone(Brush& target) const {
  Gdiplus::GpBrush* copy = nullptr;
  return AdoptInto(target, GdipCloneBrush(NativeBrush(), &copy), copy);
}

int Brush::GetType() const {
  Gdiplus::BrushType type = Gdiplus::BrushTypeSolidColor;
  StoreStatus(GdipGetBrushType(NativeBrush(), &type));
  return type;
}

bool SolidBrush::Create(Argb colour) {
  Gdiplus::GpSolidFill* created = nullptr;
  return AdoptInto(*this, GdipCreateSolidFill(colour, &created), created);
}

bool SolidBrush::SetColor(Argb colour) {
  return StoreStatus(GdipSetSolidFillColor(NativeSolidFill(), colour));
}

Argb SolidBrush::GetColor() const {
  Gdiplus::ARGB colour = 0;
  StoreStatus(GdipGetSolidFillColor(NativeSolidFill(), &colour));
  return colour;
}

}  // namespace korvath::gdip
