// The frame the read and the write share: the console link on the session's port, opening the
// port, and telling the sequence's view when the port cannot be opened, is held by another
// program, fails while in use, or the console does not answer in time.
#pragma once

#include <string>

#include "config/ConfigImage.h"
#include "console/ConsoleLink.h"
#include "console/ConsoleSession.h"
#include "console/PortChoice.h"
#include "console/PortFault.h"
#include "console/SequenceView.h"

namespace tavrin {

// How a sequence reports its faults. The read and the write title their messages differently, and a
// port that could not be opened lets the console go in the write but leaves it as it was in the
// read.
struct PortFaultStyle {
    const char* cannotOpenTitle;
    const char* occupiedTitle;
    const char* timeoutTitle;
    bool releaseWhenUnopened;
};

class PortSequence {
public:
    virtual ~PortSequence() = default;

protected:
    PortSequence(ConsoleSession& session, const PortChoice& port, SequenceView& view,
                 PortFaultStyle style);

    // Opens the port and runs `withOpenPort`. A port that does not open, or fails while in use,
    // is reported and gives the Outcome's CannotOpen, Occupied or PortError.
    template <class Outcome, class Body>
    Outcome OnOpenPort(Body withOpenPort) {
        switch (OpenPort()) {
            case OpenStatus::Opened:
                break;
            case OpenStatus::CannotOpen:
                return Outcome::CannotOpen;
            case OpenStatus::Occupied:
                return Outcome::Occupied;
            case OpenStatus::Failed:
                return Outcome::PortError;
        }
        try {
            return withOpenPort();
        } catch (const PortFault& fault) {
            ReportPortError(fault.what());
            return Outcome::PortError;
        }
    }

    // "Timeout" told and on the status line, and the console let go.
    template <class Outcome>
    Outcome TimedOut() {
        ReportTimeout();
        return Outcome::Timeout;
    }

    // Lets the console go after a failure: the port closed if open, Busy cleared.
    virtual void Release();

    ConsoleSession& m_session;
    ConfigImage& m_image;
    const PortChoice& m_port;
    ConsoleLink m_link;

private:
    // Reports every status but Opened.
    OpenStatus OpenPort();
    void ReportTimeout();
    void ReportPortError(const std::string& description);

    SequenceView& m_shown;
    PortFaultStyle m_style;
};

}  // namespace tavrin
