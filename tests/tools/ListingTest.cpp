#include <gtest/gtest.h>

#include "protocol/Cp1251.h"
#include "protocol/memory/MemoryJournalGrid.h"
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
