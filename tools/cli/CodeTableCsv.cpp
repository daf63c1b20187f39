#include "tools/cli/CodeTableCsv.h"

#include <algorithm>

#include "protocol/Cp1251.h"
#include "protocol/EventCodeTable.h"
#include "tools/cli/Csv.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHeader = "row,event,code\r\n";
constexpr size_t kFields = 3;

std::string_view WithoutMark(std::string_view text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    return text;
}

char SeparatorOf(std::string_view text) {
    const std::string_view header = text.substr(0, text.find('\n'));
    const size_t at = header.find_first_of(",;");
    if (at == std::string_view::npos) {
        throw ECodeTableCsv(LineMessage(1, "в заголовке нет разделителя «,» или «;»"));
    }
    return header[at];
}

bool IsBlank(const TCsvRecord& record) {
    return std::all_of(record.Fields.begin(), record.Fields.end(),
                       [](const std::string& field) { return field.empty(); });
}

void CheckRow(const TCsvRecord& record, int row) {
    if (row > TEventCodeTable::Rows) {
        throw ECodeTableCsv(LineMessage(record.Line, "лишняя строка после строки таблицы 25"));
    }
    if (record.Fields.size() != kFields) {
        throw ECodeTableCsv(LineMessage(record.Line, "ждём три поля (строка, событие, код), а их " +
                                                         std::to_string(record.Fields.size())));
    }
    if (record.Fields[0] != std::to_string(row)) {
        throw ECodeTableCsv(LineMessage(record.Line, "ждём строку таблицы " + std::to_string(row) +
                                                         ", а не «" + record.Fields[0] + "»"));
    }
}

ByteString CodeOf(const TCsvRecord& record) {
    const std::string& code = record.Fields[2];
    try {
        return Utf8ToCp1251(code);
    } catch (const ETextConversion& error) {
        throw ECodeTableCsv(LineMessage(record.Line, "код «" + code + "»: " + error.what()));
    }
}

}  // namespace

std::string CodeTableCsv(const TCodeTableGrid& grid) {
    std::string text = std::string(kByteOrderMark) + std::string(kHeader);
    for (int row = 1; row <= TEventCodeTable::Rows; ++row) {
        text += std::to_string(row) + "," +
                CsvField(Cp1251ToUtf8(grid.Cell(TEventCodeTable::NameColumn, row))) + "," +
                CsvField(Cp1251ToUtf8(grid.Cell(TEventCodeTable::CodeColumn, row))) + "\r\n";
    }
    return text;
}

std::vector<ByteString> ParseCodeTableCsv(std::string_view text) {
    text = WithoutMark(text);
    std::vector<TCsvRecord> records;
    try {
        records = ParseCsv(text, SeparatorOf(text));
    } catch (const ECsvSyntax& error) {
        throw ECodeTableCsv(error.what());
    }
    std::vector<ByteString> codes;
    int lastLine = 1;
    for (size_t i = 1; i < records.size(); ++i) {
        lastLine = records[i].Line;
        if (IsBlank(records[i])) {
            continue;
        }
        CheckRow(records[i], static_cast<int>(codes.size()) + 1);
        codes.push_back(CodeOf(records[i]));
    }
    if (codes.empty()) {
        throw ECodeTableCsv(LineMessage(lastLine, "после заголовка нет строк таблицы"));
    }
    if (codes.size() != TEventCodeTable::Rows) {
        throw ECodeTableCsv(LineMessage(lastLine, "файл кончился на строке таблицы " +
                                                      std::to_string(codes.size()) + " из 25"));
    }
    return codes;
}
