#pragma once
// GDI+ fonts by face name, made once. Under Wine, making a font by name
// enumerates the installed families first (about 60 microseconds), and the
// painters make one at every paint of every label, combo box, button caption
// and group box caption: each now gets a copy of a font made at its first use.
#include <windows.h>
#include <gdiplus.h>

#include <string_view>

namespace korvath::gdip {
class Font;
}

namespace korvath::skin {

// Makes `target` the font that gdip::Font::CreateFromName makes for these
// arguments, copied from the one kept for them (made now when none is kept).
// False, with `target` empty, when the face names no installed family: such a
// face is asked again at the next call, as it may be installed by then.
[[nodiscard]] bool SkinFontFromName(gdip::Font& target, std::string_view face, float size, int style = 0,
                                    Gdiplus::Unit unit = Gdiplus::UnitWorld);

// Releases the kept fonts; called before GDI+ shuts down.
void SkinReleaseKeptFonts();

}  // namespace korvath::skin
