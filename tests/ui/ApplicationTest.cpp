#include <QAbstractButton>
#include <QtTest>

#include "ui/ConfiguratorApplication.h"
#include "ui/MessageBoxes.h"

// The application's title and icon, and Qt's own texts in the system language.
class TApplicationTest : public QObject {
    Q_OBJECT

  private slots:
    void TitlesDifferAndQtSpeaksTheSystemLanguage();
};

void TApplicationTest::TitlesDifferAndQtSpeaksTheSystemLanguage() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Ukraine));
    TConfiguratorApplication configurator(*qApp);
    QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Ирвен А8 Конфигуратор"));
    QCOMPARE(TForm1::Caption, QStringLiteral("Ирвен А4 Конфигуратор"));
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.irven.Configurator"));
    const QList<QSize> iconSizes = QApplication::windowIcon().availableSizes();
    QVERIFY2(iconSizes.contains(QSize(16, 16)) && iconSizes.contains(QSize(256, 256)),
             qPrintable(QStringLiteral("icon sizes: %1").arg(iconSizes.size())));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Перейти к:"));
    const auto warning = MakeValidationWarning(QStringLiteral("x"), nullptr);
    QStringList buttons;
    for (QAbstractButton* button : warning->buttons()) {
        buttons << button->text();
    }
    buttons.sort();
    QCOMPARE(buttons, QStringList({"Cancel", "OK"}));
    QCOMPARE(warning->windowTitle(), QStringLiteral("Warning"));
}

QTEST_MAIN(TApplicationTest)
#include "ApplicationTest.moc"
