#include <QtTest>

#include "tests/ui/WindowTestSupport.h"

// The page buttons run their exchanges over the window's controls, convert at its edge, and show
// what they raise.
class TExchangeTest : public QObject {
    Q_OBJECT

  private slots:
    void ReadingFillsThePageFromThePanel();
    void WritingSendsThePageInWindows1251();
    void TextWithoutAWindows1251FormNamesItsField();
    void SecondClickDuringAReadStartsNoOverlappingExchange();
    void LineEventDeliveriesWaitForTheExchangeToEnd();
    void CloseDuringAnExchangeWaitsForItsEnd();
    void UploadRefusedWithAWarningNamingTheRow();
    void DownloadFillsTheCodeColumn();
    void JournalDownloadColoursTheEventCells();
    void ExchangeWithThePortClosedShowsTheReadError();
};

namespace {

// Answers each query the way a panel would, immediately.
void AnswerQueries(TFakeSerialDriver& driver, std::map<ByteString, ByteString> replies) {
    driver.OnWrite = [&driver, replies](const ByteString& written) {
        const auto reply = replies.find(written);
        if (reply != replies.end()) {
            driver.Feed(reply->second);
        }
    };
}

int CountOf(const std::vector<ByteString>& writes, const ByteString& frame) {
    return static_cast<int>(std::count(writes.begin(), writes.end(), frame));
}

}  // namespace

void TExchangeTest::ReadingFillsThePageFromThePanel() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.Button1.click();
    AnswerQueries(*window.Driver, {{"?A1;", "\xE8\xED\xF2\xE5\xF0\xED\xE5\xF2"},
                                   {"?OC;", "123456"},
                                   {"?PT;", "\x0F"},
                                   {"?MR;", "\x01"},
                                   {"?T2;", "\x01"}});
    form.Button3.click();
    QVERIFY(window.Modal->Boxes.empty());
    QCOMPARE(form.TochDost1.text(), QStringLiteral("интернет"));
    QCOMPARE(form.CodObj.text(), QStringLiteral("123456"));
    QCOMPARE(form.TimePeriod.text(), QStringLiteral("15"));
    QCOMPARE(form.Server1.text(), QString());
    QVERIFY(form.CheckBox1.isChecked());
    QVERIFY(form.RadioButton3.isChecked());
    QCOMPARE(form.ProgressBar1.value(), 0);
    QVERIFY(!window.Clock->Waits().empty());
}

void TExchangeTest::WritingSendsThePageInWindows1251() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.Button1.click();
    form.TochDost2.setText(QStringLiteral("київ"));
    form.Button4.click();
    QVERIFY(window.Modal->Boxes.empty());
    const std::vector<ByteString> writes = window.Driver->State().Writes;
    QCOMPARE(CountOf(writes, "t\xEA\xE8\xBF\xE2;"), 1);
    QCOMPARE(writes.back(), ByteString("!WR;"));
}

void TExchangeTest::TextWithoutAWindows1251FormNamesItsField() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.Button1.click();
    form.Server2.setText(QStringLiteral("10.0.0.1中"));
    form.Button4.click();
    QCOMPARE(window.Modal->Boxes.size(), std::size_t(1));
    const QString text = window.Modal->Boxes[0].Text;
    QVERIFY2(text.contains("IP адресс сервера 2") && text.contains("U+4E2D"), qPrintable(text));
    QVERIFY(window.Driver->State().Writes.empty());
}

void TExchangeTest::SecondClickDuringAReadStartsNoOverlappingExchange() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.Button1.click();
    window.Clock->OnSleep = [&form](uint32_t) {
        QVERIFY(form.Busy());
        form.Button3.click();
        form.Button4.click();
        form.Button2.click();
    };
    form.Button3.click();
    window.Clock->OnSleep = nullptr;
    const std::vector<ByteString> writes = window.Driver->State().Writes;
    QCOMPARE(CountOf(writes, "?S1;"), 1);
    QCOMPARE(CountOf(writes, "?BD;"), 1);
    QCOMPARE(CountOf(writes, "!WR;"), 0);
    QVERIFY(form.SerialPort1.Connected());
    form.Button3.click();
    QCOMPARE(CountOf(window.Driver->State().Writes, "?S1;"), 2);
}

void TExchangeTest::LineEventDeliveriesWaitForTheExchangeToEnd() {
    TTestWindow window;
    TForm1& form = *window.Form;
    int delivered = 0;
    bool deliveredWhileBusy = false;
    form.SerialPort1.SetOnRing([&](TSerialPort&) {
        ++delivered;
        deliveredWhileBusy = deliveredWhileBusy || form.Busy();
    });
    form.Button1.click();
    window.Clock->OnSleep = [&](uint32_t) {
        window.Driver->RaiseLineEvents(256);
        QVERIFY(QTest::qWaitFor([&] { return form.SyncCallsHeld() || delivered > 0; }, 5000));
    };
    form.Button7.click();
    QCOMPARE(delivered, 1);
    QVERIFY(!deliveredWhileBusy);
}

void TExchangeTest::CloseDuringAnExchangeWaitsForItsEnd() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.show();
    form.Button1.click();
    bool closedDuringWait = false;
    window.Clock->OnSleep = [&](uint32_t) {
        form.close();
        closedDuringWait = closedDuringWait || !form.isVisible();
    };
    form.Button8.click();
    QVERIFY(!closedDuringWait);
    QVERIFY(!form.isVisible());
    QCOMPARE(CountOf(window.Driver->State().Writes, "?EC;"), 1);
}

void TExchangeTest::UploadRefusedWithAWarningNamingTheRow() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.Button1.click();
    form.StringGrid3.GridItem(1, 7).setText(QStringLiteral("3011"));
    form.Button9.click();
    QCOMPARE(window.Modal->Boxes.size(), std::size_t(1));
    const TShownBox& box = window.Modal->Boxes[0];
    QCOMPARE(box.Title, QStringLiteral("Warning"));
    QCOMPARE(box.Icon, QMessageBox::Warning);
    QCOMPARE(box.Buttons, QStringList({"OK", "Cancel"}));
    QCOMPARE(box.Text,
             QStringLiteral("Код в ячейке \"Неисправность ИП\"  должен быть равным 3 символам"));
    QVERIFY(window.Driver->State().Writes.empty());
    form.Button7.click();
    QCOMPARE(window.Driver->Written().size(), std::size_t(76));
}

void TExchangeTest::DownloadFillsTheCodeColumn() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.Button1.click();
    AnswerQueries(*window.Driver, {{"?RC;",
                                    "1\xC0"
                                    "2345"}});
    form.Button11.click();
    QCOMPARE(form.StringGrid3.GridItem(1, 1).text(), QStringLiteral("1А2"));
    QCOMPARE(form.StringGrid3.GridItem(1, 2).text(), QStringLiteral("345"));
    QCOMPARE(form.StringGrid3.GridItem(1, 3).text(), QString());
    QCOMPARE(form.StringGrid3.GridItem(1, 0).text(), QStringLiteral("Код Востановления"));
    QCOMPARE(form.StringGrid3.GridItem(0, 1).text(), QStringLiteral("Пожар"));
    QCOMPARE(form.StringGrid2.GridItem(1, 1).text(), QStringLiteral("110"));
}

void TExchangeTest::JournalDownloadColoursTheEventCells() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.Button1.click();
    AnswerQueries(*window.Driver, {{"?JRN;", ByteString("\x20\x4D\x03\x10", 4)}});
    form.Edit6.setText(QStringLiteral("5"));
    form.Button10Click();
    QVERIFY(window.Modal->Boxes.empty());
    TJournalGridView& grid = form.StringGrid1;
    QCOMPARE(grid.RowCount(), 6);
    QCOMPARE(grid.CellText(1, 1), QStringLiteral("Пожар в ШС 1"));
    QCOMPARE(grid.RowColor(1), std::optional<uint32_t>(0x000000FF));
    QCOMPARE(grid.RowColor(2), std::optional<uint32_t>(0x00B76E79));
    QCOMPARE(grid.CellText(1, 3), QString());
    QCOMPARE(grid.RowColor(3), std::nullopt);
    QCOMPARE(grid.RowColor(4), std::optional<uint32_t>(0xFF00000D));
    QCOMPARE(grid.CellText(0, 5), QStringLiteral("5"));
}

void TExchangeTest::ExchangeWithThePortClosedShowsTheReadError() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.Button8.click();
    QCOMPARE(window.Modal->Boxes.size(), std::size_t(1));
    QCOMPARE(window.Modal->Boxes[0].Text, QStringLiteral("Помилка читання з порта."));
    QCOMPARE(window.Modal->Boxes[0].Title, QStringLiteral("Ирвен А8 Конфигуратор"));
    QVERIFY(form.Button1.isEnabled() && !form.Button2.isEnabled());
    QCOMPARE(form.StringGrid2.GridItem(1, 1).text(), QStringLiteral("110"));
}

QTEST_MAIN(TExchangeTest)
#include "ExchangeTest.moc"
