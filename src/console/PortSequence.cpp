#include "console/PortSequence.h"

#include "console/ConsoleMessages.h"

namespace tavrin {
namespace {

std::string WithAdvice(std::string text, const ConsoleSession& session, OpenStatus status,
                       const std::string& device) {
    if (session.openAdvice) {
        for (const std::string& line : session.openAdvice(status, device)) {
            text += "\n" + line;
        }
    }
    return text;
}

}  // namespace

PortSequence::PortSequence(ConsoleSession& session, const PortChoice& port, SequenceView& view,
                           PortFaultStyle style)
    : m_session(session),
      m_image(session.image),
      m_port(port),
      m_link(session.port, session.clock, session.pump),
      m_shown(view),
      m_style(style) {
    m_link.SetTranscript(session.transcript);
    m_link.SetTiming(session.timing);
}

OpenStatus PortSequence::OpenPort() {
    const OpenResult opened = OpenConsolePort(m_session.port, m_port);
    switch (opened.status) {
        case OpenStatus::Opened:
            break;
        case OpenStatus::CannotOpen:
            // Nothing was sent, so the status line keeps what it said.
            m_shown.Tell({WithAdvice(msg::CannotOpen(m_port.Label()), m_session, opened.status,
                                     m_port.device),
                          m_style.cannotOpenTitle});
            if (m_style.releaseWhenUnopened) {
                Release();
            }
            break;
        case OpenStatus::Occupied: {
            const std::string text = msg::Occupied(m_port.Label());
            m_shown.Tell(
                {WithAdvice(text, m_session, opened.status, m_port.device), m_style.occupiedTitle});
            m_shown.SetStatus(text);
            Release();
            break;
        }
        case OpenStatus::Failed:
            ReportPortError(opened.description);
            break;
    }
    return opened.status;
}

void PortSequence::ReportTimeout() {
    m_shown.Tell({msg::kTimeout, m_style.timeoutTitle});
    m_shown.SetStatus(msg::kTimeout);
    Release();
}

void PortSequence::ReportPortError(const std::string& description) {
    m_shown.Tell({description, ""});
    m_shown.SetStatus("");
    Release();
}

void PortSequence::Release() {
    ReleaseConsolePort(m_session);
}

}  // namespace tavrin
