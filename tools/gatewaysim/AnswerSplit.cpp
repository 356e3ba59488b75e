#include "AnswerSplit.h"

namespace gatewaysim {
namespace {

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

std::size_t EndingMarkerStart(std::string_view answer, std::string_view module) {
    for (std::string_view marker : {std::string_view("-->"), std::string_view("[EEPROM:]")}) {
        if (EndsWith(answer, marker)) {
            return answer.size() - marker.size();
        }
    }
    if (!module.empty() && EndsWith(answer, ">") &&
        EndsWith(answer.substr(0, answer.size() - 1), module)) {
        return answer.size() - module.size() - 1;
    }
    return std::string_view::npos;
}

std::vector<std::string> SplitInMarker(std::string_view answer, std::string_view module,
                                       int offset) {
    const std::size_t start = EndingMarkerStart(answer, module);
    if (start == std::string_view::npos || offset < 0) {
        return {std::string(answer)};
    }
    const std::size_t cut = start + static_cast<std::size_t>(offset);
    if (cut == 0 || cut >= answer.size()) {
        return {std::string(answer)};
    }
    return {std::string(answer.substr(0, cut)), std::string(answer.substr(cut))};
}

}  // namespace gatewaysim
