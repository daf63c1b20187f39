#include <QtTest>
#include <stdexcept>

#include "protocol/ECodeTableInvalid.h"
#include "ui/HandlerRules.h"

// The rules the window's handlers run under, without a window: what runs, in which order, and
// that nothing the rules do to the window happens while they still count a handler as running.
class THandlerRulesTest : public QObject {
    Q_OBJECT

  private slots:
    void OneHandlerAtATimeAndWhatWaitsForItsEnd_data();
    void OneHandlerAtATimeAndWhatWaitsForItsEnd();
};

void THandlerRulesTest::OneHandlerAtATimeAndWhatWaitsForItsEnd_data() {
    QTest::addColumn<QString>("raises");
    QTest::addColumn<int>("syncWakes");
    QTest::addColumn<bool>("closeAsked");
    QTest::addColumn<bool>("secondHandler");
    QTest::addColumn<QStringList>("trace");
    const QString error = QStringLiteral("error Помилка запису в порт");
    const QString warning =
        QStringLiteral("warning Код в ячейке \"Неисправность ИП\"  должен быть равным 3 символам");
    QTest::newRow("quiet") << "" << 0 << false << false
                           << QStringList{"body", "ended", "idle", "sync"};
    QTest::newRow("error shown after the end")
        << "error" << 0 << false << false << QStringList{"body", error, "ended", "idle", "sync"};
    QTest::newRow("code-table warning") << "warning" << 0 << false << false
                                        << QStringList{"body", warning, "ended", "idle", "sync"};
    QTest::newRow("anything else raised")
        << "unknown" << 0 << false << false
        << QStringList{"body", "error Неизвестная ошибка", "ended", "idle", "sync"};
    QTest::newRow("second handler refused")
        << "" << 0 << false << true << QStringList{"body", "ended", "idle", "sync"};
    QTest::newRow("synchronised calls served once at the end")
        << "" << 2 << false << false << QStringList{"body", "sync", "ended", "idle", "sync"};
    QTest::newRow("synchronised calls before the error box")
        << "error" << 1 << false << false
        << QStringList{"body", "sync", error, "ended", "idle", "sync"};
    QTest::newRow("close after the warning box")
        << "warning" << 0 << true << false
        << QStringList{"body", warning, "ended", "close", "idle", "sync"};
    QTest::newRow("all at once") << "error" << 1 << true << true
                                 << QStringList{"body",  "sync", error, "ended",
                                                "close", "idle", "sync"};
}

void THandlerRulesTest::OneHandlerAtATimeAndWhatWaitsForItsEnd() {
    QFETCH(QString, raises);
    QFETCH(int, syncWakes);
    QFETCH(bool, closeAsked);
    QFETCH(bool, secondHandler);
    QFETCH(QStringList, trace);
    QStringList done;
    std::optional<THandlerRules> rules;
    // What the rules have the window do, marked when it happens during a handler.
    const auto record = [&](const QString& what) {
        done << (rules->Busy() ? what + QStringLiteral(" (busy)") : what);
    };
    rules.emplace(THandlerRules::TWindow{
        [&] { record(QStringLiteral("sync")); }, [&] { record(QStringLiteral("close")); },
        [&](const QString& message) { record(QStringLiteral("error ") + message); },
        [&](const QString& message) { record(QStringLiteral("warning ") + message); },
        [&] { record(QStringLiteral("ended")); }});

    rules->Run([&] {
        done << QStringLiteral("body");
        for (int wake = 0; wake < syncWakes; ++wake) {
            rules->SyncCallsWaiting();
        }
        if (closeAsked) {
            QVERIFY(!rules->CloseNow());
        }
        if (secondHandler) {
            rules->Run([&] { done << QStringLiteral("second"); });
        }
        if (raises == QLatin1String("error")) {
            throw std::runtime_error("Помилка запису в порт");
        }
        if (raises == QLatin1String("warning")) {
            throw ECodeTableInvalid(7, "Неисправность ИП");
        }
        if (raises == QLatin1String("unknown")) {
            throw 42;
        }
    });
    QVERIFY(!rules->Busy());
    QVERIFY(!rules->SyncCallsHeld());
    done << QStringLiteral("idle");
    rules->SyncCallsWaiting();
    QVERIFY(rules->CloseNow());
    QCOMPARE(done, trace);
}

QTEST_GUILESS_MAIN(THandlerRulesTest)
#include "HandlerRulesTest.moc"
