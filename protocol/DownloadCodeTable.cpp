#include "protocol/DownloadCodeTable.h"

#include "protocol/Cp1251.h"
#include "protocol/ReplyDecoders.h"

namespace {

constexpr int32_t kFlushSize = 200;
constexpr int32_t kReplySize = 200;

void EmptyCodes(TEventCodeTable& table) {
    TCodeTableGrid& grid = table.Grid();
    grid.ClearColumn(TEventCodeTable::CodeColumn);
    grid.SetCell(TEventCodeTable::CodeColumn, 0, Utf8ToCp1251(table.CodeHeader()));
}

}  // namespace

void DownloadCodeTable(TDeviceLink& link, TEventCodeTable& table) {
    link.Progress().SetPosition(0);
    link.FlushInput(link.ReplyBuffer, kFlushSize);
    EmptyCodes(table);
    link.SendCommand(table.Query());
    link.Clock().Sleep(kCodeReplyWait);
    link.Progress().SetPosition(20);
    link.ReadReply(link.ReplyBuffer, kReplySize);
    for (int row = 1; row <= TEventCodeTable::Rows; ++row) {
        table.SetCode(row, CodeFromReply(link.ReplyBuffer, row));
    }
    link.Progress().SetPosition(100);
    link.Clock().Sleep(kClosingWait);
    link.Progress().SetPosition(0);
}
