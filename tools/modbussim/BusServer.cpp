#include "BusServer.h"

#include <modbus.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <thread>

namespace modbussim {
namespace {

speed_t SpeedOf(int baud) {
    static const std::pair<int, speed_t> speeds[] = {
        {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
        {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
        {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
        {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
    };
    for (const auto& [rate, speed] : speeds) {
        if (rate == baud) {
            return speed;
        }
    }
    return B0;
}

// Waits until `fd` or `stopFd` is readable; false when it is time to stop.
bool WaitReadable(int fd, int stopFd) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {stopFd, POLLIN, 0}};
    while (true) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (fds[1].revents != 0) {
            return false;
        }
        if (fds[0].revents & (POLLERR | POLLNVAL)) {
            return false;
        }
        return true;
    }
}

void WriteAll(int fd, const std::uint8_t* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                pollfd p{fd, POLLOUT, 0};
                ::poll(&p, 1, 100);
                continue;
            }
            return;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
}

Table TableOfFunction(int function) {
    switch (function) {
        case 1:
        case 5:
        case 15:
            return Table::Coils;
        case 2:
            return Table::Discretes;
        case 4:
            return Table::Inputs;
        default:
            return Table::Holding;
    }
}

// One libmodbus mapping spanning every range of each table (gaps are refused before it is used).
Mapping MappingOf(const Slave& slave) {
    int first[kTableCount] = {};
    int count[kTableCount] = {};
    for (int t = 0; t < kTableCount; ++t) {
        const auto& ranges = slave.tables[t];
        if (ranges.empty()) {
            continue;
        }
        int lo = 65536;
        int hi = 0;
        for (const Range& r : ranges) {
            lo = std::min(lo, r.start);
            hi = std::max(hi, r.End());
        }
        first[t] = lo;
        count[t] = hi - lo;
    }
    Mapping m(modbus_mapping_new_start_address(first[0], count[0], first[1], count[1], first[2],
                                               count[2], first[3], count[3]));
    if (!m) {
        throw std::runtime_error("cannot make the map of slave " + std::to_string(slave.id));
    }
    for (int t = 0; t < kTableCount; ++t) {
        for (const Range& r : slave.tables[t]) {
            for (std::size_t i = 0; i < r.values.size(); ++i) {
                const int at = r.start - first[t] + static_cast<int>(i);
                switch (static_cast<Table>(t)) {
                    case Table::Coils:
                        m->tab_bits[at] = static_cast<std::uint8_t>(r.values[i]);
                        break;
                    case Table::Discretes:
                        m->tab_input_bits[at] = static_cast<std::uint8_t>(r.values[i]);
                        break;
                    case Table::Holding:
                        m->tab_registers[at] = r.values[i];
                        break;
                    case Table::Inputs:
                        m->tab_input_registers[at] = r.values[i];
                        break;
                }
            }
        }
    }
    return m;
}

bool Listed(const std::vector<int>& ids, int id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

void MappingDeleter::operator()(modbus_mapping_t* mapping) const {
    modbus_mapping_free(mapping);
}

std::string CountsLine(const Counts& c) {
    return "requests " + std::to_string(c.requests) + " answers " + std::to_string(c.answers) +
           " writes " + std::to_string(c.writes) + " noise " + std::to_string(c.noise);
}

bool IsWriteFunction(int function) {
    return function == 5 || function == 6 || function == 15 || function == 16 || function == 22 ||
           function == 23;
}

BusServer::BusServer(int master, int stopFd, std::vector<Slave> slaves, SimOptions options)
    : m_master(master),
      m_stopFd(stopFd),
      m_slaves(std::move(slaves)),
      m_options(std::move(options)) {}

void BusServer::Run() {
    int lineToSlaves[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, lineToSlaves) != 0) {
        throw std::runtime_error("cannot make the slaves' socket pair");
    }
    WriteStatus(m_counts);
    // Made before the slaves' thread starts, so a failure ends the simulator with its message.
    for (const Slave& slave : m_slaves) {
        m_mappings.emplace(slave.id, MappingOf(slave));
    }
    modbus_t* ctx = modbus_new_rtu("/dev/null", m_options.line.baud, m_options.line.parity,
                                   m_options.line.dataBits, m_options.line.stopBits);
    if (ctx == nullptr) {
        throw std::runtime_error("cannot make a libmodbus context");
    }
    modbus_set_socket(ctx, lineToSlaves[0]);
    std::thread slaves(
        [this, ctx, &lineToSlaves] { ServeSlaves(ctx, lineToSlaves[0], lineToSlaves[1]); });
    PumpLine(lineToSlaves[1]);
    slaves.join();
    modbus_free(ctx);
    ::close(lineToSlaves[0]);
    ::close(lineToSlaves[1]);
}

bool BusServer::MasterSettingsMatch() const {
    termios t{};
    // The master side of a pty reports the terminal settings its slave side was given. The
    // kernel's pty keeps the speed and the stop bits but forces 8 data bits and clears PARENB;
    // the parity a program asked for still shows in its input parity check (INPCK) and PARODD.
    // Data bits cannot be seen and are not compared.
    if (::tcgetattr(m_master, &t) != 0) {
        return false;
    }
    const LineSettings& want = m_options.line;
    const bool parityOn = (t.c_cflag & PARENB) != 0 || (t.c_iflag & INPCK) != 0;
    const char parity = parityOn ? ((t.c_cflag & PARODD) ? 'O' : 'E') : 'N';
    const int stopBits = (t.c_cflag & CSTOPB) ? 2 : 1;
    return ::cfgetospeed(&t) == SpeedOf(want.baud) && parity == want.parity &&
           stopBits == want.stopBits;
}

void BusServer::PumpLine(int lineEnd) {
    std::uint8_t buffer[512];
    while (WaitReadable(m_master, m_stopFd)) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0) {
            // EIO while no program holds the slave side open; wait for the next one.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }
        if (MasterSettingsMatch()) {
            WriteAll(lineEnd, buffer, static_cast<std::size_t>(n));
        } else {
            Count([](Counts& c) { ++c.noise; });
        }
    }
}

void BusServer::ServeSlaves(modbus_t* ctx, int slaveEnd, int answerEnd) {
    std::uint8_t query[MODBUS_RTU_MAX_ADU_LENGTH];
    while (WaitReadable(slaveEnd, m_stopFd)) {
        // libmodbus serves one slave id per context and takes a request for another as one to
        // skip together with the answer that follows it. Every id is served here, so the context
        // is pointed at the id the request starts with before libmodbus reads it.
        std::uint8_t address = 0;
        if (::recv(slaveEnd, &address, 1, MSG_PEEK) != 1) {
            break;
        }
        modbus_set_slave(ctx, address);
        const int length = modbus_receive(ctx, query);
        if (length <= 0) {
            continue;  // a broken request: a slave says nothing to it
        }
        const int function = query[1];
        Count([](Counts& c) { ++c.requests; });
        if (IsWriteFunction(function)) {
            Count([](Counts& c) { ++c.writes; });
        }
        const auto mapping = m_mappings.find(address);
        if (mapping == m_mappings.end() || Listed(m_options.silent, address)) {
            continue;
        }
        const Slave& slave = *std::find_if(m_slaves.begin(), m_slaves.end(),
                                           [&](const Slave& s) { return s.id == address; });
        const int start = query[2] << 8 | query[3];
        const int count = function == 5 || function == 6 ? 1 : (query[4] << 8 | query[5]);
        // A late slave still lets the simulator stop at once.
        bool stopping = false;
        for (const DelayFault& late : m_options.late) {
            if (late.slave == address) {
                pollfd stop{m_stopFd, POLLIN, 0};
                stopping = stopping || ::poll(&stop, 1, late.delayMs) > 0;
            }
        }
        if (stopping) {
            break;
        }
        const ExceptionFault* fault = nullptr;
        for (const ExceptionFault& e : m_options.exceptions) {
            if (e.slave == address && start < e.start + e.count && e.start < start + count) {
                fault = &e;
            }
        }
        if (fault != nullptr) {
            modbus_reply_exception(ctx, query, static_cast<unsigned>(fault->code));
        } else if (function >= 1 && function <= 16 && function != 7 && function != 8 &&
                   function != 11 && function != 12 &&
                   !slave.Covers(TableOfFunction(function), start, count)) {
            modbus_reply_exception(ctx, query, MODBUS_EXCEPTION_ILLEGAL_DATA_ADDRESS);
        } else {
            modbus_reply(ctx, query, length, mapping->second.get());
        }
        // The answer is on the socket pair now; it goes on the line from here, so that a fault
        // can spoil it first.
        int waiting = 0;
        ::ioctl(answerEnd, FIONREAD, &waiting);
        std::vector<std::uint8_t> answer(static_cast<std::size_t>(std::max(waiting, 0)));
        const ssize_t got = answer.empty() ? 0 : ::read(answerEnd, answer.data(), answer.size());
        if (got <= 0) {
            continue;
        }
        answer.resize(static_cast<std::size_t>(got));
        if (Listed(m_options.badCrc, address)) {
            answer.back() ^= 0xFF;
        }
        WriteAll(m_master, answer.data(), answer.size());
        Count([](Counts& c) { ++c.answers; });
    }
}

void BusServer::Count(void (*change)(Counts&)) {
    Counts now;
    {
        const std::lock_guard lock(m_countsMutex);
        change(m_counts);
        now = m_counts;
    }
    WriteStatus(now);
}

void BusServer::WriteStatus(const Counts& counts) const {
    if (m_options.statusPath.empty()) {
        return;
    }
    // Replaced whole, so a reader never sees half a line.
    const std::string temporary = m_options.statusPath + ".new";
    if (std::FILE* f = std::fopen(temporary.c_str(), "w")) {
        std::fprintf(f, "%s\n", CountsLine(counts).c_str());
        std::fclose(f);
        std::rename(temporary.c_str(), m_options.statusPath.c_str());
    }
}

}  // namespace modbussim
