#include <string>
#include <vector>

#include "serial/PortList.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/LineEscape.h"

// A USB adapter names itself, so its description is escaped like any value from outside.
void RunPorts(const TCliOptions& options, std::ostream& out) {
    for (const TPortEntry& port : ListSerialPortEntries()) {
        out << port.Name;
        if (!options.NamesOnly && !port.Description.empty()) {
            out << "\t" << EscapeForLine(port.Description);
        }
        out << "\n";
    }
}
