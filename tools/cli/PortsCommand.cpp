#include <string>
#include <vector>

#include "serial/PortList.h"
#include "tools/cli/CliCommands.h"

void RunPorts(const TCliOptions&, std::ostream& out) {
    std::vector<std::string> ports;
    ListSerialPorts(ports);
    for (const std::string& port : ports) {
        out << port << "\n";
    }
}
