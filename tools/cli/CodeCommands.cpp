#include "protocol/Cp1251.h"
#include "protocol/DownloadCodeTable.h"
#include "protocol/LoadDefaultCodes.h"
#include "protocol/UploadCodeTable.h"
#include "protocol/memory/MemoryCodeTableGrid.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CodeListing.h"
#include "tools/cli/PanelConnection.h"

namespace {

TCodeTableKind KindOf(const TCliOptions& options) {
    return options.Table == TCodeTableChoice::Restore ? TCodeTableKind::Restore
                                                      : TCodeTableKind::Events;
}

std::vector<ByteString> CodesInCp1251(const TCliOptions& options) {
    std::vector<ByteString> codes;
    for (const std::string& code : options.Codes) {
        try {
            codes.push_back(Utf8ToCp1251(code));
        } catch (const ETextConversion& error) {
            throw EUsage("код «" + code + "»: " + error.what(), options.Command);
        }
    }
    return codes;
}

}  // namespace

void RunReadCodes(const TCliOptions& options, std::ostream& out) {
    TMemoryCodeTableGrid grid;
    TEventCodeTable table(KindOf(options), grid);
    LoadDefaultCodes(table);
    {
        TPanelConnection connection(options.Port, options.BaudRate);
        DownloadCodeTable(connection.Link(), table);
        connection.Done();
    }
    out << ListCodes(grid);
}

void RunWriteCodes(const TCliOptions& options, std::ostream&) {
    const std::vector<ByteString> codes = CodesInCp1251(options);
    TMemoryCodeTableGrid grid;
    TEventCodeTable table(KindOf(options), grid);
    LoadDefaultCodes(table);
    for (int row = 1; row <= TEventCodeTable::Rows; ++row) {
        table.SetCode(row, codes[static_cast<size_t>(row - 1)]);
    }
    TPanelConnection connection(options.Port, options.BaudRate);
    UploadCodeTable(connection.Link(), table);
    connection.Done();
}
