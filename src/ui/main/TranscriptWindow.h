// "Console transcript": every line Tavrin types at the console and every answer it receives, live,
// one entry a line as the --log file writes them. It records from the start, open or not; Save...
// writes what it shows to a file, Clear empties it.
#pragma once

#include <QWidget>

#include "console/ConsoleTranscript.h"
#include "console/TranscriptEntry.h"
#include "rules/FileFolders.h"
#include "ui/main/FileDialogs.h"

class QPlainTextEdit;
class QPushButton;

namespace tavrin {

class MessageBoxes;

// The entries the window keeps at most; the oldest go first.
inline constexpr int kTranscriptEntryLimit = 100000;

class TranscriptWindow final : public QWidget, public ConsoleTranscript {
    Q_OBJECT
public:
    // Save... starts in the folder `folders` gives for transcripts.
    TranscriptWindow(FileDialogs& dialogs, MessageBoxes& boxes, FileFolders& folders);

    void LineSent(std::string_view line) override;
    void ChunkReceived(std::string_view chunk) override;

    QString Text() const;
    void SaveClick();
    void ClearClick();

private:
    void Add(const std::string& entry);

    FileDialogs& m_dialogs;
    MessageBoxes& m_boxes;
    FileFolders& m_folders;
    TranscriptEntries m_entries;
    QPlainTextEdit* m_text;
    QPushButton* m_save;
    QPushButton* m_clear;
};

}  // namespace tavrin
