#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/Cp1251.h"
#include "protocol/DownloadCodeTable.h"
#include "protocol/ECodeTableInvalid.h"
#include "protocol/LoadDefaultCodes.h"
#include "protocol/UploadCodeTable.h"
#include "protocol/memory/MemoryCodeTableGrid.h"
#include "tests/protocol/LinkHarness.h"

namespace {

using testing::ElementsAreArray;

const std::string kDefaultCodes =
    "110118130373571000301311137627305520000000000000000000000000000000000000000";

class CodeTableTest : public testing::TestWithParam<TCodeTableKind> {
  protected:
    void SetUp() override { panel.Connect(); }

    std::string Codes() const {
        std::string codes;
        for (int row = 1; row <= TEventCodeTable::Rows; ++row) {
            codes += table.Code(row) + "|";
        }
        return codes;
    }

    TLinkHarness panel;
    TMemoryCodeTableGrid grid;
    TEventCodeTable table{GetParam(), grid};
    bool events = GetParam() == TCodeTableKind::Events;
};

TEST_P(CodeTableTest, StartUpFillWritesHeadersNamesAndDefaults) {
    LoadDefaultCodes(table);
    EXPECT_EQ(Cp1251ToUtf8(grid.Cell(0, 0)), "Событие");
    EXPECT_EQ(Cp1251ToUtf8(grid.Cell(1, 0)), events ? "Код События" : "Код Востановления");
    EXPECT_EQ(grid.ColumnWidth(0), 150);
    EXPECT_EQ(Cp1251ToUtf8(grid.Cell(0, 1)), "Пожар");
    EXPECT_EQ(Cp1251ToUtf8(grid.Cell(0, 16)), "Переход ШС на L1");
    EXPECT_EQ(Cp1251ToUtf8(grid.Cell(0, 25)), "резерв");
    std::string codes;
    for (int row = 1; row <= TEventCodeTable::Rows; ++row) {
        codes += table.Code(row);
    }
    EXPECT_EQ(codes, kDefaultCodes);
}

TEST_P(CodeTableTest, UploadSendsTheLetterAndEachCodeThenClosesTheBar) {
    LoadDefaultCodes(table);
    UploadCodeTable(panel.Link, table);
    std::vector<std::string> expected = {events ? "send C" : "send R"};
    for (std::size_t i = 0; i < kDefaultCodes.size(); i += 3) {
        expected.push_back("send " + kDefaultCodes.substr(i, 3));
    }
    if (!events) {
        expected.push_back("send ;");
    }
    expected.insert(expected.end(), {"progress 100", "wait 100", "progress 0"});
    EXPECT_THAT(panel.Transcript(), ElementsAreArray(expected));
    EXPECT_EQ(panel.Driver->Written().size(), events ? 76u : 77u);
}

TEST_P(CodeTableTest, UploadRefusesTheFirstCodeThatIsNot3Characters) {
    struct TCase {
        std::vector<std::pair<int, ByteString>> Codes;
        std::string Warning;  // empty: the upload goes through
    };
    const TCase cases[] = {
        {{{7, "30"}}, "Код в ячейке \"Неисправность ИП\"  должен быть равным 3 символам"},
        {{{7, "3011"}}, "Код в ячейке \"Неисправность ИП\"  должен быть равным 3 символам"},
        {{{7, ""}, {3, "1"}}, "Код в ячейке \"Тревога\"  должен быть равным 3 символам"},
        {{{25, "   "}, {1, "abc"}, {2, "\xC0\xC1\xC2"}}, ""},
    };
    for (const TCase& c : cases) {
        LoadDefaultCodes(table);
        panel.Driver->ClearWrites();
        for (const auto& [row, code] : c.Codes) {
            table.SetCode(row, code);
        }
        try {
            UploadCodeTable(panel.Link, table);
            EXPECT_EQ(c.Warning, "");
            EXPECT_EQ(panel.Driver->State().Writes.size(), events ? 26u : 27u);
        } catch (const ECodeTableInvalid& warning) {
            EXPECT_EQ(warning.what(), c.Warning);
            EXPECT_TRUE(panel.Driver->State().Writes.empty());
        }
    }
}

TEST_P(CodeTableTest, UnfilledTableNamesNobodyInTheWarning) {
    EXPECT_THROW(
        try { UploadCodeTable(panel.Link, table); } catch (const ECodeTableInvalid& warning) {
            EXPECT_STREQ(warning.what(), "Код в ячейке \"\"  должен быть равным 3 символам");
            throw;
        },
        ECodeTableInvalid);
}

TEST_P(CodeTableTest, DownloadReplacesEveryCodeWithItsSliceOfTheReply) {
    const std::string reply75 = kDefaultCodes.substr(0, 72) + "999";
    struct TCase {
        ByteString Reply;
        std::string Codes;
    };
    const TCase cases[] = {
        {reply75,
         "110|118|130|373|571|000|301|311|137|627|305|520|000|000|000|000|000|000|000|"
         "000|000|000|000|000|999|"},
        {reply75 + "ignored",
         "110|118|130|373|571|000|301|311|137|627|305|520|000|000|000|000|"
         "000|000|000|000|000|000|000|000|999|"},
        {reply75.substr(0, 40),
         "110|118|130|373|571|000|301|311|137|627|305|520|000|0||||||||||||"},
        {"", "|||||||||||||||||||||||||"},
    };
    for (const TCase& c : cases) {
        LoadDefaultCodes(table);
        panel.Replies = {{table.Query(), {c.Reply}}};
        DownloadCodeTable(panel.Link, table);
        EXPECT_EQ(Codes(), c.Codes);
        EXPECT_EQ(Cp1251ToUtf8(grid.Cell(1, 0)), events ? "Код События" : "Код Востановления");
        EXPECT_EQ(Cp1251ToUtf8(grid.Cell(0, 11)), "Сброс Прибора");
    }
    EXPECT_THROW(UploadCodeTable(panel.Link, table), ECodeTableInvalid);
}

TEST_P(CodeTableTest, DownloadFlushesAsksWaitsAndReads) {
    panel.Driver->Feed(std::string(200, '-') + "110");
    DownloadCodeTable(panel.Link, table);
    const std::string query = events ? "send ?EC;" : "send ?RC;";
    EXPECT_THAT(panel.Transcript(), ElementsAreArray({"progress 0", "read 200", query.c_str(),
                                                      "wait 700", "progress 20", "read 200",
                                                      "progress 100", "wait 100", "progress 0"}));
    EXPECT_EQ(table.Code(1), "110");
}

TEST_P(CodeTableTest, TransferErrorsKeepWhatTheRulesSay) {
    LoadDefaultCodes(table);
    panel.Port.Close();
    EXPECT_THROW(UploadCodeTable(panel.Link, table), ESerialPort);
    EXPECT_THROW(DownloadCodeTable(panel.Link, table), ESerialPort);
    EXPECT_EQ(table.Code(1), "110");  // the download failed at its opening flush

    panel.Connect();
    panel.OnSend = [this](const ByteString&) { panel.Driver->FailNext("ReadFile"); };
    panel.Replies = {{table.Query(), {kDefaultCodes}}};
    EXPECT_THROW(DownloadCodeTable(panel.Link, table), ESerialPort);
    EXPECT_EQ(Codes(), "|||||||||||||||||||||||||");
    EXPECT_EQ(panel.Progress.Position(), 20);
}

INSTANTIATE_TEST_SUITE_P(BothTables, CodeTableTest,
                         testing::Values(TCodeTableKind::Events, TCodeTableKind::Restore));

}  // namespace
