#include "console/qt/QtPortLister.h"

#include <QSerialPortInfo>
#include <filesystem>
#include <system_error>
#include <utility>

namespace tavrin {

QtPortLister::QtPortLister(std::string byIdFolder) : m_byIdFolder(std::move(byIdFolder)) {}

std::map<std::string, std::string> ReadByIdLinks(const std::string& folder) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> links;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const fs::path target = fs::canonical(entry.path(), error);
        if (!error) {
            // Two links to one device (by-id and an alias): the first in name order stays.
            links.emplace(target.string(), entry.path().string());
        }
    }
    return links;
}

std::vector<SystemPort> QtPortLister::List() {
    const auto links = ReadByIdLinks(m_byIdFolder);
    std::vector<SystemPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SystemPort port;
        port.name = info.portName().toStdString();
        port.device = info.systemLocation().toStdString();
        if (const auto link = links.find(port.device); link != links.end()) {
            port.byIdPath = link->second;
        }
        port.description = info.description().toStdString();
        port.manufacturer = info.manufacturer().toStdString();
        port.serialNumber = info.serialNumber().toStdString();
        if (info.hasVendorIdentifier()) {
            port.vendorId = info.vendorIdentifier();
        }
        if (info.hasProductIdentifier()) {
            port.productId = info.productIdentifier();
        }
        ports.push_back(std::move(port));
    }
    return ports;
}

}  // namespace tavrin
