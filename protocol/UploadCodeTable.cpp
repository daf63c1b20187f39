#include "protocol/UploadCodeTable.h"

#include "protocol/Cp1251.h"
#include "protocol/ECodeTableInvalid.h"

namespace {

// Only the first offending row is reported. The name comes from the grid, so a table that was
// never filled names nobody.
void ValidateCodes(const TEventCodeTable& table) {
    for (int row = 1; row <= TEventCodeTable::Rows; ++row) {
        if (table.Code(row).size() != TEventCodeTable::CodeLength) {
            throw ECodeTableInvalid(row, Cp1251ToUtf8(table.Name(row)));
        }
    }
}

}  // namespace

void UploadCodeTable(TDeviceLink& link, const TEventCodeTable& table) {
    ValidateCodes(table);
    link.SendCommand(ByteString(1, table.UploadLetter()));
    for (int row = 1; row <= TEventCodeTable::Rows; ++row) {
        link.SendCommand(table.Code(row));
    }
    const ByteString terminator = table.UploadTerminator();
    if (!terminator.empty()) {
        link.SendCommand(terminator);
    }
    link.Progress().SetPosition(100);
    link.Clock().Sleep(kClosingWait);
    link.Progress().SetPosition(0);
}
