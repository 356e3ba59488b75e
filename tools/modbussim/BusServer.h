// The RS-485 line on a pseudo-terminal, and the slaves on it.
//
// Two threads. The line thread reads what the master sends on the pty and passes it on to the
// slaves' libmodbus context through a socket pair, unless the master's serial settings (which the
// pty keeps, as the master set them) differ from the slaves': a real UART at another speed or
// parity hears only noise, so those bytes are dropped. The slave thread lets libmodbus take each
// request off the socket (framing and CRC are the library's), answers it for the addressed slave
// from its map, and puts the answer on the pty, applying the faults asked for.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "SimOptions.h"
#include "SlaveMap.h"

typedef struct _modbus modbus_t;
typedef struct _modbus_mapping_t modbus_mapping_t;

namespace modbussim {

struct MappingDeleter {
    void operator()(modbus_mapping_t* mapping) const;
};
// One slave's data as libmodbus serves it.
using Mapping = std::unique_ptr<modbus_mapping_t, MappingDeleter>;

struct Counts {
    long requests = 0;  // well-formed requests to any slave id
    long answers = 0;   // answers put on the line, exceptions included
    long writes = 0;    // requests with a write function code (05, 06, 15, 16, 22, 23)
    long noise = 0;     // chunks dropped because the master's line settings differ
};

// "requests 4 answers 4 writes 0 noise 0"
std::string CountsLine(const Counts& counts);

// Modbus function codes that change a slave's data.
bool IsWriteFunction(int function);

class BusServer {
public:
    // `master` is the pty's master side; `stopFd` becomes readable when the simulator is to end.
    BusServer(int master, int stopFd, std::vector<Slave> slaves, SimOptions options);
    void Run();

private:
    void PumpLine(int lineEnd);
    void ServeSlaves(modbus_t* ctx, int slaveEnd, int answerEnd);
    bool MasterSettingsMatch() const;
    void Count(void (*change)(Counts&));
    void WriteStatus(const Counts& counts) const;

    int m_master;
    int m_stopFd;
    std::vector<Slave> m_slaves;
    SimOptions m_options;
    std::map<int, Mapping> m_mappings;  // by slave id
    std::mutex m_countsMutex;
    Counts m_counts;
};

}  // namespace modbussim
