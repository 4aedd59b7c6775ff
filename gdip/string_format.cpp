#include "gdip/string_format.h"

#include "gdip/wrapper_helpers.h"

namespace korvath::gdip {

namespace Flat = Gdiplus::DllExports;

bool StringFormat::Create(int flags, int language) {
  Gdiplus::GpStringFormat* format = nullptr;
  return AdoptInto(*this, Flat::GdipCreateStringFormat(flags, LANGID(language), &format), format);
}

bool StringFormat::GenericDefault() {
  Gdiplus::GpStringFormat* format = nullptr;
  return AdoptInto(*this, Flat::GdipStringFormatGetGenericDefault(&format), format);
}

bool StringFormat::GenericTypographic() {
  Gdiplus::GpStringFormat* format = nullptr;
  return AdoptInto(*this, Flat::GdipStringFormatGetGenericTypographic(&format), format);
}

bool StringFormat::Delete() { return DestroyWith(Flat::GdipDeleteStringFormat); }

bool StringFormat::Clone(StringFormat& target) const {
  Gdiplus::GpStringFormat* clone = nullptr;
  return AdoptInto(target, Flat::GdipCloneStringFormat(NativeFormat(), &clone), clone);
}

bool StringFormat::SetFlags(int flags) { return StoreStatus(Flat::GdipSetStringFormatFlags(NativeFormat(), flags)); }

int StringFormat::GetFlags() const {
  INT flags = 0;
  StoreStatus(Flat::GdipGetStringFormatFlags(NativeFormat(), &flags));
  return flags;
}

bool StringFormat::SetAlign(Gdiplus::StringAlignment alignment) {
  return StoreStatus(Flat::GdipSetStringFormatAlign(NativeFormat(), alignment));
}

Gdiplus::StringAlignment StringFormat::GetAlign() const {
  Gdiplus::StringAlignment alignment = Gdiplus::StringAlignmentNear;
  StoreStatus(Flat::GdipGetStringFormatAlign(NativeFormat(), &alignment));
  return alignment;
}

bool StringFormat::SetLineAlign(Gdiplus::StringAlignment alignment) {
  return StoreStatus(Flat::GdipSetStringFormatLineAlign(NativeFormat(), alignment));
}

Gdiplus::StringAlignment StringFormat::GetLineAlign() const {
  Gdiplus::StringAlignment alignment = Gdiplus::StringAlignmentNear;
  StoreStatus(Flat::GdipGetStringFormatLineAlign(NativeFormat(), &alignment));
  return alignment;
}

bool StringFormat::SetTrimming(Gdiplus::StringTrimming trimming) {
  return StoreStatus(Flat::GdipSetStringFormatTrimming(NativeFormat(), trimming));
}

Gdiplus::StringTrimming StringFormat::GetTrimming() const {
  Gdiplus::StringTrimming trimming = Gdiplus::StringTrimmingNone;
  StoreStatus(Flat::GdipGetStringFormatTrimming(NativeFormat(), &trimming));
  return trimming;
}

bool StringFormat::SetHotkeyPrefix(int prefix) {
  return StoreStatus(Flat::GdipSetStringFormatHotkeyPrefix(NativeFormat(), prefix));
}

int StringFormat::GetHotkeyPrefix() const {
  INT prefix = 0;
  StoreStatus(Flat::GdipGetStringFormatHotkeyPrefix(NativeFormat(), &prefix));
  return prefix;
}

bool StringFormat::SetTabStops(float firstOffset, std::span<const float> tabStops) {
  return StoreStatus(Flat::GdipSetStringFormatTabStops(NativeFormat(), firstOffset, INT(tabStops.size()),
                                                       tabStops.empty() ? nullptr : tabStops.data()));
}

int StringFormat::GetTabStops(float& firstOffset, std::vector<float>& tabStops) const {
  float first = 0;
  int count = FetchList(
      tabStops, [this](INT* stops) { return Flat::GdipGetStringFormatTabStopCount(NativeFormat(), stops); },
      [this, &first](float* buffer, INT stops) {
        return Flat::GdipGetStringFormatTabStops(NativeFormat(), stops, &first, buffer);
      });
  if (count > 0) firstOffset = first;
  return count;
}

bool StringFormat::SetDigitSubstitution(int substitution, int language) {
  return StoreStatus(Flat::GdipSetStringFormatDigitSubstitution(NativeFormat(), LANGID(language),
                                                                Gdiplus::StringDigitSubstitute(substitution)));
}

bool StringFormat::GetDigitSubstitution(int& substitution, int* language) const {
  LANGID nativeLanguage = 0;
  Gdiplus::StringDigitSubstitute nativeSubstitution = Gdiplus::StringDigitSubstituteUser;
  if (!StoreStatus(Flat::GdipGetStringFormatDigitSubstitution(NativeFormat(), &nativeLanguage, &nativeSubstitution)))
    return false;
  substitution = int(nativeSubstitution);
  if (language) *language = nativeLanguage;
  return true;
}

bool StringFormat::SetMeasurableCharacterRanges(std::span<const CharacterRange> ranges) {
  // Our record has GDI+'s layout: first, then length, element after element.
  // No ranges still go with a valid address, which GDI+ does not read, so
  // that clearing the ranges is accepted everywhere.
  static const Gdiplus::CharacterRange kNone = {};
  auto* native = ranges.empty() ? &kNone : reinterpret_cast<const Gdiplus::CharacterRange*>(ranges.data());
  return StoreStatus(Flat::GdipSetStringFormatMeasurableCharacterRanges(NativeFormat(), INT(ranges.size()), native));
}

int StringFormat::GetMeasurableCharacterRangeCount() const {
  INT count = 0;
  StoreStatus(Flat::GdipGetStringFormatMeasurableCharacterRangeCount(NativeFormat(), &count));
  return count;
}

}  // namespace korvath::gdip
