// tavrin-gatewaysim: the K-5310G gateway's console on a pseudo-terminal, so that Tavrin can be
// demonstrated, tested and measured without the device.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <vector>

#include "EepromFile.h"
#include "Options.h"
#include "PortLock.h"
#include "PseudoTerminal.h"
#include "PtyServer.h"
#include "SimConsole.h"
#include "StopSignals.h"
#include "TavrinVersion.h"
#include "Transcript.h"

namespace {

using namespace gatewaysim;

Eeprom OpenEeprom(const Options& o) {
    if (!std::filesystem::exists(o.eepromPath)) {
        SaveEeprom(o.eepromPath, o.blank ? Eeprom{} : DefaultEeprom());
    }
    return LoadEeprom(o.eepromPath);
}

int Simulate(Options o) {
    const int stopPipe = InstallStopHandlers();
    if (o.timing.split) {
        o.timing.seed = o.seed ? *o.seed : std::random_device{}();
        std::cerr << "tavrin-gatewaysim: --split with --seed " << o.timing.seed << "\n";
    }
    // A line that drops at line N never takes that line: the module is dead from it on.
    if (o.hangupAtLine > 0 &&
        (o.faults.silentFromLine == 0 || o.faults.silentFromLine > o.hangupAtLine)) {
        o.faults.silentFromLine = o.hangupAtLine;
    }
    const std::string eepromPath = o.eepromPath;
    // A read answers every word it walks with the value shown, so most stores change nothing;
    // only a changed image is written out.
    const Eeprom loaded = OpenEeprom(o);
    SimConsole console(loaded, o.module, o.faults,
                       [eepromPath, saved = loaded](const Eeprom& image) mutable {
                           if (image != saved) {
                               SaveEeprom(eepromPath, image);
                               saved = image;
                           }
                       });

    PseudoTerminal pty;
    std::unique_ptr<ScopedSymlink> link;
    if (!o.linkPath.empty()) {
        link = std::make_unique<ScopedSymlink>(o.linkPath, pty.SlavePath());
    }
    std::vector<std::unique_ptr<PortLock>> locks;
    if (o.hold) {
        const auto dirs = QtLockDirectories();
        locks.push_back(std::make_unique<PortLock>(QtLockFilePath(pty.SlavePath(), dirs)));
        if (!o.linkPath.empty()) {
            locks.push_back(std::make_unique<PortLock>(QtLockFilePath(o.linkPath, dirs)));
        }
    }
    Transcript transcript(o.transcriptPath, Clock::now());

    std::cout << pty.SlavePath() << std::endl;  // tests wait for this line

    ServerSettings settings;
    settings.answerDelay = std::chrono::milliseconds(o.slowMs);
    settings.slowAtLine = o.slowAtLine;
    settings.lateAtLine = o.lateAtLine;
    settings.lateAll = o.lateAll;
    settings.everyAnswerDelay = std::chrono::milliseconds(o.answerDelayMs);
    settings.minCharGap = std::chrono::milliseconds(o.minCharGapMs);
    settings.hangupAfterLine = o.hangupAfterLine;
    settings.hangupAtLine = o.hangupAtLine;
    settings.silentFromLine = o.faults.silentFromLine;
    settings.splitMarkerAt = o.splitMarkerAt;
    settings.module = o.module;
    settings.timing = o.timing;
    PtyServer(pty, console, settings, transcript).Run(stopPipe);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::cerr << "tavrin-gatewaysim: " << e.what() << "\n" << Usage();
        return 2;
    }
    if (options.help) {
        std::cout << Usage();
        return 0;
    }
    if (options.version) {
        std::cout << "tavrin-gatewaysim " TAVRIN_VERSION "\n";
        return 0;
    }
    try {
        return Simulate(options);
    } catch (const std::exception& e) {
        std::cerr << "tavrin-gatewaysim: " << e.what() << "\n";
        return 1;
    }
}
