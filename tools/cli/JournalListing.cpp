#include "tools/cli/JournalListing.h"

#include <array>
#include <cstdio>

#include "protocol/Cp1251.h"
#include "tools/cli/Csv.h"
#include "tools/cli/LineEscape.h"

namespace {

using TFields = std::array<std::string, 4>;

TFields FieldsOf(const TJournalEvent& entry) {
    return {std::to_string(entry.Number), entry.Code ? std::to_string(*entry.Code) : "",
            entry.Text ? Cp1251ToUtf8(*entry.Text) : "",
            entry.RowColor ? ColourName(*entry.RowColor) : ""};
}

std::string CsvLine(const TFields& fields) {
    return CsvField(fields[0]) + "," + CsvField(fields[1]) + "," + CsvField(fields[2]) + "," +
           CsvField(fields[3]) + "\r\n";
}

}  // namespace

std::string ColourName(uint32_t color) {
    if (color == clJournalHighlight) {
        return "highlight";
    }
    if ((color >> 24) == 0xFF) {
        return "system-" + std::to_string(color & 0xFF);
    }
    char name[8];
    std::snprintf(name, sizeof name, "#%02x%02x%02x", color & 0xFF, (color >> 8) & 0xFF,
                  (color >> 16) & 0xFF);
    return name;
}

std::string ListJournal(const std::vector<TJournalEvent>& entries) {
    std::string lines;
    for (const TJournalEvent& entry : entries) {
        const TFields fields = FieldsOf(entry);
        lines += fields[0] + "\t" + fields[1] + "\t" + EscapeForLine(fields[2]) + "\t" + fields[3] +
                 "\n";
    }
    return lines;
}

std::string ListJournalCsv(const std::vector<TJournalEvent>& entries) {
    std::string lines = CsvLine({"number", "code", "text", "colour"});
    for (const TJournalEvent& entry : entries) {
        lines += CsvLine(FieldsOf(entry));
    }
    return lines;
}
