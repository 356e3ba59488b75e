// The 6420RT console as a pure state machine: bytes in, echo and answers out, no I/O.
//
// The module echoes every character as it is typed and answers when a carriage return ends the
// line. It has three modes: the main prompt (MODULE + ">"), the EEPROM prompt "[EEPROM:]", and
// the word editor, which shows one word as "Long(address)=value-->" and takes a new value for it.
// Values cross the console as signed 32-bit decimals.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Eeprom.h"

namespace gatewaysim {

struct ConsoleEvent {
    enum class Kind {
        Echo,    // typed characters (and "\r\n" for a carriage return), sent back at once
        Line,    // a completed input line; nothing is sent, it is reported for the transcript
        Answer,  // the reply to a completed line, ending with a prompt or the edit arrow
    };
    Kind kind;
    std::string text;
    int line;  // the input line the event belongs to, counted from 1 over the whole run

    friend bool operator==(const ConsoleEvent&, const ConsoleEvent&) = default;
};

// A worn EEPROM cell: the console takes a value for it and moves on, but the word keeps what it
// held, so only a read-back shows the write failed.
struct StuckWord {
    int block = 0;
    int address = 0;  // byte address as the console shows it, a multiple of 4

    friend bool operator==(const StuckWord&, const StuckWord&) = default;
};

// Misbehaviour on demand, keyed to input line numbers; 0 disables a fault.
struct ConsoleFaults {
    // From this line on the module is dead: no echo, no answer, input has no effect.
    int silentFromLine = 0;
    // The first word shown at or after this line carries text without digits instead of the
    // value, once.
    int garbageAtLine = 0;
    std::vector<StuckWord> stuck = {};
};

class SimConsole {
public:
    enum class Mode { Main, Eeprom, Edit };
    // Called after every stored word so the image can be persisted at once.
    using StoreHook = std::function<void(const Eeprom&)>;

    explicit SimConsole(Eeprom eeprom, std::string module = "6420RT", ConsoleFaults faults = {},
                        StoreHook onStore = {});

    std::vector<ConsoleEvent> Feed(std::string_view bytes);

    const Eeprom& Image() const { return m_eeprom; }
    Mode CurrentMode() const { return m_mode; }

private:
    std::string Answer(std::string_view line, int lineNumber);
    std::string AnswerMain(std::string_view line);
    std::string AnswerEeprom(std::string_view line, int lineNumber);
    std::string AnswerEdit(std::string_view line, int lineNumber);
    std::string ShowWord(int lineNumber);
    std::string MainPrompt() const { return m_module + ">"; }

    Eeprom m_eeprom;
    std::string m_module;
    ConsoleFaults m_faults;
    StoreHook m_onStore;

    Mode m_mode = Mode::Main;
    int m_block = 0;
    int m_editAddress = 0;
    bool m_garbageShown = false;
    int m_linesDone = 0;
    std::string m_pending;
};

}  // namespace gatewaysim
