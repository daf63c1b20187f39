#include "protocol/Cp1251.h"
#include "protocol/DownloadJournal.h"
#include "protocol/EConvertError.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/JournalListing.h"
#include "tools/cli/MemoryJournalGrid.h"
#include "tools/cli/PanelConnection.h"

namespace {

// The exchange converts the count only after the panel has answered; a count it would refuse is
// refused here, before the port is opened.
ByteString CheckedCount(const TCliOptions& options) {
    try {
        const ByteString count = Utf8ToCp1251(options.JournalCount);
        StrToInt(count);
        return count;
    } catch (const std::runtime_error& error) {
        throw EUsage(std::string("--count: ") + error.what(), options.Command);
    }
}

// The grid keeps what the window shows; the code of an entry is recovered from its text, which
// every code of the journal table has its own of.
std::vector<TJournalEvent> EntriesOf(const TMemoryJournalGrid& grid) {
    std::vector<TJournalEvent> entries;
    for (int row = 1; row < grid.RowCount(); ++row) {
        TJournalEvent entry;
        entry.Number = row;
        const ByteString& text = grid.CellText(1, row);
        for (const TJournalEventKind& kind : JournalEventTable) {
            if (!text.empty() && Utf8ToCp1251(kind.Text) == text) {
                entry.Code = kind.Code;
                entry.Text = text;
            }
        }
        entry.RowColor = grid.RowColor(row);
        entries.push_back(entry);
    }
    return entries;
}

}  // namespace

void RunReadJournal(const TCliOptions& options, std::ostream& out) {
    const ByteString count = CheckedCount(options);
    TMemoryJournalGrid grid;
    {
        TPanelConnection connection(options.Port, static_cast<TBaudRate>(options.BaudRateIndex));
        DownloadJournal(connection.Link(), grid, count);
        connection.Done();
    }
    const std::vector<TJournalEvent> entries = EntriesOf(grid);
    out << (options.Csv ? ListJournalCsv(entries) : ListJournal(entries));
}
