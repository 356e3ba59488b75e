#include "eds/FinishJob.h"

#include "config/Block0Codec.h"
#include "eds/ConnectionChoices.h"
#include "eds/EdsFile.h"
#include "rules/FileFolders.h"

namespace tavrin {
namespace {

// The configuration is in the gateway now. Later loads of the editor and the wizard must start
// from it, not from what was read before, or a second Finish without a reconnect would write the
// old objects back over the new ones.
void RememberStored(ConfigImage& image, bool objectsWritten) {
    if (objectsWritten) {
        image.settings.ReadAppObjects = image.working.AppObjects;
        image.settings.ReadAppCount = image.working.AppCount;
        image.settings.StoredIOTotals = image.working.IOTotals;
    }
    image.settings.ConfigWrong = false;
    image.settings.ConnInfoValid = true;
}

}  // namespace

FinishOutcome StoreAndProduceEds(FinishContext& context, const FinishChoices& choices) {
    ConsoleSession& session = context.session;
    ConfigImage& image = session.image;
    if (session.Busy) {
        return FinishOutcome::Refused;
    }
    if (context.edsCheck != nullptr) {
        if (const int error = context.edsCheck->CreateCheck(context.edsFolder); error != 0) {
            const std::string path = context.edsFolder + "/" + EdsFileName(image.settings.NodeId);
            context.edsFailure = EdsFolderRefusal(path, error);
            context.view.Tell({context.edsFailure, ""});
            return FinishOutcome::FolderRefused;
        }
    }
    const ConsoleBusy busy(session);
    image.settings.AppLayer = 1;  // what is stored here is always a DeviceNet configuration

    image.words.Block0Words = EncodeBlock0(image.settings, image.working, session.clock.Now());
    const ConnectionPaths paths = BuildConnectionPaths(context.selections, choices.inputTexts,
                                                       choices.outputTexts, context.assemblies);
    image.words.Block1Words = EncodeBlock1(paths.inputs, paths.outputs);

    const bool objectsWritten = !image.settings.ConnInfoValid;
    const int count = objectsWritten ? kWholeBlock0Words : kBlock0SettingsWords;
    context.writeOutcome =
        WriteConfiguration(session, context.port, image.words.ToWrite(), count, context.view);
    if (context.writeOutcome != WriteOutcome::Completed) {
        return FinishOutcome::WriteFailed;
    }
    RememberStored(image, objectsWritten);

    const EdsContent content{choices.description, choices.author,     image.settings,
                             image.working,       context.assemblies, context.selections,
                             session.clock.Now()};
    try {
        context.edsPath = WriteEdsFile(context.edsFolder, content);
    } catch (const EdsWriteError& error) {
        context.edsFailure = error.what();
        context.view.Tell({context.edsFailure, ""});
        context.view.SetStatus("");
        return FinishOutcome::EdsFailed;
    }
    context.view.SetStatus(kEdsProduced);
    return FinishOutcome::Completed;
}

}  // namespace tavrin
