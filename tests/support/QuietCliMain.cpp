// tavrin-cli as the end-to-end tests run it: the program's own command line and verbs, with the
// console's port and clock watched (QuietConsoleClock.h). An answer window then never ends
// before the simulator on the port has said all it will, however late either process is
// scheduled, and ends at once after, so a marker that never comes costs no waiting. Which
// simulator serves a port, the test that started it has said (SimulatorTranscripts.h). With
// TAVRIN_TEST_STAND_WHILE_OWED=1 the clock also stands while the simulator owes an answer.
// Without --answer-window, a verb that types at the console waits with the tests' roomy window.
#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "ConsoleRoom.h"
#include "QuietConsoleClock.h"
#include "SimulatorTranscripts.h"
#include "cli/CliArgs.h"
#include "cli/CliMain.h"
#include "cli/ConsoleWiring.h"
#include "console/qt/QtConsolePort.h"

namespace {

using namespace tavrin;

class QuietWiring final : public cli::ConsoleWiring {
public:
    QuietWiring() {
        if (const char* stand = std::getenv("TAVRIN_TEST_STAND_WHILE_OWED");
            stand && std::string_view(stand) == "1") {
            m_clock.StandWhileOwed();
        }
    }

    SerialPort& Port() override { return m_watched; }
    Clock& Ticks() override { return m_clock; }

private:
    QtConsolePort m_serial;
    testing::QuietConsoleClock m_clock;
    testing::WatchedPort m_watched{m_serial, m_clock, testing::SimulatorTranscriptOf};
};

// A verb that types at the console and is given no window of its own gets the tests' roomy one,
// as the in-process rigs do: the quiet clock ends any wait the simulator will not answer at once.
std::vector<std::string> WithRoomyWindow(std::vector<std::string> words) {
    if (std::find(words.begin(), words.end(), "--answer-window") != words.end()) {
        return words;
    }
    std::vector<std::string> roomy = words;
    roomy.insert(roomy.end(), {"--answer-window", std::to_string(testing::kRoomyAnswerWindowMs)});
    std::string ignored;
    return cli::ParseCliArgs(roomy, ignored) ? roomy : words;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_NO_GLIB", "1");  // the event loop tavrin-cli runs on (src/cli/main.cpp)
    QCoreApplication app(argc, argv);
    QuietWiring wiring;
    return cli::RunCli(WithRoomyWindow({argv + 1, argv + argc}), wiring);
}
