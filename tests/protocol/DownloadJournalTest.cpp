#include "protocol/DownloadJournal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "protocol/Cp1251.h"
#include "protocol/EConvertError.h"
#include "protocol/JournalEventTable.h"
#include "protocol/memory/MemoryJournalGrid.h"
#include "tests/protocol/LinkHarness.h"

namespace {

using Row = TMemoryJournalGrid::TRow;

class DownloadJournalTest : public testing::Test {
  protected:
    void SetUp() override { panel.Connect(); }

    std::vector<TJournalEvent> Download(const ByteString& reply, const ByteString& count) {
        panel.Replies = {{"?JRN;", {reply}}};
        return DownloadJournal(panel.Link, grid, count);
    }

    static Row Entry(int number, const std::string& textUtf8, uint32_t color) {
        return {std::to_string(number), Utf8ToCp1251(textUtf8), color};
    }

    TLinkHarness panel;
    TMemoryJournalGrid grid;
};

TEST_F(DownloadJournalTest, ShowsEachEntryWithItsNumberTextAndColour) {
    panel.Driver->Feed(std::string(500, '-') + "\x03");
    Download("\x10\x4D\x54\x30", "5");
    EXPECT_THAT(panel.Transcript(),
                testing::ElementsAreArray({"progress 0", "read 500", "send ?JRN;", "wait 200",
                                           "progress 20", "read 400", "progress 100", "wait 50",
                                           "progress 0"}));
    EXPECT_THAT(grid.Rows(),
                testing::ElementsAre(Row{Utf8ToCp1251("Номер"), Utf8ToCp1251("Событие"), {}},
                                     Row{"1", "", {}},  // code 3, left over from the flush
                                     Entry(2, "Включение ШС 1", clJournalHighlight),
                                     Entry(3, "Очистка журнала событий", clJournalCleared),
                                     Row{"4", "", {}},  // code 84
                                     Entry(5, "Охранная тревога в ШС 1", clJournalRed)));
    EXPECT_TRUE(panel.Link.JournalFlushBuffer.empty());
}

// The entries returned are the ones shown, codes outside the table and missing bytes included.
TEST_F(DownloadJournalTest, ReturnsTheEntriesItShowed) {
    const std::vector<TJournalEvent> entries = Download("\x54\x03", "3");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Code, 0x54);
    EXPECT_FALSE(entries[0].Text);
    EXPECT_EQ(entries[1].Code, 0x03);
    EXPECT_FALSE(entries[2].Code);
    EXPECT_EQ(entries[2].Number, 3);
}

TEST_F(DownloadJournalTest, CountSetsTheRowsWhateverTheReplyHolds) {
    const ByteString full(400, '\x04');
    struct TCase {
        ByteString Reply;
        ByteString Count;
        int Rows;
        int Filled;  // entries with a text
    };
    const TCase cases[] = {
        {full, "20", 21, 20},     {full, "5", 6, 5}, {full, "0", 1, 0},       {full, "-3", 1, 0},
        {full, "999", 1000, 400}, {"", "3", 4, 0},   {full, "$FF", 256, 255},
    };
    for (const TCase& c : cases) {
        Download(c.Reply, c.Count);
        ASSERT_EQ(grid.RowCount(), c.Rows) << c.Count;
        int filled = 0;
        for (int row = 1; row < c.Rows; ++row) {
            EXPECT_EQ(grid.Rows()[row].Number, std::to_string(row));
            filled += grid.Rows()[row].Color ? 1 : 0;
        }
        EXPECT_EQ(filled, c.Filled) << c.Count;
    }
}

TEST_F(DownloadJournalTest, SecondSmallerDownloadLeavesNothingOfTheFirst) {
    Download(ByteString(10, '\x18'), "10");
    Download("\x03\x50", "2");
    EXPECT_THAT(
        grid.Rows(),
        testing::ElementsAre(Row{Utf8ToCp1251("Номер"), Utf8ToCp1251("Событие"), {}},
                             Row{"1", "", {}}, Entry(2, "Отсутствие сигнала сети", clJournalLime)));
}

TEST_F(DownloadJournalTest, CountThatIsNoIntegerFailsAfterTheRead) {
    Download("\x04\x04\x04", "3");
    try {
        Download("\x04", "abc");
        FAIL();
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Rows()[0], Row{});
    EXPECT_EQ(panel.Progress.Position(), 20);
}

TEST_F(DownloadJournalTest, ClosedPortKeepsTheGrid) {
    Download("\x04", "1");
    panel.Port.Close();
    EXPECT_THROW(Download("\x05", "1"), ESerialPort);
    EXPECT_EQ(grid.Rows()[1], Entry(1, "Вход в меню пользователя 1", clJournalGreen));
    EXPECT_EQ(panel.Progress.Position(), 0);
}

}  // namespace
