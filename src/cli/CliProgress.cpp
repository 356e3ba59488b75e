#include "cli/CliProgress.h"

#include <unistd.h>
#include <algorithm>

namespace tavrin::cli {

CliProgress::CliProgress(std::FILE* out, bool bar, ConsoleTranscript* log)
    : m_out(out), m_bar(bar), m_log(log) {}

void CliProgress::Begin(const std::string& step, int expectedLines) {
    ClearBar();
    m_step = step;
    m_expected = expectedLines;
    m_sent = 0;
    if (m_bar) {
        DrawBar();
    } else {
        std::fprintf(m_out, "tavrin-cli: %s ...\n", m_step.c_str());
        std::fflush(m_out);
    }
}

void CliProgress::End(bool done) {
    if (m_bar) {
        if (done) {
            m_sent = std::max(m_sent, m_expected);
            DrawBar();
        }
        if (m_barShown) {
            std::fputc('\n', m_out);
            m_barShown = false;
        }
    } else {
        std::fprintf(m_out, "tavrin-cli: %s: %s\n", m_step.c_str(), done ? "done" : "failed");
    }
    std::fflush(m_out);
    m_step.clear();
}

void CliProgress::Note(const std::string& text) {
    ClearBar();
    std::fprintf(m_out, "tavrin-cli: %s\n", text.c_str());
    std::fflush(m_out);
}

void CliProgress::Tell(const Notice& notice) {
    // The message takes the bar's line; the bar comes back below it while the step runs.
    ClearBar();
    std::fprintf(m_out, "%s\n", notice.text.c_str());
    if (m_bar && !m_step.empty()) {
        DrawBar();
    }
    std::fflush(m_out);
}

void CliProgress::LineSent(std::string_view line) {
    if (m_log != nullptr) {
        m_log->LineSent(line);
    }
    ++m_sent;
    if (m_bar && !m_step.empty()) {
        DrawBar();
    }
}

void CliProgress::ChunkReceived(std::string_view chunk) {
    if (m_log != nullptr) {
        m_log->ChunkReceived(chunk);
    }
}

void CliProgress::DrawBar() {
    // Carriage return and "erase to end of line": the bar is redrawn over itself.
    std::fprintf(m_out, "\r\033[K%s %s", m_step.c_str(),
                 ProgressBarText(m_sent, m_expected).c_str());
    std::fflush(m_out);
    m_barShown = true;
}

void CliProgress::ClearBar() {
    if (m_barShown) {
        std::fputs("\r\033[K", m_out);
        m_barShown = false;
    }
}

std::string ProgressBarText(int done, int total, int width) {
    const int percent = total > 0 ? std::clamp(done * 100 / total, 0, 100) : 0;
    const int filled = percent * width / 100;
    std::string text = "[";
    text.append(static_cast<std::size_t>(filled), '#');
    text.append(static_cast<std::size_t>(width - filled), '-');
    char number[8];
    std::snprintf(number, sizeof number, "] %3d%%", percent);
    return text + number;
}

bool StderrIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

}  // namespace tavrin::cli
