#include "cli/CliReporter.h"

namespace tavrin::cli {

BoxAnswer CliReporter::Show(const std::string& text, const std::string&, BoxButtons buttons,
                            BoxIcon) {
    std::fprintf(m_out, "%s\n", text.c_str());
    std::fflush(m_out);
    // No one to ask on a command line: a question is answered the safe way.
    return buttons == BoxButtons::YesNo ? BoxAnswer::No : BoxAnswer::Ok;
}

}  // namespace tavrin::cli
