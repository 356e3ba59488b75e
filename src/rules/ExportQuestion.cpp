#include "rules/ExportQuestion.h"

namespace tavrin {

ExportQuestion AskBeforeExport(const ConfigWords& gateway, const ConfigWords& file,
                               const std::string& path) {
    ExportQuestion question{DifferenceOf(gateway, file), {}};
    if (question.Equal()) {
        question.text = std::string(kSameConfiguration) +
                        "\nNothing needs to be written. Write the file into the gateway anyway?";
        question.buttons = BoxButtons::YesNoDefaultNo;
        return question;
    }
    const std::size_t count = question.differences.size();
    question.text = "The gateway differs from " + path + " in " + std::to_string(count) +
                    (count == 1 ? " field" : " fields") +
                    ", listed in the \"Compare with file\" window.\n"
                    "Write the file into the gateway?";
    return question;
}

}  // namespace tavrin
