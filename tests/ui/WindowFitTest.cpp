#include <QAccessible>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

#include "tests/ui/WindowTestSupport.h"
#include "ui/InterfaceTranslations.h"

// Run once on a screen larger than the window and once on a field laptop's (1366 by 768 at 125 %,
// less a task bar); the test reads which from the screen it is given.
class TWindowFitTest : public QObject {
    Q_OBJECT

  private slots:
    void FitsTheScreenWithPanelAndProgressInView();
    void NoTextIsClipped_data();
    void NoTextIsClipped();
    void IsAnApplicationFrameForAssistiveTechnology();
};

namespace {

// Whether the widget lies wholly inside the window's client area.
bool InView(const QWidget& widget, const QWidget& window) {
    const QRect inWindow(widget.mapTo(&window, QPoint(0, 0)), widget.size());
    return window.rect().contains(inWindow);
}

}  // namespace

void TWindowFitTest::FitsTheScreenWithPanelAndProgressInView() {
    TTestWindow window;
    TForm1& form = *window.Form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QSize available = form.screen()->availableGeometry().size();
    const QSize pages = form.PageControl1.size();
    const bool small = available.height() < 700;

    QVERIFY(form.frameGeometry().height() <= available.height());
    QVERIFY(form.frameGeometry().width() <= available.width());
    QCOMPARE(pages.width() >= 689 && pages.height() >= 609, true);
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             &form.port, &form.baudrate, &form.Button1, &form.Button2, &form.ProgressBar1}) {
        QVERIFY2(InView(*control, form), qPrintable(control->objectName()));
    }
    QScrollArea* area =
        qobject_cast<QScrollArea*>(form.PageControl1.parentWidget()->parentWidget());
    QVERIFY(area != nullptr);
    QCOMPARE(area->verticalScrollBar()->isVisible(), small);
    QCOMPARE(InView(form.PageControl1, form), !small);
    if (small) {
        area->ensureWidgetVisible(&form.Server2);
        QVERIFY(area->viewport()->rect().contains(
            QRect(form.Server2.mapTo(area->viewport(), QPoint(0, 0)), form.Server2.size())));
    } else {
        QCOMPARE(form.ProgressBar1.width(), pages.width());
    }
}

void TWindowFitTest::NoTextIsClipped_data() {
    QTest::addColumn<QString>("code");
    QTest::newRow("Russian") << "ru";
    QTest::newRow("Ukrainian") << "uk";
}

void TWindowFitTest::NoTextIsClipped() {
    QFETCH(QString, code);
    const TInterfaceTranslations translations(*LanguageByCode(code.toStdString()));
    TTestWindow window;
    window.Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.Form.get()));
    const QStringList clipped = ClippedTexts(*window.Form);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
}

void TWindowFitTest::IsAnApplicationFrameForAssistiveTechnology() {
    TTestWindow window;
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.Form.get());
    QVERIFY(frame != nullptr);
    QCOMPARE(frame->role(), QAccessible::Window);
}

QTEST_MAIN(TWindowFitTest)
#include "WindowFitTest.moc"
