#include <QAccessible>
#include <QTabBar>
#include <QtTest>

#include "tests/serial/DeviceErrors.h"
#include "tests/ui/WindowTestSupport.h"

// The window's start-up state, its controls' rules and the connection panel.
class TForm1Test : public QObject {
    Q_OBJECT

  private slots:
    void StartsWithDesignValues_data();
    void StartsWithDesignValues();
    void StartsDisconnectedWithTheListedPorts();
    void APortPluggedInLaterIsOfferedWhenTheListOpens();
    void ShowsOnlyTheTwoTabsForGood();
    void FillsTheGridsAtStartUp();
    void TypingStopsAtTheInputLimit_data();
    void TypingStopsAtTheInputLimit();
    void ProgramTextKeepsItsLengthAndStaysEditable();
    void RadioPairsAreIndependent();
    void TabOrderFollowsThePages();
    void EveryControlHasAnAccessibleName();
    void ConnectsToATypedPortAtTheSelectedSpeed();
    void FailedConnectStaysDisconnectedAndCanRetry();
    void RefusesASpeedOutsideTheList();
    void DisconnectReportsAFailedCloseButNotAPulledCable();
    void AVanishedDeviceEndsTheConnection_data();
    void AVanishedDeviceEndsTheConnection();
    void FailedPortListingStillOpensTheWindow();
};

void TForm1Test::StartsWithDesignValues_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::newRow("object code") << "CodObj"
                                 << "2222";
    QTest::newRow("period") << "TimePeriod"
                            << "5";
    QTest::newRow("sms 1") << "Edit7"
                           << "\"+380501234567\"";
    QTest::newRow("sms 2") << "Edit1"
                           << "\"+380671234567\"";
    QTest::newRow("apn 1") << "TochDost1"
                           << "internet";
    QTest::newRow("apn 2") << "TochDost2"
                           << "internet";
    QTest::newRow("server port 1") << "ServerPort1"
                                   << "7789";
    QTest::newRow("server port 2") << "ServerPort2"
                                   << "7790";
    QTest::newRow("local port 1") << "LocalPort1"
                                  << "7789";
    QTest::newRow("local port 2") << "LocalPort2"
                                  << "7790";
    QTest::newRow("journal count") << "Edit6"
                                   << "20";
    QTest::newRow("speed") << "baudrate"
                           << "115200";
    QTest::newRow("port") << "port"
                          << "/dev/ttyS0";
}

void TForm1Test::StartsWithDesignValues() {
    QFETCH(QString, control);
    QFETCH(QString, text);
    TTestWindow window;
    QWidget* widget = window.Form->findChild<QWidget*>(control);
    QVERIFY2(widget != nullptr, qPrintable(control));
    const QString shown = qobject_cast<QComboBox*>(widget)
                              ? qobject_cast<QComboBox*>(widget)->currentText()
                              : qobject_cast<QLineEdit*>(widget)->text();
    QCOMPARE(shown, text);
}

void TForm1Test::StartsDisconnectedWithTheListedPorts() {
    TTestWindow window;
    TForm1& form = *window.Form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Ирвен А4 Конфигуратор"));
    QCOMPARE(form.port.count(), 2);
    QCOMPARE(form.baudrate.count(), 15);
    QCOMPARE(form.baudrate.itemText(0), QStringLiteral("110"));
    QCOMPARE(form.baudrate.itemText(14), QStringLiteral("256000"));
    QCOMPARE(form.baudrate.currentIndex(), 12);
    QVERIFY(form.Button1.isEnabled() && form.port.isEnabled() && form.baudrate.isEnabled());
    QVERIFY(form.port.isEditable() && form.port.completer() != nullptr);
    QVERIFY(form.baudrate.isEditable() && form.baudrate.completer() != nullptr);
    QVERIFY(!form.Button2.isEnabled());
    QVERIFY(!form.CheckBox1.isChecked());
    QVERIFY(form.CheckBox2.isChecked());
    QVERIFY(form.RadioButton1.isChecked() && form.RadioButton4.isChecked());
    QCOMPARE(form.ProgressBar1.value(), 0);
    QVERIFY(window.Modal->Boxes.empty());
}

void TForm1Test::APortPluggedInLaterIsOfferedWhenTheListOpens() {
    TTestWindow window({"/dev/ttyS0"});
    TForm1& form = *window.Form;
    window.Ports->push_back({"/dev/ttyUSB0", "FT232R USB UART — FTDI"});
    for (const QString& typed : {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/pts/7")}) {
        form.port.setEditText(typed);
        form.port.showPopup();
        form.port.hidePopup();
        QCOMPARE(form.port.count(), 2);
        QCOMPARE(form.port.itemText(1), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(form.port.itemData(1, Qt::ToolTipRole).toString(),
                 QStringLiteral("FT232R USB UART — FTDI"));
        QVERIFY(!form.port.itemData(0, Qt::ToolTipRole).isValid());
        QCOMPARE(form.port.currentText(), typed);
    }
    QVERIFY(window.Modal->Boxes.empty());
}

void TForm1Test::ShowsOnlyTheTwoTabsForGood() {
    TTestWindow window;
    TForm1& form = *window.Form;
    QCOMPARE(form.PageControl1.count(), 3);
    QCOMPARE(form.PageControl1.currentWidget(), &form.TabSheet1);
    QStringList shown;
    for (int i = 0; i < form.PageControl1.count(); ++i) {
        if (form.PageControl1.isTabVisible(i)) {
            shown << form.PageControl1.tabText(i);
        }
    }
    QCOMPARE(shown, QStringList({"GPRS", "Коды событий"}));
    form.PageControl1.setCurrentIndex(2);
    QVERIFY(form.PageControl1.currentWidget() != &form.TabSheet4);
    QVERIFY(form.Button10.isEnabled());
}

void TForm1Test::FillsTheGridsAtStartUp() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.show();
    form.PageControl1.setCurrentWidget(&form.TabSheet2);
    for (TCodeGrid* grid : {&form.StringGrid2, &form.StringGrid3}) {
        QCOMPARE(grid->GridItem(0, 0).text(), QStringLiteral("Событие"));
        QCOMPARE(grid->GridItem(0, 1).text(), QStringLiteral("Пожар"));
        QCOMPARE(grid->GridItem(1, 1).text(), QStringLiteral("110"));
        QCOMPARE(grid->GridItem(1, 6).text(), QStringLiteral("000"));
        QCOMPARE(grid->GridItem(0, 25).text(), QStringLiteral("резерв"));
        QCOMPARE(grid->columnWidth(0), 150);
        QVERIFY(!(grid->GridItem(0, 3).flags() & Qt::ItemIsEditable));
        QVERIFY(grid->GridItem(1, 3).flags() & Qt::ItemIsEditable);
    }
    QCOMPARE(form.StringGrid2.GridItem(1, 0).text(), QStringLiteral("Код События"));
    QCOMPARE(form.StringGrid3.GridItem(1, 0).text(), QStringLiteral("Код Востановления"));
    QCOMPARE(form.StringGrid1.RowCount(), 3);
    QCOMPARE(form.StringGrid1.CellText(0, 0), QStringLiteral("Номер"));
    QCOMPARE(form.StringGrid1.CellText(1, 0), QStringLiteral("Событие"));
    QCOMPARE(form.StringGrid1.CellText(1, 1), QString());
}

void TForm1Test::TypingStopsAtTheInputLimit_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("limit");
    QTest::newRow("object code") << "CodObj" << 4;
    QTest::newRow("period") << "TimePeriod" << 3;
    QTest::newRow("local port 1") << "LocalPort1" << 5;
    QTest::newRow("local port 2") << "LocalPort2" << 5;
    QTest::newRow("journal count") << "Edit6" << 3;
    QTest::newRow("server port") << "ServerPort1" << 0;
    QTest::newRow("sms number") << "Edit7" << 0;
}

void TForm1Test::TypingStopsAtTheInputLimit() {
    QFETCH(QString, control);
    QFETCH(int, limit);
    TTestWindow window;
    auto* edit = window.Form->findChild<QLineEdit*>(control);
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("123456789012"));
    QCOMPARE(edit->text().size(), limit == 0 ? 12 : limit);
}

void TForm1Test::ProgramTextKeepsItsLengthAndStaysEditable() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.SettingsStore().SetText(TTextField::Sim1LocalPort, "123456");
    QCOMPARE(form.LocalPort1.text(), QStringLiteral("123456"));
    form.LocalPort1.end(false);
    QTest::keyClick(&form.LocalPort1, Qt::Key_7);
    QCOMPARE(form.LocalPort1.text(), QStringLiteral("123456"));
    QTest::keyClick(&form.LocalPort1, Qt::Key_Backspace);
    QCOMPARE(form.LocalPort1.text(), QStringLiteral("12345"));
}

void TForm1Test::RadioPairsAreIndependent() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.RadioButton2.click();
    QVERIFY(form.RadioButton2.isChecked() && !form.RadioButton1.isChecked());
    QVERIFY(form.RadioButton4.isChecked() && !form.RadioButton3.isChecked());
    form.RadioButton3.click();
    QVERIFY(form.RadioButton3.isChecked() && !form.RadioButton4.isChecked());
    QVERIFY(form.RadioButton2.isChecked());
    QCOMPARE(form.SettingsStore().Transport(TSim::Sim1), TTransport::UDP);
    QCOMPARE(form.SettingsStore().Transport(TSim::Sim2), TTransport::TCP);
}

namespace {

// What Tab gives focus to: a widget taking Tab focus and not handing it on to a proxy, shown when
// its page is (every page's controls count, the hidden journal page's too). A proxy's stop goes by
// the name of the widget that hands it focus, a stop without a name by its class.
bool IsTabStop(const TForm1& form, const QWidget& widget) {
    if ((widget.focusPolicy() & Qt::TabFocus) != Qt::TabFocus || widget.focusProxy() != nullptr) {
        return false;
    }
    for (const QWidget* page : {&form.TabSheet1, &form.TabSheet2, &form.TabSheet4}) {
        if (page->isAncestorOf(&widget)) {
            return widget.isVisibleTo(page);
        }
    }
    return widget.isVisibleTo(&form);
}

QString StopName(const QWidget& widget) {
    const QWidget* parent = widget.parentWidget();
    if (parent != nullptr && parent->focusProxy() == &widget) {
        return parent->objectName();
    }
    return widget.objectName().isEmpty() ? QString(widget.metaObject()->className())
                                         : widget.objectName();
}

}  // namespace

// The window's whole Tab cycle, every stop counted, from the page control round to it again.
void TForm1Test::TabOrderFollowsThePages() {
    TTestWindow window;
    const QStringList expected{
        "PageControl1", "Button3",     "Button4",      "Button5",      "Button6",     "CodObj",
        "TimePeriod",   "Edit7",       "CheckBox1",    "Edit1",        "CheckBox2",   "TochDost1",
        "ServerPort1",  "LocalPort1",  "RadioButton1", "RadioButton2", "Server1",     "TochDost2",
        "ServerPort2",  "LocalPort2",  "RadioButton3", "RadioButton4", "Server2",     "Button7",
        "Button8",      "Button9",     "Button11",     "StringGrid2",  "StringGrid3", "Edit6",
        "Button10",     "StringGrid1", "port",         "baudrate",     "Button1",     "Button2"};
    // Shown, so that what shows only when needed (the tab bar's scroll buttons) is laid out.
    window.Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.Form.get()));
    QStringList cycle;
    QWidget* widget = window.Form.get();
    do {
        widget = widget->nextInFocusChain();
        if (IsTabStop(*window.Form, *widget)) {
            cycle << StopName(*widget);
        }
    } while (widget != window.Form.get());
    const qsizetype first = cycle.indexOf("PageControl1");
    QVERIFY2(first >= 0, qPrintable(cycle.join(' ')));
    QCOMPARE(cycle.mid(first) + cycle.mid(0, first), expected);
}

void TForm1Test::EveryControlHasAnAccessibleName() {
    TTestWindow window;
    for (QWidget* widget : window.Form->findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty() || qobject_cast<QLabel*>(widget) ||
            widget->objectName().startsWith("TabSheet") || widget->objectName().startsWith("qt_") ||
            widget->objectName().startsWith("Scroll")) {
            continue;
        }
        QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
    }
    QCOMPARE(window.Form->port.accessibleName(), QStringLiteral("Порт"));
    QCOMPARE(window.Form->CodObj.accessibleName(), QStringLiteral("Код объекта"));
}

void TForm1Test::ConnectsToATypedPortAtTheSelectedSpeed() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.port.setEditText(QStringLiteral("/dev/pts/7"));
    form.baudrate.setCurrentIndex(6);
    form.Button1.click();
    QVERIFY(window.Modal->Boxes.empty());
    QCOMPARE(window.Driver->State().OpenedPort, std::string("/dev/pts/7"));
    QCOMPARE(form.SerialPort1.BaudRate(), br9600);
    QVERIFY(!form.Button1.isEnabled() && !form.port.isEnabled() && !form.baudrate.isEnabled());
    QVERIFY(form.Button2.isEnabled());
    form.Button2.click();
    QVERIFY(!window.Driver->State().Open);
    QVERIFY(form.Button1.isEnabled() && form.port.isEnabled() && !form.Button2.isEnabled());
}

void TForm1Test::FailedConnectStaysDisconnectedAndCanRetry() {
    TTestWindow window;
    TForm1& form = *window.Form;
    window.Driver->SetOpenOutcome("/dev/ttyS0", TOpenOutcome::ooNotFound);
    form.Button1.click();
    QCOMPARE(window.Modal->Boxes.size(), std::size_t(1));
    QCOMPARE(window.Modal->Boxes[0].Icon, QMessageBox::Critical);
    QVERIFY(form.Button1.isEnabled() && !form.Button2.isEnabled() && form.port.isEnabled());
    QCOMPARE(form.SerialPort1.Port(), std::string("/dev/ttyS0"));
    form.port.setCurrentIndex(1);
    form.Button1.click();
    QCOMPARE(window.Modal->Boxes.size(), std::size_t(1));
    QCOMPARE(window.Driver->State().OpenedPort, std::string("/dev/ttyS1"));
    QVERIFY(form.Button2.isEnabled());
}

void TForm1Test::RefusesASpeedOutsideTheList() {
    TTestWindow window;
    window.Form->baudrate.setEditText(QStringLiteral("31250"));
    window.Form->Button1.click();
    QCOMPARE(window.Modal->Boxes.size(), std::size_t(1));
    QVERIFY(window.Modal->Boxes[0].Text.contains("31250"));
    QCOMPARE(window.Driver->State().OpenCount, 0);
}

void TForm1Test::DisconnectReportsAFailedCloseButNotAPulledCable() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.Button1.click();
    window.Driver->FailNext("EscapeCommFunction");
    form.Button2.click();
    QVERIFY(form.Button1.isEnabled() && !form.Button2.isEnabled());
    QVERIFY(!form.SerialPort1.Connected());
    QCOMPARE(window.Modal->Boxes.size(), std::size_t(1));
    QVERIFY(window.Modal->Boxes[0].Text.startsWith("Помилка функції EscapeCommFunction"));

    // The exchange that meets the pulled cable says so; Disconnect afterwards adds nothing.
    form.Button1.click();
    window.Driver->HangUp();
    form.Button8.click();
    form.Button2.click();
    QCOMPARE(window.Modal->Boxes.size(), std::size_t(2));
    QVERIFY(window.Modal->Boxes[1].Text.startsWith("Помилка"));
    QVERIFY(form.Button1.isEnabled() && !form.Button2.isEnabled());
    QVERIFY(!form.SerialPort1.Connected());
}

namespace {

// The first of the platform's errors that does, or does not, mean the device has gone.
uint32_t PlatformError(bool removal) {
    for (const TDeviceError& error : PlatformDeviceErrors()) {
        if (error.Removal == removal) {
            return error.Code;
        }
    }
    throw std::logic_error("no such error");
}

}  // namespace

void TForm1Test::AVanishedDeviceEndsTheConnection_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("reading");
    QTest::addColumn<bool>("disconnected");
    QTest::newRow("idle, the cable pulled") << "hang-up" << false << true;
    QTest::newRow("idle, a removal error") << "removal" << false << true;
    QTest::newRow("reading, the cable pulled") << "hang-up" << true << true;
    QTest::newRow("reading, a removal error") << "removal" << true << true;
    QTest::newRow("reading, the device still there") << "failure" << true << false;
}

// Gone, the device is let go as Disconnect lets it go: idle without a word, during an exchange
// after its one error box. A port that only fails a transfer stays connected.
void TForm1Test::AVanishedDeviceEndsTheConnection() {
    QFETCH(QString, fault);
    QFETCH(bool, reading);
    QFETCH(bool, disconnected);
    TTestWindow window;
    TForm1& form = *window.Form;
    form.Button1.click();
    QVERIFY(form.SerialPort1.Connected());

    if (fault == "hang-up") {
        window.Driver->HangUp();
    } else {
        window.Driver->FailEveryCall(PlatformError(fault == "removal"));
    }
    if (reading) {
        form.Button3.click();
    }
    QTRY_COMPARE(!form.SerialPort1.Connected(), disconnected);
    QCOMPARE(form.Button1.isEnabled(), disconnected);
    QCOMPARE(form.Button2.isEnabled(), !disconnected);
    QCOMPARE(window.Modal->Boxes.size(), std::size_t(reading ? 1 : 0));
    QCOMPARE(window.Driver->State().Open, !disconnected);

    // The adapter plugged in again connects as a fresh one does.
    window.Driver->Reconnect();
    if (disconnected) {
        form.Button1.click();
        QVERIFY(form.SerialPort1.Connected() && form.Button2.isEnabled());
    }
}

void TForm1Test::FailedPortListingStillOpensTheWindow() {
    TTestWindow window({}, true);
    TForm1& form = *window.Form;
    QCOMPARE(window.Modal->Boxes.size(), std::size_t(1));
    QCOMPARE(window.Modal->Boxes[0].Text,
             QStringLiteral("Помилка звернення до системного реєстру."));
    QCOMPARE(form.port.count(), 0);
    QVERIFY(form.Button1.isEnabled() && form.Button2.isEnabled());
    QCOMPARE(form.StringGrid2.GridItem(1, 1).text(), QString());
    form.Button2.click();
    QVERIFY(!form.Button2.isEnabled());
    QCOMPARE(window.Modal->Boxes.size(), std::size_t(1));
    form.port.setEditText(QStringLiteral("/dev/pts/3"));
    form.Button1.click();
    QCOMPARE(window.Driver->State().OpenedPort, std::string("/dev/pts/3"));
}

QTEST_MAIN(TForm1Test)
#include "Form1Test.moc"
