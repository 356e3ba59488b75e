// What modbus-check prints: its rows as a table or a JSON array, and its help.
#include <algorithm>

#include "cli/ModbusCheckVerb.h"
#include "offline/JsonWriter.h"

namespace tavrin::cli {

std::string BusCheckTable(const std::vector<BusCheckRow>& rows, const std::string& lineText) {
    std::vector<std::vector<std::string>> cells{
        {"OBJECT", "DEVICE", "FUNCTION", "START", "LENGTH", "OUTCOME"}};
    for (const BusCheckRow& row : rows) {
        cells.push_back({std::to_string(row.number), std::to_string(row.request.deviceId),
                         FunctionCodeText(row.request), std::to_string(row.request.startAddress),
                         std::to_string(row.request.length), OutcomeText(row)});
    }
    std::vector<std::size_t> widths(cells.front().size(), 0);
    for (const auto& line : cells) {
        for (std::size_t c = 0; c < line.size(); ++c) {
            widths[c] = std::max(widths[c], line[c].size());
        }
    }
    std::string text = std::string(kReadsOnlyNote) + "\nBus " + lineText + "\n";
    for (const auto& line : cells) {
        for (std::size_t c = 0; c < line.size(); ++c) {
            text += line[c];
            if (c + 1 < line.size()) {
                text.append(widths[c] - line[c].size() + 2, ' ');
            }
        }
        text += "\n";
    }
    return text;
}

std::string BusCheckJson(const std::vector<BusCheckRow>& rows) {
    JsonWriter json;
    json.BeginArray();
    for (const BusCheckRow& row : rows) {
        json.BeginObject();
        json.Number("number", row.number);
        json.Number("deviceId", row.request.deviceId);
        json.Number("functionCode", row.request.SentCode());
        json.Number("configuredFunctionCode", row.request.configuredCode);
        json.Number("startAddress", row.request.startAddress);
        json.Number("length", row.request.length);
        json.String("outcome", OutcomeKind(row));
        json.String("text", OutcomeText(row));
        if (row.Answered()) {
            json.BeginArray("values");
            for (const std::uint16_t value : row.reply.values) {
                json.Number({}, value);
            }
            json.EndArray();
        }
        if (!row.notSent && row.reply.kind == BusReply::Kind::Exception) {
            json.Number("exception", row.reply.exceptionCode);
            json.String("exceptionName", ExceptionName(row.reply.exceptionCode));
        }
        json.EndObject();
    }
    json.EndArray();
    return json.Text();
}

std::string ModbusCheckHelp() {
    return "Usage: tavrin-cli modbus-check SOURCE --bus PORT [--json] [--object N]\n"
           "                              [--log FILE]\n"
           "       tavrin-cli modbus-check --port PORT --bus PORT [...]\n"
           "\n"
           "Puts each application object's Modbus request on the RS-485 bus through the\n"
           "PC's own adapter, with the gateway's COM settings (baud rate, data bits,\n"
           "parity, stop bits, reply timeout), and prints one row per object: number,\n"
           "device id, function code sent, start address, length and outcome: \"OK\" with\n"
           "the values read (bits 0/1, registers decimal and hex), \"exception NN (name)\",\n"
           "\"no answer\" after the reply timeout, or \"bad reply\" (CRC or framing).\n"
           "\n"
           "Reads only: FC01 to FC04 objects are sent as configured; FC15 objects are\n"
           "checked with FC01 and FC16 objects with FC03 over the same range. Nothing is\n"
           "written to any slave. Run it before the gateway is on the bus: two masters on\n"
           "one line disturb each other.\n"
           "\n"
           "SOURCE is what diff takes: a gateway (a COM number 1..16 or a device path,\n"
           "read as 'read' reads it), a parameter file (as backup writes it) or a\n"
           "configuration file CONFIG.json (as apply takes it). --port PORT reads the\n"
           "gateway on PORT instead of a SOURCE (so fleet jobs can run it).\n"
           "\n"
           "  --bus PORT   the RS-485 adapter: a COM number 1..16 or a device path; not\n"
           "               the gateway's console port\n"
           "  --json       print a JSON array, one object per row: number, deviceId,\n"
           "               functionCode (sent), configuredFunctionCode, startAddress,\n"
           "               length, outcome (\"OK\", \"exception\", \"no answer\", \"bad reply\",\n"
           "               \"not sent\"), text, values (when OK), exception and\n"
           "               exceptionName (for an exception)\n"
           "  --port PORT  read the gateway on PORT instead of a SOURCE\n"
           "  --object N   check only object N (1..10)\n"
           "  --log FILE   append every frame sent and received, in hex, with its time\n"
           "               since the first frame (taken from libmodbus's debug trace)\n" +
           TimingOptionsHelp() +
           "               (these two are for the gateway read of SOURCE or --port)\n"
           "\n"
           "An object longer than one Modbus read allows (2000 bits, 125 registers) is\n"
           "reported \"not sent\".\n"
           "\n"
           "Exit status: 0 every object answered OK, 9 an exception, no answer, bad reply\n"
           "or an object not sent, 2 usage error, 3 a port cannot be opened or is held,\n"
           "4 console timeout, 5 not a 6420RT/6420e module, 6 an unusable SOURCE, log\n"
           "or --object.\n";
}

}  // namespace tavrin::cli
