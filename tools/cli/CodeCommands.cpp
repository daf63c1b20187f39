#include <fstream>
#include <iterator>

#include "protocol/Cp1251.h"
#include "protocol/DownloadCodeTable.h"
#include "protocol/LoadDefaultCodes.h"
#include "protocol/UploadCodeTable.h"
#include "protocol/memory/MemoryCodeTableGrid.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CodeListing.h"
#include "tools/cli/CodeTableCsv.h"
#include "tools/cli/PanelConnection.h"
#include "tools/cli/Utf8Path.h"

namespace {

TCodeTableKind KindOf(const TCliOptions& options) {
    return options.Table == TCodeTableChoice::Restore ? TCodeTableKind::Restore
                                                      : TCodeTableKind::Events;
}

std::vector<ByteString> TypedCodes(const TCliOptions& options) {
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

std::vector<ByteString> CodesFromFile(const TCliOptions& options) {
    const std::string& path = options.CodesFromPath;
    std::ifstream file(Utf8Path(path), std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(file), {});
    if (!file.is_open() || file.bad()) {
        throw EUsage("--from: не удаётся прочитать файл «" + path + "»", options.Command);
    }
    try {
        return ParseCodeTableCsv(text);
    } catch (const ECodeTableCsv& error) {
        throw EUsage("--from " + path + ", " + error.what(), options.Command);
    }
}

void SaveCsv(const std::string& path, const TCodeTableGrid& grid) {
    std::ofstream file(Utf8Path(path), std::ios::binary | std::ios::trunc);
    file << CodeTableCsv(grid) << std::flush;
    if (!file) {
        throw std::runtime_error("Не удалось записать таблицу кодов в «" + path + "»");
    }
}

}  // namespace

void RunReadCodes(const TCliOptions& options, std::ostream& out) {
    TMemoryCodeTableGrid grid;
    TEventCodeTable table(KindOf(options), grid);
    LoadDefaultCodes(table);
    {
        TPanelConnection connection(options);
        DownloadCodeTable(connection.Link(), table);
        connection.Done();
    }
    out << ListCodes(grid) << std::flush;
    if (!options.CodesOutPath.empty()) {
        SaveCsv(options.CodesOutPath, grid);
    }
}

void RunWriteCodes(const TCliOptions& options, std::ostream&) {
    const std::vector<ByteString> codes =
        options.CodesFromPath.empty() ? TypedCodes(options) : CodesFromFile(options);
    TMemoryCodeTableGrid grid;
    TEventCodeTable table(KindOf(options), grid);
    LoadDefaultCodes(table);
    for (int row = 1; row <= TEventCodeTable::Rows; ++row) {
        table.SetCode(row, codes[static_cast<size_t>(row - 1)]);
    }
    TPanelConnection connection(options);
    UploadCodeTable(connection.Link(), table);
    connection.Done();
}
