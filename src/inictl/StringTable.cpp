#include "inictl/StringTable.h"

#include <array>
#include <utility>

namespace quillon {
namespace {

constexpr int kSeparatorResource = 107;

constexpr std::array<std::pair<int, std::string_view>, 10> kResources = {{
    {101, "About Quillon INI Control"},
    {102, "Quillon INI Control"},
    {103, "Reads and writes keys of INI files"},
    {104, "Sections in square brackets, one key=value per line."},
    {105, "Values are kept as written; other lines stay as they are."},
    {106, "Files are replaced whole, never left half written."},
    {kSeparatorResource, "--------------------------"},
    {108, "ProgID: Quillonctl.INI"},
    {109, "Members: FileName, GetKey, WriteKey, EditINI"},
    {110, "Free to use with any host that binds it."},
}};

// The order in which the resources make up the about text.
constexpr std::array<int, 14> kAboutLines = {
    102, 103, kSeparatorResource, kSeparatorResource, kSeparatorResource, 104,
    105, 106, kSeparatorResource, kSeparatorResource, kSeparatorResource, 108,
    109, 110};

}  // namespace

std::optional<std::string_view> LookUpResource(int id) {
    for (const auto& [resourceId, text] : kResources) {
        if (resourceId == id) {
            return text;
        }
    }
    return std::nullopt;
}

std::string AboutBoxTitle() {
    return std::string(*LookUpResource(kAboutTitleResource));
}

std::string AboutBoxText() {
    std::string text;
    for (int id : kAboutLines) {
        if (!text.empty()) {
            text += '\n';
        }
        text += *LookUpResource(id);
    }
    return text;
}

}  // namespace quillon
