#include <QAbstractButton>
#include <QDir>
#include <QtTest>
#include <memory>

#include "ui/ConfiguratorApplication.h"
#include "ui/LazyIconEngine.h"
#include "ui/MessageBoxes.h"

// The application's title and icon, and Qt's own texts in the system language.
class TApplicationTest : public QObject {
    Q_OBJECT

  private slots:
    void TitlesDifferAndQtSpeaksTheSystemLanguage();
    void LazyIconDrawsWhatAPlainIconDraws_data();
    void LazyIconDrawsWhatAPlainIconDraws();
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

void TApplicationTest::LazyIconDrawsWhatAPlainIconDraws_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("mode");
    QTest::newRow("smallest exactly") << QSize(16, 16) << int(QIcon::Normal);
    QTest::newRow("below the smallest") << QSize(8, 8) << int(QIcon::Normal);
    QTest::newRow("between two") << QSize(40, 40) << int(QIcon::Normal);
    QTest::newRow("just above one") << QSize(49, 49) << int(QIcon::Normal);
    QTest::newRow("largest exactly") << QSize(256, 256) << int(QIcon::Normal);
    QTest::newRow("above the largest") << QSize(300, 300) << int(QIcon::Normal);
    QTest::newRow("not square") << QSize(64, 20) << int(QIcon::Normal);
    QTest::newRow("disabled") << QSize(32, 32) << int(QIcon::Disabled);
    QTest::newRow("selected, between two") << QSize(100, 100) << int(QIcon::Selected);
}

void TApplicationTest::LazyIconDrawsWhatAPlainIconDraws() {
    QFETCH(QSize, size);
    QFETCH(int, mode);
    const QDir pictures(QStringLiteral(":/icons"));
    QStringList files;
    QIcon plain;
    for (const QString& name : pictures.entryList(QDir::Files)) {
        files.append(pictures.filePath(name));
        plain.addFile(files.back());
    }
    QVERIFY(files.size() > 1);
    const QIcon lazy(std::make_unique<TLazyIconEngine>(files).release());
    const auto iconMode = static_cast<QIcon::Mode>(mode);
    QCOMPARE(lazy.availableSizes(), plain.availableSizes());
    QCOMPARE(lazy.actualSize(size, iconMode), plain.actualSize(size, iconMode));
    const QImage drawn = lazy.pixmap(size, iconMode).toImage();
    QVERIFY(!drawn.isNull());
    QCOMPARE(drawn, plain.pixmap(size, iconMode).toImage());
    // Asked again after others have been decoded, it still picks the same picture.
    lazy.pixmap(QSize(256, 256), iconMode);
    lazy.pixmap(QSize(16, 16), iconMode);
    QCOMPARE(lazy.pixmap(size, iconMode).toImage(), drawn);
}

QTEST_MAIN(TApplicationTest)
#include "ApplicationTest.moc"
