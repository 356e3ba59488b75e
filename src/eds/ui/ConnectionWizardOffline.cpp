// Finish without a gateway: nothing is stored and no port is opened; the main window saves the
// configuration and writes the EDS file from the choices shown.
#include <QLineEdit>

#include "eds/ui/ConnectionWizard.h"

namespace tavrin {

void ConnectionWizard::FinishOffline() {
    SetNavigationEnabled(false);
    m_s.views.CloseModuleView();
    const bool saved =
        m_s.finishOffline(Choices(), m_c.FirmwareRevision->text().trimmed().toStdString());
    if (!saved) {
        // A refused revision or a cancelled or failed save: the choices stay for another go.
        SetNavigationEnabled(true);
        return;
    }
    m_finished = true;
    close();
}

}  // namespace tavrin
