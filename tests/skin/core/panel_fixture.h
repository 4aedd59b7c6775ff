#pragma once
// What the panel tests stand on: a borderless form that the skin knows (a
// record whose back buffer is one colour, so a pixel tells where it came
// from), an edit box on it, and small solid-colour PNG pictures.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "tests/support/win_test_support.h"

namespace korvath::skin::fixture {

// A 32-bit PNG of one opaque colour (0xRRGGBB).
std::vector<uint8_t> SolidPng(int width, int height, uint32_t rgb);

// A visible borderless popup whose window and client origins agree.
class PlainForm {
 public:
  PlainForm(int width, int height, COLORREF background);
  ~PlainForm();
  PlainForm(const PlainForm&) = delete;
  PlainForm& operator=(const PlainForm&) = delete;

  HWND hwnd() const { return hwnd_; }
  HWND AddEdit(int x, int y, int width, int height, const wchar_t* text = L"",
               HWND parent = nullptr);

 private:
  HWND hwnd_ = nullptr;
  HBRUSH brush_ = nullptr;
};

// A PlainForm with a skin record: its back buffer and child layer hold the
// colour `backBufferRgb` everywhere, as a rendered skinned form's would hold
// its background. The record goes with the form.
class SkinnedForm : public PlainForm {
 public:
  SkinnedForm(int width, int height, uint32_t backBufferRgb);
  ~SkinnedForm();

  int recordNumber() const;
};

}  // namespace korvath::skin::fixture
