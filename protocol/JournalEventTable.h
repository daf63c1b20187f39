#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "serial/ByteString.h"

// Colour words: low byte red, then green, then blue, top byte 0. A top byte of 0xFF marks a system
// colour whose index is the low byte; the window resolves it.
inline constexpr uint32_t clJournalGreen = 0x00008000;
inline constexpr uint32_t clJournalHighlight = 0xFF00000D;
inline constexpr uint32_t clJournalRed = 0x000000FF;
inline constexpr uint32_t clJournalYellow = 0x0000FFFF;
inline constexpr uint32_t clJournalOlive = 0x00008080;
inline constexpr uint32_t clJournalLime = 0x0000FF00;
inline constexpr uint32_t clJournalCleared = 0x00B76E79;

inline constexpr uint8_t kFirstJournalCode = 4;
inline constexpr uint8_t kLastJournalCode = 83;

// One kind of journal event. Text is UTF-8; TJournalEvent carries it as Windows-1251 for the grid.
struct TJournalEventKind {
    uint8_t Code;
    std::string_view Text;
    uint32_t Color;
};

extern const std::array<TJournalEventKind, kLastJournalCode - kFirstJournalCode + 1>
    JournalEventTable;

// The table's entry for a code, or nothing for a code outside 4 to 83.
const TJournalEventKind* FindJournalEvent(uint8_t code);

// One decoded entry: Number is its position in the reply and its row in the grid. An entry with no
// byte in the reply has no Code; a code outside the table has neither Text nor RowColor.
struct TJournalEvent {
    int Number = 0;
    std::optional<uint8_t> Code;
    std::optional<ByteString> Text;  // Windows-1251
    std::optional<uint32_t> RowColor;
};

// Entry `number` (from 1) of the reply; reads no byte beyond it.
TJournalEvent DecodeJournalEntry(const ByteString& reply, int number);
