#include <string>
#include <vector>

#include "language/Catalogue.h"
#include "serial/PortList.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/LineEscape.h"

// A USB adapter names itself, so its description is escaped like any value from outside; what the
// system says of a port without a name of its own is said in the tool's language.
void RunPorts(const TCliOptions& options, std::ostream& out) {
    const TCatalogue catalogue = CatalogueFor(options.Language, {CoreUkrainian()});
    for (const TPortEntry& port : ListSerialPortEntries()) {
        out << port.Name;
        if (!options.NamesOnly && !port.Description.empty()) {
            out << "\t" << EscapeForLine(catalogue.Translate(port.Description));
        }
        out << "\n";
    }
}
