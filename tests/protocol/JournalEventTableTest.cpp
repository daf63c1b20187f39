#include "protocol/JournalEventTable.h"

#include <gtest/gtest.h>

#include "protocol/Cp1251.h"

namespace {

struct TColorRange {
    int First;
    int Last;
    uint32_t Color;
};

// The colour classes by code range, as the panel's journal groups its events.
constexpr TColorRange kColorRanges[] = {
    {4, 15, clJournalGreen},      {16, 23, clJournalHighlight}, {24, 39, clJournalRed},
    {40, 47, clJournalYellow},    {48, 51, clJournalRed},       {52, 53, clJournalYellow},
    {54, 63, clJournalHighlight}, {64, 69, clJournalYellow},    {70, 70, clJournalGreen},
    {71, 73, clJournalOlive},     {74, 76, clJournalLime},      {77, 77, clJournalCleared},
    {78, 83, clJournalLime},
};

TEST(JournalEventTable, EveryCodeFrom4To83HasItsTextAndClassColour) {
    int expectedCode = kFirstJournalCode;
    for (const TColorRange& range : kColorRanges) {
        for (int code = range.First; code <= range.Last; ++code, ++expectedCode) {
            ASSERT_EQ(code, expectedCode);
            const TJournalEventKind* kind = FindJournalEvent(static_cast<uint8_t>(code));
            ASSERT_NE(kind, nullptr) << code;
            EXPECT_EQ(kind->Code, code);
            EXPECT_EQ(kind->Color, range.Color) << code;
            EXPECT_FALSE(kind->Text.empty());
            EXPECT_NO_THROW(Utf8ToCp1251(kind->Text)) << code;
        }
    }
    EXPECT_EQ(expectedCode, kLastJournalCode + 1);
}

TEST(JournalEventTable, ColourWordsAreRedGreenBlueFromTheLowByte) {
    EXPECT_EQ(clJournalCleared & 0xFF, 121u);
    EXPECT_EQ((clJournalCleared >> 8) & 0xFF, 110u);
    EXPECT_EQ((clJournalCleared >> 16) & 0xFF, 183u);
    EXPECT_EQ(clJournalCleared, 12021369u);
    EXPECT_EQ(clJournalHighlight, 0xFF00000Du);
}

TEST(JournalEventTable, DecodesEntriesInsideAndOutsideTheTable) {
    const ByteString reply = "\x03\x04\x4D\x54\x34\x52";
    struct TCase {
        int Number;
        std::optional<uint8_t> Code;
        std::optional<std::string> TextUtf8;
        std::optional<uint32_t> Color;
    };
    const TCase cases[] = {
        {1, 3, std::nullopt, std::nullopt},
        {2, 4, "Вход в меню пользователя 1", clJournalGreen},
        {3, 77, "Очистка журнала событий", clJournalCleared},
        {4, 84, std::nullopt, std::nullopt},
        {5, 52, "Обрыв или КЗ выхода \"СЗО\"", clJournalYellow},
        {6, 82, "Переход на SIM 1", clJournalLime},
        {7, std::nullopt, std::nullopt, std::nullopt},  // beyond the reply
    };
    for (const TCase& c : cases) {
        const TJournalEvent event = DecodeJournalEntry(reply, c.Number);
        EXPECT_EQ(event.Number, c.Number);
        EXPECT_EQ(event.Code, c.Code) << c.Number;
        EXPECT_EQ(event.Text.has_value(), c.TextUtf8.has_value()) << c.Number;
        if (event.Text && c.TextUtf8) {
            EXPECT_EQ(Cp1251ToUtf8(*event.Text), *c.TextUtf8);
        }
        EXPECT_EQ(event.RowColor, c.Color) << c.Number;
    }
}

}  // namespace
