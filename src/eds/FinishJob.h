// Finish: the end of a configuration job. The working configuration and the wizard's connection
// choices become the gateway's EEPROM words, the console stores them, and the EDS file describing
// the stored configuration is written into the program's folder.
#pragma once

#include <array>
#include <string>

#include "assembly/AssemblyDerivation.h"
#include "common/FolderAccess.h"
#include "console/ConsoleSession.h"
#include "console/PortChoice.h"
#include "console/WriteSequence.h"
#include "eds/ConnectionSelections.h"

namespace tavrin {

inline constexpr const char* kEdsProduced = "Produce EDS File OK";

// What the wizard shows when Finish is pressed.
struct FinishChoices {
    std::array<std::string, 3> inputTexts;   // entry shown in each produced-path list
    std::array<std::string, 3> outputTexts;  // entry shown in each consumed-path list, or empty
    std::string description;
    std::string author;
};

struct FinishContext {
    ConsoleSession& session;
    PortChoice port;
    const AssemblyTables& assemblies;  // derived from the working table when the wizard opened
    const ConnectionSelections& selections;
    std::string edsFolder;
    WriteView& view;  // the main window's status line and message boxes
    // Set by StoreAndProduceEds: how the console write ended (Completed when it was not reached),
    // so that a caller can tell a timeout from a port failure.
    WriteOutcome writeOutcome = WriteOutcome::Completed;
    // When given, Finish makes sure the EDS file can be created in edsFolder before anything is
    // typed: a store whose file then fails would leave the gateway written and the job undone.
    FolderAccess* edsCheck = nullptr;
    // Set by StoreAndProduceEds: after Completed the EDS file's path; after EdsFailed or
    // FolderRefused the message told.
    std::string edsPath{};
    std::string edsFailure{};
};

enum class FinishOutcome {
    Refused,      // another console sequence is running; nothing done
    Completed,    // stored and the EDS file written
    WriteFailed,  // the console write failed (reported, console released)
    EdsFailed,    // stored, but the EDS file could not be written (reported)
    // The EDS file cannot be created in its folder (reported); nothing was typed.
    FolderRefused,
};

// Runs the whole Finish. On every outcome but Refused, Busy is cleared and the port closed when
// this returns. After Completed the image describes what the gateway now holds: its stored
// objects are the working table and its connection words are the ones written.
FinishOutcome StoreAndProduceEds(FinishContext& context, const FinishChoices& choices);

}  // namespace tavrin
