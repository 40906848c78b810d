// The About box and the two Help menu commands that hand a document to the desktop.

#include "TestSupport.h"
#include "gui/dialogs/About.h"

#include <BuildInfo.h>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QUrl>

// Stands in for the desktop: records what it is asked to open, opens nothing.
class OpenRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened.append(url); }
};

class TestAbout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void showsVersionOnEveryShowing();
    void layoutOfTheBox();
    void helpCommandsOpenTheirDocuments();
    void manualThatCannotBeOpenedIsNamed_data();
    void manualThatCannotBeOpenedIsNamed();

private:
    QTemporaryDir m_settingsDir;
    OpenRecorder m_desktop;
};

void TestAbout::initTestCase()
{
    isolateSettings(m_settingsDir);
    for (const char *scheme : {"file", "http", "https"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), &m_desktop, "open");
}

void TestAbout::cleanupTestCase()
{
    for (const char *scheme : {"file", "http", "https"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
}

void TestAbout::showsVersionOnEveryShowing()
{
    ProgramFolder folder;
    TMainForm form(folder.path());
    form.show();
    auto *about = topLevelControl<TAboutForm>("AboutForm");
    QVERIFY(!about->isVisible());

    for (int showing = 1; showing <= 2; ++showing) {
        QString seen;
        bool wasModal = false;
        QTimer::singleShot(0, about, [&] {
            wasModal = QApplication::activeModalWidget() == about;
            seen = control<QLabel>(*about, "lblVersion")->text();
            QTest::keyClick(about, Qt::Key_Return); // Enter presses OK
        });
        control<QAction>(form, "menuHelpAbout")->trigger();
        QVERIFY2(wasModal, "the About box was not shown modally");
        QCOMPARE(seen, QString("Version 2.3.1.504"));
        QCOMPARE(control<QLabel>(*about, "lblDataFolder")->text().remove('\n'),
                 "データの保存先：" + QDir::toNativeSeparators(folder.path()));
        QVERIFY(!about->isVisible());
        QCOMPARE(about->result(), int(QDialog::Accepted));
    }
}

void TestAbout::layoutOfTheBox()
{
    TAboutForm about([] { return QString(); });
    about.show();
    QCOMPARE(about.objectName(), QString("AboutForm"));
    QCOMPARE(about.windowTitle(), QString("バージョン情報"));
    QCOMPARE(about.size(), QSize(577, 319));
    QCOMPARE(control<QLabel>(about, "lblVersion")->text(),
             QString("Version ")); // no version text: "Version " alone
    QVERIFY(control<QLabel>(about, "lblProductName")->text().endsWith("【ロト６ヨルネ】"));
    QCOMPARE(control<QLabel>(about, "lblAppName")->text(), QString("Loto6 Yorune"));
    auto *ok = control<QPushButton>(about, "OKButton");
    QCOMPARE(ok->geometry(), QRect(493, 284, 75, 25));
    QVERIFY(ok->isDefault());
    auto *copy = control<QFrame>(about, "pnlCopy");
    QCOMPARE(copy->geometry(), QRect(12, 152, 537, 93));
    QCOMPARE(copy->parentWidget(), control<QFrame>(about, "Panel1"));
    QVERIFY(!control<QLabel>(about, "ProgramIcon")->pixmap().isNull());
    for (const char *name : {"lblNotice1", "lblNotice2", "lblNotice3"}) {
        auto *line = control<QLabel>(*copy, name);
        QVERIFY2(!line->text().isEmpty(), name);
        // every notice line fits its panel
        QVERIFY2(line->fontMetrics().horizontalAdvance(line->text()) <= copy->width(), name);
    }
}

// The manual is the PDF in the program folder; the home page is the address the build was
// given.
void TestAbout::helpCommandsOpenTheirDocuments()
{
    ProgramFolder folder;
    folder.write("操作手順書.pdf", "%PDF-1.4\n");
    TMainForm form(folder.path());
    MessageBoxWatcher watcher;
    m_desktop.opened.clear();
    control<QAction>(form, "menuHelpManual")->trigger();
    QCOMPARE(m_desktop.opened.size(), 1);
    QVERIFY(m_desktop.opened.first().isLocalFile());
    QCOMPARE(m_desktop.opened.first().toLocalFile(), folder.path() + "操作手順書.pdf");
    QCOMPARE(watcher.texts(), QStringList());

    m_desktop.opened.clear();
    const QString homePage = QStringLiteral(LOTO6_HOME_PAGE);
    QCOMPARE(control<QAction>(form, "menuHelpHomePage")->isEnabled(), !homePage.isEmpty());
    control<QAction>(form, "menuHelpHomePage")->trigger();
    QCOMPARE(m_desktop.opened, homePage.isEmpty() ? QList<QUrl>{} : QList<QUrl>{QUrl(homePage)});
}

// A manual that cannot be opened, missing or refused by the desktop (no program for PDF
// files), is named with its folder in a warning.
void TestAbout::manualThatCannotBeOpenedIsNamed_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << false << "ファイルが見つかりません。";
    QTest::newRow("no viewer") << true << "PDF ファイルを開くプログラムがないようです。";
}

void TestAbout::manualThatCannotBeOpenedIsNamed()
{
    QFETCH(bool, present);
    QFETCH(QString, reason);
    ProgramFolder folder;
    if (present)
        folder.write("操作手順書.pdf", "%PDF-1.4\n");
    TMainForm form(folder.path());
    MessageBoxWatcher watcher;
    // A handler without that slot: the desktop refuses, as Windows does without a PDF viewer.
    QDesktopServices::setUrlHandler("file", &m_desktop, "refuse");
    control<QAction>(form, "menuHelpManual")->trigger();
    QDesktopServices::setUrlHandler("file", &m_desktop, "open");
    QCOMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().icon, QMessageBox::Warning);
    const QString file = QDir::toNativeSeparators(folder.path() + "操作手順書.pdf");
    QCOMPARE(watcher.boxes().first().text, "操作手順書を開けませんでした。" + reason +
                                               "\n\nファイル：" + file + "\nフォルダ：" +
                                               file.left(file.lastIndexOf(QDir::separator())));
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
