#include "eds/ConnectionChoices.h"

#include <cstdio>

namespace tavrin {
namespace {

constexpr int kAcknowledgeHandlerClass = 43;

std::string Z2(long long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%02lld", value);
    return text;
}

bool CarriesData(const AppObject& object, int ioType) {
    return object.IOType == ioType && object.MBCL > 0;
}

// Appends the entries of the objects of `ioType`, numbering on from the entries already there.
void AppendObjectEntries(std::vector<std::string>& entries, const ConfigImage& image,
                         const char* prefix, int ioType, const char* kind) {
    for (int i = 0; i < image.working.AppCount && i < kMaxAppObjects; ++i) {
        if (CarriesData(image.working.AppObjects[i], ioType)) {
            const auto n = static_cast<long long>(entries.size());  // "None" is entry 0
            entries.push_back(std::string(prefix) + Z2(n) + "(" + kind + ",App." + Z2(i + 1) + ")");
        }
    }
}

// Characters `first`..`first`+1 (counted from 1) of an entry, or empty when the text is shorter.
std::string_view Field(std::string_view text, std::size_t first) {
    if (text.size() < first + 1) {
        return {};
    }
    return text.substr(first - 1, 2);
}

int FieldNumber(std::string_view text, std::size_t first) {
    int value = 0;
    for (const char c : Field(text, first)) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

int TopByte(Word word) {
    return static_cast<int>(word / 16777216u);
}

}  // namespace

std::vector<std::string> OutputEntries(const ConfigImage& image, const AssemblyTables& tables) {
    std::vector<std::string> entries{kNoneEntry};
    if (tables.OutputAssemblies[0].Length > 0) {
        for (int o = 0; o <= tables.LastOutputAssembly && o < 2; ++o) {
            entries.push_back("O : " + Z2(o + 1) + "(Assembly " + Z2(o + 1) + ")");
        }
    }
    AppendObjectEntries(entries, image, "O : ", 0, "DO");
    AppendObjectEntries(entries, image, "O : ", 1, "AO");
    return entries;
}

std::vector<std::string> InputEntries(const ConfigImage& image, const AssemblyTables& tables) {
    std::vector<std::string> entries{kNoneEntry};
    // Input instances are numbered on after the output instances.
    const int outputs = tables.OutputAssemblies[0].Length > 0 ? tables.LastOutputAssembly + 1 : 0;
    if (tables.InputAssemblies[0].Length > 0) {
        for (int o = 0; o <= tables.LastInputAssembly && o < 2; ++o) {
            entries.push_back("I : " + Z2(o + 1) + "(Assembly " + Z2(outputs + o + 1) + ")");
        }
    }
    AppendObjectEntries(entries, image, "I : ", 2, "DI");
    AppendObjectEntries(entries, image, "I : ", 3, "AI");
    return entries;
}

AttributePath GetXQVInfo(int position, std::string_view text, const AssemblyTables& tables) {
    const std::string_view kind = Field(text, 8);
    if (kind == "As") {
        const bool input = text.substr(0, 3) == "I :";
        return {kAssemblyClass, input ? position + OutputInstanceCount(tables) : position,
                kAssemblyDataAttribute};
    }
    const int object = FieldNumber(text, 15);
    if (kind == "DI")
        return {kAppObjectClass, object, kDigitalInputAttribute};
    if (kind == "AI")
        return {kAppObjectClass, object, kAnalogInputAttribute};
    if (kind == "DO")
        return {kAppObjectClass, object, kDigitalOutputAttribute};
    if (kind == "AO")
        return {kAppObjectClass, object, kAnalogOutputAttribute};
    return {};
}

std::optional<long long> ProducedBytes(int position, std::string_view text,
                                       const ConfigImage& image, const AssemblyTables& tables) {
    const AttributePath info = GetXQVInfo(position, text, tables);
    if (info.instance <= 0) {
        return std::nullopt;
    }
    if (info.classId == kAppObjectClass && info.instance <= kMaxAppObjects) {
        const AppObject& object = image.working.AppObjects[info.instance - 1];
        if (info.attribute == kDigitalInputAttribute) {
            return (static_cast<long long>(object.MBCL) + 7) / 8;
        }
        if (info.attribute == kAnalogInputAttribute) {
            return static_cast<long long>(object.MBCL) * 2;
        }
    }
    if (info.classId == kAssemblyClass && position >= 1 &&
        position <= static_cast<int>(tables.InputAssemblies.size())) {
        return tables.InputAssemblies[position - 1].Length;
    }
    return std::nullopt;
}

bool FitsStrobeResponse(int position, std::string_view text, const ConfigImage& image,
                        const AssemblyTables& tables) {
    const auto bytes = ProducedBytes(position, text, image, tables);
    return !bytes || *bytes <= kStrobeMaxBytes;
}

RestoreResult RestoreSelections(const ConfigImage& image, int inputEntries, int outputEntries,
                                ConnectionSelections& selections) {
    RestoreResult result = RestoreResult::Restored;
    if (image.settings.ConfigWrong || !image.settings.ConnInfoValid) {
        result = RestoreResult::NewSetting;
    } else {
        std::array<int, kConnectionTypes> inputs{};
        for (int i = 0; i < kConnectionTypes; ++i) {
            inputs[i] = TopByte(image.words.Block1Words[i + 1]);
            if (inputs[i] > inputEntries) {
                result = RestoreResult::EepromError;
            }
        }
        const int pollOutput = TopByte(image.words.Block1Words[4]);
        if (pollOutput > outputEntries) {
            result = RestoreResult::EepromError;
        }
        if (result == RestoreResult::Restored) {
            for (int i = 0; i < kConnectionTypes; ++i) {
                selections.InputSel[i] = static_cast<std::int16_t>(inputs[i]);
            }
            selections.OutputSel[kPollConnection] = static_cast<std::int16_t>(pollOutput);
            return result;
        }
    }
    for (int i = 0; i < kConnectionTypes; ++i) {
        selections.InputSel[i] = 0;
    }
    selections.OutputSel[kPollConnection] = 0;
    return result;
}

ConnectionPaths BuildConnectionPaths(const ConnectionSelections& selections,
                                     const std::array<std::string, 3>& inputTexts,
                                     const std::array<std::string, 3>& outputTexts,
                                     const AssemblyTables& tables) {
    ConnectionPaths paths;
    for (int i = 0; i < kConnectionTypes; ++i) {
        const int in = selections.InputSel[i];
        const AttributePath input = GetXQVInfo(in, inputTexts[i], tables);
        paths.inputs[i] = {in, input.classId, input.instance, input.attribute};

        const int out = selections.OutputSel[i];
        AttributePath output = GetXQVInfo(out, outputTexts[i], tables);
        if (i == kCosCyclicConnection) {
            output = {kAcknowledgeHandlerClass, 1, 0};
        }
        paths.outputs[i] = {out, output.classId, output.instance, output.attribute};
    }
    return paths;
}

}  // namespace tavrin
