#include "ui/main/TranscriptWindow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cerrno>
#include <fstream>

#include "common/MessageBoxes.h"
#include "console/ConsoleMessages.h"

namespace tavrin {

TranscriptWindow::TranscriptWindow(FileDialogs& dialogs, MessageBoxes& boxes, FileFolders& folders)
    : m_dialogs(dialogs),
      m_boxes(boxes),
      m_folders(folders),
      m_text(new QPlainTextEdit),
      m_save(new QPushButton(QStringLiteral("Save..."))),
      m_clear(new QPushButton(QStringLiteral("Clear"))) {
    setObjectName(QStringLiteral("ConsoleTranscript"));
    setWindowTitle(QStringLiteral("Console transcript"));
    m_text->setObjectName(QStringLiteral("TranscriptText"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setMaximumBlockCount(kTranscriptEntryLimit);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_save->setObjectName(QStringLiteral("SaveTranscript"));
    m_clear->setObjectName(QStringLiteral("ClearTranscript"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_clear);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    resize(720, 420);

    connect(m_save, &QPushButton::clicked, this, &TranscriptWindow::SaveClick);
    connect(m_clear, &QPushButton::clicked, this, &TranscriptWindow::ClearClick);
}

void TranscriptWindow::LineSent(std::string_view line) {
    Add(m_entries.Sent(line));
}

void TranscriptWindow::ChunkReceived(std::string_view chunk) {
    Add(m_entries.Received(chunk));
}

// The console's code page is single-byte; the escaped entry shows each byte as one character.
void TranscriptWindow::Add(const std::string& entry) {
    QScrollBar* bar = m_text->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    m_text->appendPlainText(
        QString::fromLatin1(entry.data(), static_cast<qsizetype>(entry.size())));
    // Follows the conversation unless the user scrolled back to read.
    if (atEnd) {
        bar->setValue(bar->maximum());
    }
}

QString TranscriptWindow::Text() const {
    return m_text->toPlainText();
}

void TranscriptWindow::SaveClick() {
    const std::optional<std::string> path = m_dialogs.AskSaveName(
        {"Save console transcript", "Log Files (*.log)|*.log|All Files (*.*)|*.*",
         m_folders.DialogFolder(FileKind::Transcript), "tavrin-console.log"});
    if (!path || path->empty()) {
        return;
    }
    m_folders.Used(FileKind::Transcript, *path);
    errno = 0;
    std::ofstream out(*path, std::ios::binary | std::ios::trunc);
    const QByteArray bytes = Text().toLatin1();
    out.write(bytes.constData(), bytes.size());
    if (!bytes.isEmpty()) {
        out << '\n';
    }
    out.close();
    if (!out) {
        const int error = errno;
        m_boxes.Show("Can't write " + *path + "!\n" + CantWriteLine(*path, error), msg::kError);
    }
}

void TranscriptWindow::ClearClick() {
    m_text->clear();
}

}  // namespace tavrin
