#include "console/ConsoleSession.h"

namespace tavrin {

OpenResult OpenConsolePort(SerialPort& port, const PortChoice& choice) {
    if (port.IsOpen()) {
        return {OpenStatus::Opened, {}};
    }
    OpenResult result = port.Open(choice.device);
    if (result.status == OpenStatus::Opened) {
        port.DiscardInput();
    }
    return result;
}

void ReleaseConsolePort(ConsoleSession& session) {
    if (session.port.IsOpen()) {
        session.port.Close();
    }
    session.Busy = false;
}

}  // namespace tavrin
