#include "eds/FinishJob.h"

#include "config/Block0Codec.h"
#include "eds/ConnectionChoices.h"
#include "eds/EdsFile.h"

namespace tavrin {
namespace {

// The configuration is in the gateway now. Later loads of the editor and the wizard must start
// from it, not from what was read before, or a second Finish without a reconnect would write the
// old objects back over the new ones.
void RememberStored(ConfigImage& image, bool objectsWritten) {
    if (objectsWritten) {
        image.ReadAppObjects = image.AppObjects;
        image.ReadAppCount = image.AppCount;
        image.StoredIOTotals = image.IOTotals;
    }
    image.ConfigWrong = false;
    image.ConnInfoValid = true;
}

}  // namespace

FinishOutcome StoreAndProduceEds(FinishContext& context, const FinishChoices& choices) {
    ConsoleSession& session = context.session;
    ConfigImage& image = session.image;
    if (image.Busy) {
        return FinishOutcome::Refused;
    }
    const ConsoleBusy busy(session);
    image.AppLayer = 1;  // what is stored here is always a DeviceNet configuration

    EncodeBlock0(image, session.clock.Now());
    const ConnectionPaths paths = BuildConnectionPaths(context.selections, choices.inputTexts,
                                                       choices.outputTexts, context.assemblies);
    EncodeBlock1(image, paths.inputs, paths.outputs);

    const bool objectsWritten = !image.ConnInfoValid;
    const int count = objectsWritten ? kWholeBlock0Words : kBlock0SettingsWords;
    context.writeOutcome = WriteConfiguration(session, context.port, image.Block0Words, count,
                                              image.Block1Words, context.view);
    if (context.writeOutcome != WriteOutcome::Completed) {
        return FinishOutcome::WriteFailed;
    }
    RememberStored(image, objectsWritten);

    const EdsContent content{choices.description, choices.author,     image,
                             context.assemblies,  context.selections, session.clock.Now()};
    try {
        WriteEdsFile(context.edsFolder, content);
    } catch (const EdsWriteError& error) {
        context.view.Tell({error.what(), ""});
        context.view.SetStatus("");
        return FinishOutcome::EdsFailed;
    }
    context.view.SetStatus(kEdsProduced);
    return FinishOutcome::Completed;
}

}  // namespace tavrin
