// A serial fault raised while a console sequence has the port open (cable pulled, adapter gone,
// the other end hung up). Sequences catch it, show its description and release the console.
#pragma once

#include <stdexcept>
#include <string>

namespace tavrin {

class PortFault : public std::runtime_error {
public:
    explicit PortFault(const std::string& description) : std::runtime_error(description) {}
};

}  // namespace tavrin
