#include "protocol/Cp1251.h"
#include "protocol/DownloadJournal.h"
#include "protocol/StrToInt.h"
#include "protocol/memory/MemoryJournalGrid.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/JournalListing.h"
#include "tools/cli/PanelConnection.h"

namespace {

// The exchange converts the count only after the panel has answered; a count it would refuse is
// refused here, before the port is opened.
ByteString CheckedCount(const TCliOptions& options) {
    try {
        const ByteString count = Utf8ToCp1251(options.JournalCount);
        if (count.size() > static_cast<size_t>(kJournalCountLength)) {
            throw std::runtime_error("не больше трёх символов, как в поле количества событий");
        }
        StrToInt(count);
        return count;
    } catch (const std::runtime_error& error) {
        throw EUsage(std::string("--count: ") + error.what(), options.Command);
    }
}

}  // namespace

void RunReadJournal(const TCliOptions& options, std::ostream& out) {
    const ByteString count = CheckedCount(options);
    TMemoryJournalGrid grid;
    std::vector<TJournalEvent> entries;
    {
        TPanelConnection connection(options);
        entries = DownloadJournal(connection.Link(), grid, count);
        connection.Done();
    }
    out << (options.Csv ? ListJournalCsv(entries) : ListJournal(entries));
}
