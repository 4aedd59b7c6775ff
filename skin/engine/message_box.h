#pragma once
// The program's message box, skinned as its owner form is.
#include <windows.h>

#include <optional>
#include <string_view>

namespace korvath::skin {

// Shows a modal message box owned by `owner` with the GBK text and caption
// and the MB_ style, and waits for its answer. Without a caption the
// system's default title shows. Returns the identifier of the pressed button
// minus one (OK 0, Cancel 1, Abort 2, Retry 3, Ignore 4, Yes 5, No 6), or -1
// when no box could be shown.
int SkinMessageBox(HWND owner, std::string_view text, UINT style,
                   std::optional<std::string_view> caption = std::nullopt);

}  // namespace korvath::skin
