#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/JournalEventTable.h"

// A colour word as "#rrggbb", or "highlight" for the system's highlight colour.
std::string ColourName(uint32_t color);

// "number<TAB>code<TAB>text<TAB>colour" per entry, in UTF-8; an entry without a code, text or
// colour leaves that field empty.
std::string ListJournal(const std::vector<TJournalEvent>& entries);
// The same fields as CSV, after a header row.
std::string ListJournalCsv(const std::vector<TJournalEvent>& entries);
