// Taking the slate away as a CSV file: the save dialog, the wait window, the messages, and
// what the chosen file holds after a success or a failure.

#include "FileSizeLimit.h"
#include "TestSupport.h"
#include "gui/dialogs/Splash.h"
#include "gui/widgets/StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>
#include <functional>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace
{

const QString kDone = "正常にファイルの保存が完了しました。\n保存先："; // and the file
const QString kEmpty = "保存する対象のデータがありません。";
const QString kProgramData = "このフォルダーにはプログラムのデータがあるため保存できません。";

// Acts on the save dialog once it is shown and running.
class DialogDriver : public QObject
{
public:
    explicit DialogDriver(std::function<void(QFileDialog *)> act) : m_act(std::move(act))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            m_timer.stop();
            m_seen = true;
            m_act(dialog);
        });
        m_timer.start(10);
    }
    bool seen() const { return m_seen; }

private:
    std::function<void(QFileDialog *)> m_act;
    QTimer m_timer;
    bool m_seen = false;
};

// Records the texts the wait window showed.
class SplashWatcher : public QObject
{
public:
    explicit SplashWatcher(TSplashForm *splash) : m_splash(splash)
    {
        splash->installEventFilter(this);
    }
    QStringList shown;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_splash && event->type() == QEvent::Show)
            shown << control<QLabel>(*m_splash, "lblTitle")->text();
        return false;
    }

private:
    TSplashForm *m_splash;
};

} // namespace

class TestCsvExport : public WindowTest
{
    Q_OBJECT
private slots:
    void cancelShowsNothing();
    void emptySlate_data();
    void emptySlate();
    void replacesTheFileWithWhatASaveAppends();
    void nameWithoutExtensionGetsCsv();
    void unwritableTarget_data();
    void unwritableTarget();
    void refusesTheProgramsOwnFolders_data();
    void refusesTheProgramsOwnFolders();
    void refusesALinkToTheProgramsFiles_data();
    void refusesALinkToTheProgramsFiles();

private:
    void prepare() override;
    // Runs the menu command and chooses `path` in the dialog; returns the folder it opened in.
    QString exportTo(const QString &path);
};

void TestCsvExport::prepare()
{
    startWindow();
    QCOMPARE(control<QLineEdit>(*m_form, "editNewNum")->text(), QString("2038"));
}

QString TestCsvExport::exportTo(const QString &path)
{
    QString opened;
    DialogDriver driver([path, &opened](QFileDialog *dialog) {
        opened = dialog->directory().absolutePath();
        // the file name field of Qt's own file dialog
        control<QLineEdit>(*dialog, "fileNameEdit")->setText(path); // as the player types it
        QMetaObject::invokeMethod(dialog, "accept");                // what the Save button does
    });
    control<QAction>(*m_form, "menuFileCsvSave")->trigger();
    return driver.seen() ? opened : QStringLiteral("(no dialog)");
}

void TestCsvExport::cancelShowsNothing()
{
    TMainForm &form = *m_form;
    decide(form, {3, 11, 17, 25, 38, 42});
    SplashWatcher splash(splashWindow(form));
    MessageBoxWatcher boxes;
    QString title, proposed, suffix;
    QStringList filters;
    bool native = true;
    DialogDriver driver([&](QFileDialog *dialog) {
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        suffix = dialog->defaultSuffix();
        native = !dialog->testOption(QFileDialog::DontUseNativeDialog);
        proposed = control<QLineEdit>(*dialog, "fileNameEdit")->text();
        dialog->reject();
    });
    control<QAction>(form, "menuFileCsvSave")->trigger();
    QVERIFY(driver.seen());
    QCOMPARE(title, QString("CSVファイルに名前を付けて保存"));
    QCOMPARE(filters, QStringList{"CSVファイル (カンマ区切り) (*.csv)"});
    QCOMPARE(suffix, QString("csv"));
    QCOMPARE(proposed, QString("2038"));
#ifdef Q_OS_WIN
    QVERIFY(native); // Windows' own dialog for the players there (Qt's where none exists)
#else
    QVERIFY(!native);
#endif
    QVERIFY(boxes.boxes().isEmpty());
    QVERIFY(splash.shown.isEmpty());
    QCOMPARE(QDir(m_folder->file("client")).entryList(QDir::Files), QStringList());

    // After the window's life only the program's own settings remain: the dialog kept none.
    m_form->close();
    m_form.reset();
    QCOMPARE(folderSnapshot(m_settingsDir->path()).keys(), QStringList{"Pelmora/Loto6Yorune.ini"});
}

void TestCsvExport::emptySlate_data()
{
    QTest::addColumn<QByteArray>("existing"); // null for no file
    QTest::newRow("new file") << QByteArray();
    QTest::newRow("existing file") << QByteArray("kept,as,it,was\r\n");
}

void TestCsvExport::emptySlate()
{
    QFETCH(QByteArray, existing);
    if (!existing.isNull())
        m_folder->write("out.csv", existing);
    SplashWatcher splash(splashWindow(*m_form));
    MessageBoxWatcher boxes;
    bool waitShownBehind = false; // the message stands alone
    boxes.whileShown([&] { waitShownBehind |= splashWindow(*m_form)->isVisible(); });
    exportTo(m_folder->file("out.csv"));
    QCOMPARE(splash.shown, QStringList{"CSVファイルに出力中です。"});
    QVERIFY(!splashWindow(*m_form)->isVisible());
    QVERIFY(!waitShownBehind);
    QCOMPARE(boxes.texts(), QStringList{kEmpty});
    QCOMPARE(boxes.boxes().first().caption, QString("ガイドメッセージ"));
    QCOMPARE(QFile::exists(m_folder->file("out.csv")), !existing.isNull());
    QCOMPARE(m_folder->read("out.csv"), existing.isNull() ? QByteArray() : existing);
}

void TestCsvExport::replacesTheFileWithWhatASaveAppends()
{
    TMainForm &form = *m_form;
    decide(form, {3, 11, 17, 25, 38, 42});
    decide(form, {1, 2, 3, 4, 5, 43});
    m_folder->write("out.csv", QByteArray(200, 'x') + "\r\n"); // longer than the new content
    SplashWatcher splash(splashWindow(form));
    MessageBoxWatcher boxes;
    bool waitShownBehind = false;
    boxes.whileShown([&] { waitShownBehind |= splashWindow(form)->isVisible(); });
    exportTo(m_folder->file("out.csv"));
    QCOMPARE(splash.shown, QStringList{"CSVファイルに出力中です。"});
    QVERIFY(!waitShownBehind);
    QCOMPARE(boxes.texts(),
             QStringList{kDone + QDir::toNativeSeparators(m_folder->file("out.csv"))});
    QCOMPARE(boxes.boxes().first().caption, QString("ガイドメッセージ"));
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Information);
    const QByteArray exported = m_folder->read("out.csv");
    QCOMPARE(exported, QByteArray("2038,03,11,17,25,38,42\r\n2038,01,02,03,04,05,43\r\n"));
    QCOMPARE(control<StringGrid>(form, "gridSelectItem")->rowCount(), 2); // the slate stays
    QVERIFY(!heldProperties(form).contains("lastSavedFolder"));           // the page's own

    control<QPushButton>(form, "btnSave")->click();
    QCOMPARE(m_folder->read("client/2038.csv"), exported);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{"out.csv"});
}

void TestCsvExport::nameWithoutExtensionGetsCsv()
{
    decide(*m_form, {1, 2, 3, 4, 5, 6});
    MessageBoxWatcher boxes;
    exportTo(m_folder->file("take"));
    QCOMPARE(boxes.texts(),
             QStringList{kDone + QDir::toNativeSeparators(m_folder->file("take.csv"))});
    QCOMPARE(m_folder->read("take.csv"), QByteArray("2038,01,02,03,04,05,06\r\n"));
    QVERIFY(!QFile::exists(m_folder->file("take")));
}

void TestCsvExport::unwritableTarget_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("folder is a file") << "notafolder/out.csv" << false;
#ifdef Q_OS_UNIX
    QTest::newRow("disk full") << "out.csv" << true;
#endif
}

void TestCsvExport::unwritableTarget()
{
    QFETCH(QString, target);
    QFETCH(bool, diskFull);
    TMainForm &form = *m_form;
    decide(form, {3, 11, 17, 25, 38, 42});
    decide(form, {1, 2, 3, 4, 5, 43});
    const QByteArray old = "old content\r\n";
    m_folder->write("notafolder", old);
    m_folder->write("out.csv", old);
    MessageBoxWatcher boxes;
    {
#ifdef Q_OS_UNIX
        std::unique_ptr<FileSizeLimit> limit;
        if (diskFull)
            limit = std::make_unique<FileSizeLimit>(30); // the export needs 48 bytes
#else
        Q_UNUSED(diskFull); // a full disk only where a file size limit can stand for it
#endif
        exportTo(m_folder->file(target));
    }
    QCOMPARE(boxes.boxes().size(), 1);
    QCOMPARE(boxes.boxes().first().caption, QString("ロト６ヨルネ"));
    QCOMPARE(boxes.boxes().first().icon, QMessageBox::Critical);
    QVERIFY2(boxes.texts().first().contains("out.csv"), qPrintable(boxes.texts().first()));
    QVERIFY(!splashWindow(form)->isVisible());
    QCOMPARE(m_folder->read("notafolder"), old);
    QCOMPARE(m_folder->read("out.csv"), old);
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files),
             (QStringList{"notafolder", "out.csv"})); // no temporary file left behind
}

void TestCsvExport::refusesTheProgramsOwnFolders_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("a ticket file") << "client/2038.csv";
    QTest::newRow("a new file in client") << "client/take.csv";
    QTest::newRow("a results file") << "download/Loto6Data.csv";
}

// Nothing is written where the program keeps its own files. The dialog opens in the player's
// documents, then where the last export went, not where a refused one pointed.
void TestCsvExport::refusesTheProgramsOwnFolders()
{
    QFETCH(QString, target);
#ifdef Q_OS_WIN
    // Windows keeps the documents folder in the user's profile.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
#else
    QTemporaryDir home;     // with a documents folder of its own
    QVERIFY(QDir(home.path()).mkdir("Documents"));
    const QString documents = home.filePath("Documents");
    const bool hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QFile dirs(home.filePath("user-dirs.dirs"));
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"" + documents.toUtf8() + "\"\n");
    dirs.close();
    const auto restore = qScopeGuard([&] {
        if (!hadConfig)
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig);
    });
#endif

    TMainForm &form = *m_form;
    decide(form, {1, 2, 3, 4, 5, 6});
    m_folder->write("client/2038.csv", "2038,07,08,09,10,11,12\r\n2038,13,14,15,16,17,18\r\n");
    const auto before = folderSnapshot(m_folder->path());
    MessageBoxWatcher boxes;
    QCOMPARE(exportTo(m_folder->file(target)), documents);
    QCOMPARE(boxes.texts(), QStringList{kProgramData});
    QCOMPARE(folderSnapshot(m_folder->path()), before);

    exportTo(m_folder->file("out.csv"));
    QCOMPARE(exportTo(m_folder->file(target)), QDir(m_folder->path()).absolutePath());
    const QString done = kDone + QDir::toNativeSeparators(m_folder->file("out.csv"));
    QCOMPARE(boxes.texts(), (QStringList{kProgramData, done, kProgramData}));
    auto after = folderSnapshot(m_folder->path());
    QVERIFY(after.remove("out.csv") == 1);
    QCOMPARE(after, before);
}

void TestCsvExport::refusesALinkToTheProgramsFiles_data()
{
    QTest::addColumn<QString>("reached");
    QTest::newRow("a ticket file") << "client/2038.csv";
    QTest::newRow("claimed.csv") << "client/claimed.csv";
    QTest::newRow("the draw list") << "download/Loto6Number.csv";
}

// A name outside the program's folders that is another name of one of its files is refused as the
// file itself, and nothing changes.
void TestCsvExport::refusesALinkToTheProgramsFiles()
{
    QFETCH(QString, reached);
    TMainForm &form = *m_form;
    decide(form, {1, 2, 3, 4, 5, 6});
    m_folder->write("client/2038.csv", "2038,07,08,09,10,11,12\r\n");
    m_folder->write("client/claimed.csv", "2037,07,08,09,10,11,12,2025/09/30\r\n");
    QTemporaryDir elsewhere;
    const QString link = elsewhere.filePath("take.csv");
#ifdef Q_OS_WIN
    // On Windows the other name of a file is a hard link (a shortcut is a file of its own).
    QVERIFY(CreateHardLinkW(reinterpret_cast<const wchar_t *>(link.utf16()),
                            reinterpret_cast<const wchar_t *>(m_folder->file(reached).utf16()),
                            nullptr));
#else
    QVERIFY(QFile::link(m_folder->file(reached), link));
#endif
    const auto before = folderSnapshot(m_folder->path());
    MessageBoxWatcher boxes;
    exportTo(link);
    QCOMPARE(boxes.texts(), QStringList{kProgramData});
    QCOMPARE(folderSnapshot(m_folder->path()), before);
}

QTEST_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
