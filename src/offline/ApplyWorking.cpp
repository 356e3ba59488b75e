#include "offline/ApplyWorking.h"

#include <string>

#include "eds/ConnectionChoices.h"

namespace tavrin {
namespace {

// The editor's fields hold the decimal text the user would have typed.
EditorFields FieldsOf(const ObjectValues& values) {
    return {std::to_string(values.deviceId), values.functionCode,
            std::to_string(values.startAddress), std::to_string(values.length)};
}

std::string EntryAt(const std::vector<std::string>& entries, int position) {
    return position >= 0 && position < static_cast<int>(entries.size()) ? entries[position] : "";
}

}  // namespace

bool FillWorkingTable(const std::vector<ObjectValues>& objects, ConfigImage& image,
                      WizardLists& lists, std::string& refusal) {
    WorkingTable table(image);
    table.Discard();
    for (const ObjectValues& values : objects) {
        const TableEdit added = table.Add(FieldsOf(values));
        if (!added.done) {
            refusal = added.notices.empty() ? std::string() : added.notices.front().text;
            return false;
        }
    }
    // Even an empty table replaces the objects the gateway holds.
    image.settings.ConnInfoValid = false;
    lists.assemblies = DeriveAssemblies(image.working);
    lists.inputEntries = InputEntries(image, lists.assemblies);
    lists.outputEntries = OutputEntries(image, lists.assemblies);
    return true;
}

bool ApplyOntoImage(const ApplySettings& settings, ConfigImage& image, WizardLists& lists,
                    ConnectionSelections& selections, FinishChoices& choices,
                    std::string& refusal) {
    StoreCanSettings(image.settings, kApplyLayer, settings.canRatePosition, settings.nodeId);
    StoreComSettings(image.settings, settings.com);
    if (!FillWorkingTable(settings.objects, image, lists, refusal)) {
        return false;
    }
    selections = settings.selections;
    for (int i = 0; i < kConnectionTypes; ++i) {
        choices.inputTexts[i] = EntryAt(lists.inputEntries, selections.InputSel[i]);
        // The wizard shows an entry only in the Poll consumed list; the other two show nothing.
        choices.outputTexts[i] =
            i == kPollConnection ? EntryAt(lists.outputEntries, selections.OutputSel[i]) : "";
    }
    choices.description = settings.description;
    choices.author = settings.author;
    return true;
}

bool FinishWordsOf(const ApplySettings& settings, ConfigImage& image, ConfigWords& words,
                   std::string& refusal, const LocalDateTime& stamp) {
    WizardLists lists;
    ConnectionSelections selections;
    FinishChoices choices;
    if (!ApplyOntoImage(settings, image, lists, selections, choices, refusal)) {
        return false;
    }
    // As Finish: a DeviceNet configuration, the whole area (the file replaces the objects).
    image.settings.AppLayer = kApplyLayer;
    image.words.Block0Words = EncodeBlock0(image.settings, image.working, stamp);
    const ConnectionPaths paths =
        BuildConnectionPaths(selections, choices.inputTexts, choices.outputTexts, lists.assemblies);
    image.words.Block1Words = EncodeBlock1(paths.inputs, paths.outputs);
    words = image.words.ToWrite();
    return true;
}

}  // namespace tavrin
