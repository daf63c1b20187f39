#include "ui/UserGuide.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <vector>

// F1 opens the guide of the interface's language wherever the program runs from.
class TUserGuideTest : public QObject {
    Q_OBJECT

  private slots:
    void F1OpensTheGuideOfTheLanguage_data();
    void F1OpensTheGuideOfTheLanguage();
};

namespace {

class TRecordingOpener final : public TGuideOpener {
  public:
    void Open(const QUrl& url) override { Opened.push_back(url); }
    std::vector<QUrl> Opened;
};

// Both languages' guides in the folder, so that the wrong one is found if it is looked for.
void PlaceGuides(const QString& folder) {
    QVERIFY(QDir().mkpath(folder));
    for (const char* code : {"ru", "uk"}) {
        QFile guide(QDir(folder).filePath(QStringLiteral("guide-%1.html").arg(code)));
        QVERIFY(guide.open(QIODevice::WriteOnly));
        guide.write(code);
    }
}

}  // namespace

void TUserGuideTest::F1OpensTheGuideOfTheLanguage_data() {
    QTest::addColumn<QString>("code");
    // The program's folder and the guide's, relative to a folder of the test's own; an absolute
    // program folder is the build tree itself, whose guide the build has made.
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("guides");
    const QString built = QStringLiteral(IRVEN_BUILD_DIR "/ui");
    for (const char* code : {"ru", "uk"}) {
        const QString language = QString::fromLatin1(code);
        QTest::addRow("%s beside the program", code) << language << "Конфігуратор"
                                                     << "Конфігуратор";
        QTest::addRow("%s installed", code) << language << "usr/bin"
                                            << "usr/share/doc/irven-configurator";
        QTest::addRow("%s in a build tree", code) << language << "build/ui"
                                                  << "build/docs/guide";
        QTest::addRow("%s in this build", code) << language << built << QString();
    }
}

void TUserGuideTest::F1OpensTheGuideOfTheLanguage() {
    QFETCH(QString, code);
    QFETCH(QString, program);
    QFETCH(QString, guides);
    QTemporaryDir root;
    const QDir base(root.path());
    if (!guides.isEmpty()) {
        PlaceGuides(base.filePath(guides));
        QVERIFY(QDir().mkpath(base.filePath(program)));
    }
    const QString programDirectory = base.filePath(program);
    const QString expected = QDir(guides.isEmpty() ? QStringLiteral(IRVEN_BUILD_DIR "/docs/guide")
                                                   : base.filePath(guides))
                                 .filePath(QStringLiteral("guide-%1.html").arg(code));
    QWidget window;
    auto opener = std::make_shared<TRecordingOpener>();
    const TUserGuide guide(window, *LanguageByCode(code.toStdString()), opener, programDirectory);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    QCOMPARE(opener->Opened.size(), std::size_t{1});
    const QString opened = opener->Opened.front().toLocalFile();
    QCOMPARE(QFileInfo(opened).canonicalFilePath(), QFileInfo(expected).canonicalFilePath());
    QVERIFY2(QFileInfo(opened).isFile(), qPrintable(opened));
}

QTEST_MAIN(TUserGuideTest)
#include "UserGuideTest.moc"
