#include "protocol/DownloadJournal.h"

#include <algorithm>
#include <limits>
#include <string>

#include "protocol/Cp1251.h"
#include "protocol/JournalEventTable.h"
#include "protocol/StrToInt.h"

namespace {

constexpr int32_t kFlushSize = 500;
constexpr int32_t kReplySize = 400;
constexpr int kNumberColumn = 0;
constexpr int kEventColumn = 1;

// The row count includes the header; the largest count would overflow it by one.
int EntryCount(const ByteString& countText) {
    return std::max(0, std::min(StrToInt(countText), std::numeric_limits<int32_t>::max() - 1));
}

void WriteHeader(TJournalGrid& grid) {
    grid.SetCellText(kNumberColumn, 0, Utf8ToCp1251("Номер"));
    grid.SetCellText(kEventColumn, 0, Utf8ToCp1251("Событие"));
}

void ShowEntry(TJournalGrid& grid, const TJournalEvent& event) {
    if (event.Text && event.RowColor) {
        grid.SetCellText(kEventColumn, event.Number, *event.Text);
        grid.SetRowColor(event.Number, *event.RowColor);
    }
    grid.SetCellText(kNumberColumn, event.Number, std::to_string(event.Number));
}

}  // namespace

std::vector<TJournalEvent> DownloadJournal(TDeviceLink& link, TJournalGrid& grid,
                                           const ByteString& countText) {
    link.Progress().SetPosition(0);
    link.FlushInput(link.JournalFlushBuffer, kFlushSize);
    grid.Clear();
    link.SendCommand("?JRN;");
    link.Clock().Sleep(kJournalReplyWait);
    link.Progress().SetPosition(20);
    ByteString reply;
    link.ReadReply(reply, kReplySize);
    const int count = EntryCount(countText);
    grid.SetRowCount(count + 1);
    WriteHeader(grid);
    std::vector<TJournalEvent> entries;
    for (int number = 1; number <= count; ++number) {
        entries.push_back(DecodeJournalEntry(reply, number));
        ShowEntry(grid, entries.back());
    }
    link.Progress().SetPosition(100);
    link.Clock().Sleep(kJournalClosingWait);
    link.Progress().SetPosition(0);
    return entries;
}
