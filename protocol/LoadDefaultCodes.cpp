#include "protocol/LoadDefaultCodes.h"

#include "protocol/Cp1251.h"

void LoadDefaultCodes(TEventCodeTable& table) {
    TCodeTableGrid& grid = table.Grid();
    const ByteString filler = Utf8ToCp1251(TEventCodeTable::FillerCode);
    for (int row = 1; row <= TEventCodeTable::Rows; ++row) {
        table.SetCode(row, filler);
    }
    grid.SetCell(TEventCodeTable::NameColumn, 0, Utf8ToCp1251(TEventCodeTable::NameHeader));
    grid.SetCell(TEventCodeTable::CodeColumn, 0, Utf8ToCp1251(table.CodeHeader()));
    grid.SetColumnWidth(TEventCodeTable::NameColumn, TEventCodeTable::NameColumnWidth);
    for (int row = 1; row <= TEventCodeTable::Rows; ++row) {
        grid.SetCell(TEventCodeTable::NameColumn, row, Utf8ToCp1251(TEventCodeTable::RowName(row)));
        if (TEventCodeTable::DefaultCode(row) != TEventCodeTable::FillerCode) {
            table.SetCode(row, Utf8ToCp1251(TEventCodeTable::DefaultCode(row)));
        }
    }
}
