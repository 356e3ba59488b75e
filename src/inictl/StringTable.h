// The library's string table: the about box's title and lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon {

inline constexpr int kAboutTitleResource = 101;

// The text of resource `id`, or nothing when the table has no such resource.
std::optional<std::string_view> LookUpResource(int id);

// The about box: its title, and its text put together from resources 102 to 110 with line breaks,
// the separator (107) standing three times in a row at two places.
std::string AboutBoxTitle();
std::string AboutBoxText();

}  // namespace quillon
