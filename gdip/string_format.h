#pragma once
// A string format over a GDI+ string format: the layout rules of drawn and
// measured text. Flags are GDI+'s StringFormatFlags bits, combined; hot-key
// prefix (0 none, 1 show, 2 hide) and digit substitution are GDI+'s values;
// an omitted flags or language value is 0.
#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <span>
#include <vector>

#include "gdip/object.h"

namespace korvath::gdip {

struct CharacterRange {
  int32_t first = 0;
  int32_t length = 0;
  friend bool operator==(const CharacterRange&, const CharacterRange&) = default;
};
static_assert(sizeof(CharacterRange) == sizeof(Gdiplus::CharacterRange));

class StringFormat : public GdipBase {
 public:
  StringFormat() = default;
  ~StringFormat() override { Delete(); }
  StringFormat(StringFormat&&) noexcept = default;
  StringFormat& operator=(StringFormat&&) noexcept = default;

  Gdiplus::GpStringFormat* NativeFormat() const noexcept { return NativeAs<Gdiplus::GpStringFormat>(); }
  void SetNativeFormat(Gdiplus::GpStringFormat* format) { SetNativeObject(format); }

  // Creators: the format held before is deleted.
  [[nodiscard]] bool Create(int flags = 0, int language = 0);
  bool GenericDefault();
  bool GenericTypographic();
  bool Delete();
  [[nodiscard]] bool Clone(StringFormat& target) const;

  // Getters return 0 when the call failed.
  bool SetFlags(int flags);
  int GetFlags() const;
  bool SetAlign(Gdiplus::StringAlignment alignment);
  Gdiplus::StringAlignment GetAlign() const;
  bool SetLineAlign(Gdiplus::StringAlignment alignment);
  Gdiplus::StringAlignment GetLineAlign() const;
  bool SetTrimming(Gdiplus::StringTrimming trimming);
  Gdiplus::StringTrimming GetTrimming() const;
  bool SetHotkeyPrefix(int prefix);
  int GetHotkeyPrefix() const;

  bool SetTabStops(float firstOffset, std::span<const float> tabStops);
  // The number of tab stops; 0 (both arguments untouched) when a call failed.
  int GetTabStops(float& firstOffset, std::vector<float>& tabStops) const;
  bool SetDigitSubstitution(int substitution, int language = 0);
  [[nodiscard]] bool GetDigitSubstitution(int& substitution, int* language = nullptr) const;
  bool SetMeasurableCharacterRanges(std::span<const CharacterRange> ranges);
  int GetMeasurableCharacterRangeCount() const;

 protected:
  bool ReleaseNative() override { return Delete(); }
};

}  // namespace korvath::gdip
