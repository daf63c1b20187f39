#include <gtest/gtest.h>

#include "protocol/Cp1251.h"
#include "protocol/EventCodeTable.h"
#include "protocol/LoadDefaultCodes.h"
#include "protocol/memory/MemoryCodeTableGrid.h"
#include "protocol/memory/MemoryJournalGrid.h"
#include "tools/cli/CodeTableCsv.h"
#include "tools/cli/JournalListing.h"
#include "tools/cli/LineEscape.h"
#include "tools/cli/SettingsListing.h"

namespace {

TEST(SettingsListing, DefaultsPrintAsTheRecordOrdersThem) {
    TMemorySettingsStore settings;
    const std::string listed = ListAllSettings(settings);
    const TGprsSettings& d = settings.Settings();
    EXPECT_EQ(listed, "ObjectCode=2222\nTestPeriod=5\nSmsNumber1=" + d.SmsNumber1 +
                          "\nSmsNumber2=" + d.SmsNumber2 +
                          "\nSmsMode=off\nGprsMode=on\n"
                          "Sim1.Apn=internet\nSim1.ServerAddress=" +
                          d.Sim1.ServerAddress +
                          "\nSim1.ServerPort=7789\nSim1.LocalPort=7789\nSim1.Transport=TCP\n"
                          "Sim2.Apn=internet\nSim2.ServerAddress=" +
                          d.Sim2.ServerAddress +
                          "\nSim2.ServerPort=7790\nSim2.LocalPort=7790\nSim2.Transport=UDP\n");
}

TEST(SettingsListing, TextFieldsAloneLeaveOutFlagsAndTransports) {
    TMemorySettingsStore settings;
    settings.SetText(TTextField::Sim2Apn, Utf8ToCp1251("точка"));
    const std::string listed = ListTextSettings(settings);
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 12);
    EXPECT_EQ(listed.find("Mode="), std::string::npos);
    EXPECT_EQ(listed.find("Transport="), std::string::npos);
    EXPECT_NE(listed.find("\nSim2.Apn=точка\n"), std::string::npos);
}

TEST(LineEscape, KeepsEveryValueOnOneLine) {
    const struct {
        std::string Raw;
        std::string Escaped;
    } cases[] = {
        {"192.0.2.1", "192.0.2.1"},
        {"OK\r\n", "OK\\x0D\\x0A"},
        {"a\tb", "a\\x09b"},
        {"C:\\x", "C:\\\\x"},
        {"\x7F", "\\x7F"},
        // C1 controls, U+0098 among them: the byte Windows-1251 leaves undefined.
        {"a\u0098b", "a\\x98b"},
        {"\u0080\u009F", "\\x80\\x9F"},
        {Cp1251ToUtf8("\x98"), "\\x98"},
        // The neighbours of the C1 range and a lone lead byte stay as they are.
        {"\u00A0\u00BB", "\u00A0\u00BB"},
        {"\xC2", "\xC2"},
        {"Пожар", "Пожар"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeForLine(c.Raw), c.Escaped) << c.Raw;
    }
}

TEST(JournalListing, ColourNames) {
    const struct {
        uint32_t Word;
        const char* Name;
    } cases[] = {
        {clJournalGreen, "#008000"},   {clJournalHighlight, "highlight"},
        {clJournalRed, "#ff0000"},     {clJournalYellow, "#ffff00"},
        {clJournalOlive, "#808000"},   {clJournalLime, "#00ff00"},
        {clJournalCleared, "#796eb7"}, {0xFF000005, "system-5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColourName(c.Word), c.Name) << std::hex << c.Word;
    }
}

std::vector<TJournalEvent> SampleEntries() {
    return {DecodeJournalEntry(ByteString("\x34\x03\x4D", 3), 1),
            DecodeJournalEntry(ByteString("\x34\x03\x4D", 3), 2),
            DecodeJournalEntry(ByteString("\x34\x03\x4D", 3), 3),
            DecodeJournalEntry(ByteString("\x34\x03\x4D", 3), 4)};
}

TEST(JournalListing, TabSeparatedLines) {
    EXPECT_EQ(ListJournal(SampleEntries()),
              "1\t52\tОбрыв или КЗ выхода \"СЗО\"\t#ffff00\n"
              "2\t3\t\t\n"
              "3\t77\tОчистка журнала событий\t#796eb7\n"
              "4\t\t\t\n");
}

TEST(JournalListing, CsvQuotesTextsThatHoldQuotes) {
    EXPECT_EQ(ListJournalCsv(SampleEntries()),
              "number,code,text,colour\r\n"
              "1,52,\"Обрыв или КЗ выхода \"\"СЗО\"\"\",#ffff00\r\n"
              "2,3,,\r\n"
              "3,77,Очистка журнала событий,#796eb7\r\n"
              "4,,,\r\n");
}

// Codes that need quoting, a C1 byte and Cyrillic all come back as they went out.
TEST(CodeTableCsv, RoundTrip) {
    TMemoryCodeTableGrid grid;
    TEventCodeTable table(TCodeTableKind::Restore, grid);
    LoadDefaultCodes(table);
    const std::vector<ByteString> odd = {
        "1,2", "\"a\"", "x;y", "\r\n!", "\x98\x00z", Utf8ToCp1251("ЖЖЖ"), ""};
    for (size_t i = 0; i < odd.size(); ++i) {
        table.SetCode(static_cast<int>(i) + 1, odd[i]);
    }
    const std::string csv = CodeTableCsv(grid);
    const std::string head = "\xEF\xBB\xBFrow,event,code\r\n1,Пожар,\"1,2\"\r\n";
    EXPECT_EQ(csv.substr(0, head.size()), head);
    const std::vector<ByteString> codes = ParseCodeTableCsv(csv);
    ASSERT_EQ(codes.size(), 25u);
    for (int row = 1; row <= 25; ++row) {
        EXPECT_EQ(codes[static_cast<size_t>(row - 1)], table.Code(row)) << row;
    }
}

std::string Rows(int from, int to, const char* separator = ",") {
    std::string rows;
    for (int row = from; row <= to; ++row) {
        rows += std::to_string(row) + separator + "e" + separator + "0" + (row < 10 ? "0" : "") +
                std::to_string(row) + "\n";
    }
    return rows;
}

TEST(CodeTableCsv, WhatSpreadsheetsWriteIsAccepted) {
    const std::string cases[] = {
        "row,event,code\n" + Rows(1, 25),
        "\xEF\xBB\xBFстрока;событие;код\r\n" + Rows(1, 25, ";"),
        "h;e;c\n" + Rows(1, 12, ";") + "\n;;\n" + Rows(13, 25, ";") + "\n\n",
        "h,e,c\n" + Rows(1, 24) + "25,\"e\",\"025\"",
    };
    for (const std::string& text : cases) {
        try {
            const std::vector<ByteString> codes = ParseCodeTableCsv(text);
            EXPECT_EQ(codes.at(0), "001");
            EXPECT_EQ(codes.at(24), "025");
        } catch (const ECodeTableCsv& error) {
            ADD_FAILURE() << error.what() << "\n" << text;
        }
    }
}

TEST(CodeTableCsv, RefusalsNameTheLine) {
    const struct {
        std::string Text;
        const char* Message;
    } cases[] = {
        {"", "строка 1: "},
        {"row event code\n" + Rows(1, 25), "строка 1: "},
        {"h,e,c\n" + Rows(1, 24), "строка 25: "},
        {"h,e,c\n", "строка 1: "},
        {"h,e,c\n" + Rows(1, 25) + "26,e,000\n", "строка 27: "},
        {"h,e,c\n" + Rows(1, 3) + Rows(5, 25), "строка 5: "},
        {"h,e,c\n" + Rows(0, 25), "строка 2: "},
        {"h,e,c\n" + Rows(1, 2) + "3,e\n" + Rows(4, 25), "строка 4: "},
        {"h,e,c\n" + Rows(1, 2) + "3,e,000,\n" + Rows(4, 25), "строка 4: "},
        {"h;e;c\n" + Rows(1, 25), "строка 2: "},
        {"h,e,c\n" + Rows(1, 9) + "10,e,\"01\n" + Rows(11, 25), "строка 11: "},
        {"h,e,c\n" + Rows(1, 9) + "10,e,\"01\"0\n" + Rows(11, 25), "строка 11: "},
        {"h,e,c\n" + Rows(1, 6) + "7,e,€€€\n" + Rows(8, 25), ""},
        {"h,e,c\n" + Rows(1, 6) + "7,e,\u4e2d\n" + Rows(8, 25), "строка 8: "},
        {"h,e,c\n" + Rows(1, 6) + "7,e,\xD0\n" + Rows(8, 25), "строка 8: "},
    };
    for (const auto& c : cases) {
        try {
            ParseCodeTableCsv(c.Text);
            EXPECT_STREQ(c.Message, "") << c.Text;
        } catch (const ECodeTableCsv& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.Message, 0), 0u) << error.what() << "\n"
                                                                         << c.Text;
            EXPECT_STRNE(c.Message, "") << error.what();
        }
    }
}

TEST(MemoryJournalGrid, BehavesAsTheJournalNeeds) {
    TMemoryJournalGrid grid;
    EXPECT_EQ(grid.RowCount(), 3);
    grid.SetRowCount(6);
    grid.SetCellText(1, 5, "x");
    grid.SetRowColor(5, clJournalRed);
    grid.Clear();
    EXPECT_EQ(grid.RowCount(), 6);
    EXPECT_EQ(grid.CellText(1, 5), "");
    EXPECT_FALSE(grid.RowColor(5));
    grid.SetRowCount(-4);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_THROW(grid.SetCellText(0, 1, "1"), std::out_of_range);
}

}  // namespace
