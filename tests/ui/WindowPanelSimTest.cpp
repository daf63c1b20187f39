#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <csignal>
#include <fstream>
#include <optional>

#include "serial/PlatformSerialDriver.h"
#include "testing/OpenDescriptors.h"
#include "testing/PanelSim.h"
#include "tests/ui/WindowTestSupport.h"
#include "ui/WindowClock.h"

// The window against the simulated panel on a pseudo-terminal, with its real waits: every
// exchange through its button, the frames checked in the simulator's log.
class TWindowPanelSimTest : public QObject {
    Q_OBJECT

  private slots:
    void ExchangesWithThePanel();
    void AHungUpTerminalEndsTheConnection_data();
    void AHungUpTerminalEndsTheConnection();
};

namespace {

// The hex of every frame the panel received, in order.
std::vector<std::string> ReceivedFrames(const QString& logPath) {
    std::ifstream log(logPath.toStdString());
    std::vector<std::string> frames;
    const std::string key = "\"hex\": \"";
    for (std::string line; std::getline(log, line);) {
        if (line.find("\"dir\": \"rx\"") == std::string::npos) {
            continue;
        }
        const std::size_t start = line.find(key) + key.size();
        frames.push_back(line.substr(start, line.find('"', start) - start));
    }
    return frames;
}

std::string Hex(const ByteString& bytes) {
    return QByteArray::fromStdString(bytes).toHex().toStdString();
}

int CountOf(const std::vector<std::string>& frames, const ByteString& frame) {
    return static_cast<int>(std::count(frames.begin(), frames.end(), Hex(frame)));
}

// The window as the program makes it, with the platform's serial driver and real waits.
TForm1Services PanelServices(const QTemporaryDir& directory,
                             std::shared_ptr<TScriptedModal> modal) {
    TForm1Services services;
    services.SerialDriver = PlatformSerialDriver();
    services.ListPorts = [](std::vector<TPortEntry>&) {};
    services.SettingsDirectory = directory.path().toStdString();
    services.ProgramDirectory = services.SettingsDirectory;
    services.Modal = std::move(modal);
    services.Clock = std::make_shared<TWindowClock>();
    return services;
}

void Connect(TForm1& form, const TPanelSim& sim) {
    form.port.setEditText(QString::fromStdString(sim.Path()));
    form.Button1.click();
}

}  // namespace

void TWindowPanelSimTest::ExchangesWithThePanel() {
    QTemporaryDir directory;
    const QString logPath = directory.filePath("wire.jsonl");
    TPanelSim sim({"--log", logPath.toStdString()});

    auto modal = std::make_shared<TScriptedModal>();
    TForm1 form(PanelServices(directory, modal));
    form.show();
    Connect(form, sim);
    QVERIFY(form.Button2.isEnabled());

    // While the read waits, the window keeps running its timers; a second click is refused.
    int ticks = 0;
    bool busyOnClick = false;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, &form, [&] {
        if (++ticks == 3) {
            busyOnClick = form.Busy();
            QTest::mouseClick(&form.Button3, Qt::LeftButton);
        }
    });
    ticker.start(500);
    form.Button3.click();
    ticker.stop();
    QVERIFY(ticks >= 15);
    QVERIFY(busyOnClick);
    QCOMPARE(form.Server1.text(), QStringLiteral("192.0.2.10"));
    QCOMPARE(form.ServerPort2.text(), QStringLiteral("7790"));
    QCOMPARE(form.TimePeriod.text(), QStringLiteral("5"));
    QVERIFY(form.RadioButton4.isChecked());

    form.CodObj.setText(QStringLiteral("7777"));
    form.TochDost1.setText(QStringLiteral("київ"));
    form.TimePeriod.setText(QStringLiteral("30"));
    form.RadioButton2.click();
    form.Button4.click();

    form.StringGrid2.GridItem(1, 1).setText(QString());
    form.Button8.click();
    form.Button11.click();
    QCOMPARE(form.StringGrid2.GridItem(1, 1).text(), QStringLiteral("110"));
    QCOMPARE(form.StringGrid3.GridItem(1, 12).text(), QStringLiteral("520"));

    form.Edit6.setText(QStringLiteral("4"));
    form.Button10Click();
    QCOMPARE(form.StringGrid1.RowCount(), 5);
    QCOMPARE(form.StringGrid1.CellText(1, 1), QStringLiteral("Очистка журнала событий"));
    QCOMPARE(form.StringGrid1.RowColor(1), std::optional<uint32_t>(0x00B76E79));
    QVERIFY(modal->Boxes.empty());
    QCOMPARE(form.ProgressBar1.value(), 0);

    const std::vector<std::string> frames = ReceivedFrames(logPath);
    QCOMPARE(CountOf(frames, "?S1;"), 1);
    QCOMPARE(CountOf(frames, "?BD;"), 1);
    QCOMPARE(CountOf(frames, "O7777;"), 1);
    QCOMPARE(CountOf(frames, "T\xEA\xE8\xBF\xE2;"), 1);
    QCOMPARE(CountOf(frames, ByteString("N\x02;")), 1);
    QCOMPARE(CountOf(frames, ByteString("q\x1E;")), 1);
    QCOMPARE(CountOf(frames, "!WR;"), 1);
    QCOMPARE(CountOf(frames, "?EC;"), 1);
    QCOMPARE(CountOf(frames, "?RC;"), 1);
    QCOMPARE(frames.back(), Hex("?JRN;"));
}

void TWindowPanelSimTest::AHungUpTerminalEndsTheConnection_data() {
    QTest::addColumn<bool>("reading");
    QTest::newRow("idle") << false;
    QTest::newRow("during a read") << true;
}

// The panel's terminal hangs up, as a pulled adapter does: the window lets the device go and a
// panel on a fresh terminal connects.
void TWindowPanelSimTest::AHungUpTerminalEndsTheConnection() {
    QFETCH(bool, reading);
    QTemporaryDir directory;
    auto modal = std::make_shared<TScriptedModal>();
    TForm1 form(PanelServices(directory, modal));
    form.show();
    std::optional<TPanelSim> sim(std::in_place);
    const std::string path = sim->Path();
    Connect(form, *sim);
    QVERIFY(form.Button2.isEnabled());

    if (reading) {
        QTimer::singleShot(1200, &form, [&sim] { sim->Stop(SIGKILL); });
        form.Button3.click();
    } else {
        QVERIFY(sim->Stop(SIGKILL).has_value());
    }
    QTRY_VERIFY_WITH_TIMEOUT(form.Button1.isEnabled() && !form.Button2.isEnabled(), 5000);
    QVERIFY(!form.SerialPort1.Connected());
    QCOMPARE(modal->Boxes.size(), std::size_t(reading ? 1 : 0));
    QCOMPARE(DescriptorsOpenOn(path), 0);

    TPanelSim fresh;
    Connect(form, fresh);
    QVERIFY(form.SerialPort1.Connected() && form.Button2.isEnabled());
    QVERIFY(modal->Boxes.size() == std::size_t(reading ? 1 : 0));
}

QTEST_MAIN(TWindowPanelSimTest)
#include "WindowPanelSimTest.moc"
