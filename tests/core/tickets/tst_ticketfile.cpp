// The ticket files on disk: naming, appending, listing, removing one line, deleting.

#include "../../common/FileSizeLimit.h"
#include "core/common/DomainError.h"
#include "core/common/FileErrors.h"
#include "core/tickets/SavedLines.h"
#include "core/tickets/TicketWrite.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{

QByteArray readBytes(const QString &path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &data)
{
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(data);
}

QStringList cellsOf(const char *line)
{
    return QString::fromLatin1(line).split(QLatin1Char(','));
}

} // namespace

class TestTicketFile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void plainDrawNumber_data();
    void plainDrawNumber();
    void ticketFileName_data();
    void ticketFileName();
    void appendCreatesAndAppends();
    void appendEndsAnUnfinishedLastLine();
    void failedAppendChangesNothing_data();
    void failedAppendChangesNothing();
    void fullDiskKeepsTheFile();
    void removeOneLine_data();
    void removeOneLine();
    void removeRefusesAnOutdatedList();
    void cancelAllKeepsEveryOtherLine_data();
    void cancelAllKeepsEveryOtherLine();
    void secondFileFailingRestoresTheFirst();
    void killedSaveIsCompletedAtStart_data();
    void killedSaveIsCompletedAtStart();
    void exportTargetReachingProgramData_data();
    void exportTargetReachingProgramData();
    void cancelAllRefusesLinesNotListed_data();
    void cancelAllRefusesLinesNotListed();
    void onlyRegularFilesOfBoundedSizeAreRead_data();
    void onlyRegularFilesOfBoundedSizeAreRead();
    void questionShowsALineCut_data();
    void questionShowsALineCut();
    void fullDiskIsSaidSo_data();
    void fullDiskIsSaidSo();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_client;
    QString m_path; // client/700.csv
};

void TestTicketFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir(m_dir->path()).mkdir("client"));
    m_client = m_dir->path() + "/client/";
    m_path = m_client + "700.csv";
}

void TestTicketFile::plainDrawNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("plain");
    QTest::addColumn<int>("draw"); // as read, when plain
    QTest::newRow("700") << "700" << true << 700;
    QTest::newRow("0700") << "0700" << true << 700;
    QTest::newRow("zero") << "0" << true << kNoDraw;
    QTest::newRow("nine digits behind zeros") << "000999999999" << true << kMaxDrawNumber;
    QTest::newRow("ten digits") << "1000000000" << true << kMaxDrawNumber + 1;
    QTest::newRow("beyond an int") << "99999999999" << true << kMaxDrawNumber + 1;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blank in front") << " 700" << false << 0;
    QTest::newRow("sign") << "+700" << false << 0;
    QTest::newRow("minus") << "-1" << false << 0;
    QTest::newRow("full-width digits") << "７００" << false << 0;
    QTest::newRow("path") << "../x" << false << 0;
    QTest::newRow("letter") << "7a" << false << 0;
    QTest::newRow("exponent") << "1e3" << false << 0;
    QTest::newRow("decimal point") << "7.0" << false << 0;
}

void TestTicketFile::plainDrawNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, plain);
    QFETCH(int, draw);
    QCOMPARE(readDrawNumber(text), plain ? std::optional<int>(draw) : std::nullopt);
}

void TestTicketFile::ticketFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ticketFile");
    QTest::newRow("700.csv") << "700.csv" << true;
    QTest::newRow("first draw") << "1.csv" << true;
    QTest::newRow("last draw, nine digits") << "999999999.csv" << true;
    QTest::newRow("leading zero") << "0700.csv" << false;
    QTest::newRow("zero") << "0.csv" << false;
    QTest::newRow("no number") << ".csv" << false;
    QTest::newRow("letter") << "70a.csv" << false;
    QTest::newRow("other suffix") << "700.txt" << false;
    QTest::newRow("suffix behind") << "700.csv.bak" << false;
    QTest::newRow("no suffix") << "700" << false;
    // Windows compares names without case: there 700.CSV is the file the program writes.
#ifdef Q_OS_WIN
    QTest::newRow("capital suffix") << "700.CSV" << true;
    QTest::newRow("mixed suffix") << "700.Csv" << true;
#else
    QTest::newRow("capital suffix") << "700.CSV" << false;
    QTest::newRow("mixed suffix") << "700.Csv" << false;
#endif
}

void TestTicketFile::ticketFileName()
{
    QFETCH(QString, name);
    QFETCH(bool, ticketFile);
    QCOMPARE(isTicketFileName(name), ticketFile);
    if (ticketFile) // its draw, as the readers that skip older files take it
        QCOMPARE(readDrawNumber(name.chopped(4)), std::optional<int>(name.chopped(4).toInt()));
}

void TestTicketFile::appendCreatesAndAppends()
{
    const QString &path = m_path;
    QCOMPARE(ticketLinesText({*LotoLine::fromFields(cellsOf("700,01,02,03,04,05,06"))}),
             QByteArray("700,01,02,03,04,05,06\r\n"));
    appendTicketLines(path, "700,01,02,03,04,05,06\r\n");
    QCOMPARE(readBytes(path), QByteArray("700,01,02,03,04,05,06\r\n"));
    appendTicketLines(path, "700,01,02,03,04,05,06\r\n700,07,08,09,10,11,12\r\n");
    QCOMPARE(readBytes(path), QByteArray("700,01,02,03,04,05,06\r\n700,01,02,03,04,05,06\r\n"
                                         "700,07,08,09,10,11,12\r\n"));
    QCOMPARE(QDir(m_client).entryList(QDir::Files), QStringList{"700.csv"}); // no leftovers
}

void TestTicketFile::appendEndsAnUnfinishedLastLine()
{
    const QString &path = m_path;
    writeBytes(path, "700,01,02,03,04,05,06");
    appendTicketLines(path, "700,07,08,09,10,11,12\r\n");
    QCOMPARE(readBytes(path), QByteArray("700,01,02,03,04,05,06\r\n700,07,08,09,10,11,12\r\n"));
}

void TestTicketFile::failedAppendChangesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("client is a file") << "file";
    QTest::newRow("ticket path is a folder") << "folder";
}

void TestTicketFile::failedAppendChangesNothing()
{
    QFETCH(QString, how);
    const QString &path = m_path;
    if (how == "file") {
        QVERIFY(QDir(m_client).removeRecursively());
        writeBytes(m_dir->path() + "/client", "not a folder");
    } else {
        QVERIFY(QDir(m_client).mkdir("700.csv"));
    }
    // A save of two draws: the file that could be written is not written either.
    const QString other = m_dir->path() + "/699.csv";
    const QByteArray otherBefore = "699,01,02,03,04,05,06\r\n";
    writeBytes(other, otherBefore);
    try {
        appendTicketLines({{other, otherBefore}, {path, "700,01,02,03,04,05,06\r\n"}});
        QFAIL("the append should have failed");
    } catch (const DomainError &e) {
        QVERIFY2(e.message().contains("700.csv"), qPrintable(e.message()));
    }
    QCOMPARE(readBytes(other), otherBefore);
    if (how == "file")
        QCOMPARE(readBytes(m_dir->path() + "/client"), QByteArray("not a folder"));
    else
        QVERIFY(QFileInfo(path).isDir());
}

// The disk fills up part-way through a save: the file keeps its old content, and no temporary
// file stays behind.
void TestTicketFile::fullDiskKeepsTheFile()
{
#ifdef Q_OS_UNIX
    const QString &path = m_path;
    const QByteArray before = "700,01,02,03,04,05,06\r\n";
    writeBytes(path, before);
    const QByteArray lines = "700,07,08,09,10,11,12\r\n700,13,14,15,16,17,18\r\n";
    try {
        const FileSizeLimit limit(30);
        appendTicketLines(path, lines);
        QFAIL("the write should have failed");
    } catch (const DomainError &e) {
        QVERIFY2(e.message().contains("700.csv"), qPrintable(e.message()));
    }
    QCOMPARE(readBytes(path), before);
    QCOMPARE(QDir(m_client).entryList(QDir::Files), QStringList{"700.csv"});
#else
    QSKIP("needs a file size limit");
#endif
}

// Listing and one-line cancel on every kind of line end and empty line a file may hold.
void TestTicketFile::removeOneLine_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("listed");
    QTest::addColumn<int>("row");
    QTest::addColumn<QByteArray>("after");
    const QByteArray a = "700,01,02,03,04,05,06\r\n", b = "700,07,08,09,10,11,12\r\n",
                     c = "700,13,14,15,16,17,18\r\n", d = "700,19,20,21,22,23,24\r\n",
                     e = "700,25,26,27,28,29,30\r\n", other = "699,01,02,03,04,05,06\r\n";
    const auto lf = [](QByteArray text) { return text.replace("\r\n", "\n"); };
    QTest::newRow("line 3 of 5") << a + b + c + d + e << 5 << 2 << a + b + d + e;
    QTest::newRow("LF only, line 3 of 5") << lf(a + b + c + d + e) << 5 << 2 << lf(a + b + d + e);
    QTest::newRow("mixed line ends") << a + lf(b) + "700,13,14,15,16,17,18\r" + lf(other) + d << 4
                                     << 1 << a + "700,13,14,15,16,17,18\r" + lf(other) + d;
    QTest::newRow("first line") << a + b << 2 << 0 << b;
    QTest::newRow("last line without line end") << a + "700,07,08,09,10,11,12" << 2 << 1 << a;
    QTest::newRow("only line gives six commas") << a << 1 << 0 << QByteArray(",,,,,,\r\n");
    QTest::newRow("other draws stay") << other + a + other + b << 2 << 1 << other + a + other;
    QTest::newRow("only own line, other draws stay") << other + a << 1 << 0 << other;
    QTest::newRow("lines behind empty lines are listed, empty lines kept")
        << a + "\r\n" + lf(b) + " \t\n\n" + c + other << 3 << 2
        << a + "\r\n" + lf(b) + " \t\n\n" + other;
    QTest::newRow("empty first line") << "\r\n" + a + b << 2 << 0 << "\r\n" + b;
    QTest::newRow("nothing readable left gives six commas") << a + "\r\n"
                                                            << 1 << 0 << QByteArray(",,,,,,\r\n");
    QTest::newRow("odd bytes of other lines kept")
        << QByteArray("  700,01,02,03,04,05,06 \r\n700,\"07\",08,09,10,11,12\r") + other << 2 << 1
        << QByteArray("  700,01,02,03,04,05,06 \r\n") + other;
    QTest::newRow("duplicates: the chosen one goes") << a + b + a + c << 4 << 2 << a + b + c;
}

void TestTicketFile::removeOneLine()
{
    QFETCH(QByteArray, before);
    QFETCH(int, listed);
    QFETCH(int, row);
    QFETCH(QByteArray, after);
    const QString &path = m_path;
    writeBytes(path, before);
    const QVector<QStringList> rows = listTicketFile(path, 700).rows();
    QCOMPARE(rows.size(), listed);
    // The check page reads the same lines (and those of other draws).
    QVector<QStringList> checked;
    for (const TicketLine &line : readAllTicketLines(path))
        if (line.draw == 700)
            checked.append(line.cells);
    QCOMPARE(checked, rows);
    QCOMPARE(removeListedTicketLine(path, 700, rows, row), TicketRemoval::Removed);
    QCOMPARE(readBytes(path), after);
}

void TestTicketFile::removeRefusesAnOutdatedList()
{
    const QString &path = m_path;
    const QByteArray a = "700,01,02,03,04,05,06\r\n", b = "700,07,08,09,10,11,12\r\n";
    writeBytes(path, a + b);
    const QVector<QStringList> listed = listTicketFile(path, 700).rows();
    writeBytes(path, b + a); // changed by another save or program meanwhile
    QCOMPARE(removeListedTicketLine(path, 700, listed, 0), TicketRemoval::ListOutdated);
    QCOMPARE(readBytes(path), b + a);
    QCOMPARE(removeListedTicketLine(path, 700, listed.mid(0, 1), 5), TicketRemoval::ListOutdated);
    QVERIFY(QFile::remove(path));
    QCOMPARE(removeListedTicketLine(path, 700, listed, 0), TicketRemoval::ListOutdated);
    QVERIFY(!QFile::exists(path));
}

// Cancel-all removes the draw's lines wherever they stand; every other byte stays.
void TestTicketFile::cancelAllKeepsEveryOtherLine_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    const QByteArray a = "700,01,02,03,04,05,06\r\n", b = "0700,07,08,09,10,11,12\n",
                     c = "700,13,14,15,16,17,18,19\r\n", x = "699,01,02,03,04,05,06\r\n",
                     y = "701,7,8,9,10,11,12", z = "\x1a";
    QTest::newRow("interleaved, another draw's line last")
        << x + a + y + "\r\n" + b + "\r\n" + c + x << x + y + "\r\n" + "\r\n" + x;
    QTest::newRow("another draw's line after the last, no line end") << a + b + x + c + y << x + y;
    QTest::newRow("only another draw's line after") << a + x << x;
    QTest::newRow("Ctrl+Z kept") << a + z + x + c + z << z + x + z;
}

void TestTicketFile::cancelAllKeepsEveryOtherLine()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    writeBytes(m_path, before);
    QVERIFY(removeDrawTicketLines(m_path, 700));
    QVERIFY(QFile::exists(m_path));
    QCOMPARE(readBytes(m_path), after);
    QVERIFY(listTicketFile(m_path, 700).rows().isEmpty());
}

// A save over two draws whose second file cannot be replaced after the first has been: the
// first file gets its old bytes back, so a second try does not store its lines twice.
void TestTicketFile::secondFileFailingRestoresTheFirst()
{
    const QString first = m_client + "699.csv";
    const QByteArray firstBefore = "699,01,02,03,04,05,06\r\n\x1a", secondBefore = "";
    writeBytes(first, firstBefore);
    writeBytes(m_path, secondBefore);
    int commits = 0;
    const auto failSecond = [&commits](StagedFile &file) {
        if (++commits == 2)
            throw DomainError("the second file cannot be replaced");
        commitStaged(file);
    };
    QVERIFY_THROWS_EXCEPTION(DomainError, appendTicketLines({{first, "699,07,08,09,10,11,12\r\n"},
                                                             {m_path, "700,07,08,09,10,11,12\r\n"}},
                                                            failSecond));
    QCOMPARE(commits, 2);
    QCOMPARE(readBytes(first), firstBefore);
    QCOMPARE(readBytes(m_path), secondBefore);
    QCOMPARE(QDir(m_client).entryList(QDir::Files), (QStringList{"699.csv", "700.csv"}));
}

// A save into ten draws' files that the end of the program cut after the n-th replacement
// (the commit step ends the program as a kill would: nothing after it runs) leaves its
// journal, and the next start gives every file its new content, whatever was replaced.
void TestTicketFile::killedSaveIsCompletedAtStart_data()
{
    QTest::addColumn<int>("killedAt"); // commits done before the end; 0: none
    QTest::addColumn<bool>("older");   // the journal as an older version wrote it
    QTest::newRow("before the first replacement") << 0 << false;
    QTest::newRow("after the first") << 1 << false;
    QTest::newRow("after the ninth") << 9 << false;
    QTest::newRow("after the first, an older journal") << 1 << true;
}

void TestTicketFile::killedSaveIsCompletedAtStart()
{
    QFETCH(int, killedAt);
    QFETCH(bool, older);
    struct Killed {
    };
    QVector<TicketAppend> appends;
    QVector<QByteArray> after;
    for (int draw = 2039; draw < 2049; ++draw) {
        const QString path = m_client + QString::number(draw) + ".csv";
        const QByteArray before =
            draw % 2 ? QByteArray(QByteArray::number(draw) + ",01,02,03,04,05,06\r\n")
                     : QByteArray();
        if (!before.isNull())
            writeBytes(path, before);
        const QByteArray line = QByteArray::number(draw) + ",07,08,09,10,11,12\r\n";
        appends.append({path, line});
        after.append(before + line);
    }
    int commits = 0;
    const auto killAt = [&](StagedFile &file) {
        if (commits == killedAt)
            throw Killed();
        commitStaged(file);
        ++commits;
    };
    try {
        appendTicketLines(appends, killAt);
    } catch (const Killed &) {
    }
    QVERIFY(QFile::exists(m_client + kTicketJournalName));
    if (older) {
        QByteArray journal = "Loto6Yorune ticket save\n10\n", contents;
        for (int i = 0; i < appends.size(); ++i) {
            journal += QFileInfo(appends.at(i).path).fileName().toUtf8() + ' ' +
                       QByteArray::number(after.at(i).size()) + '\n';
            contents += after.at(i);
        }
        writeBytes(m_client + kTicketJournalName, journal + contents);
    }

    const CommitRecovery recovery = finishTicketSave(m_client);
    QCOMPARE(recovery.completed.size(), 10);
    QCOMPARE(recovery.completed.first(), QString("2039.csv"));
    QVERIFY(!recovery.troubled());
    for (int i = 0; i < appends.size(); ++i)
        QCOMPARE(readBytes(appends.at(i).path), after.at(i));
    QVERIFY(!QFile::exists(m_client + kTicketJournalName));
    QVERIFY(!finishTicketSave(m_client).anything()); // nothing left to complete
    QVERIFY(ticketRecoveryText(recovery).startsWith(
        "前回終了時に中断された申込数字の保存を完了しました（第2039回、第2040回、"));
    // The program's own temporary copies go; the player's files that look like one stay.
    const QStringList players{"2039.csv.AbC123", "2039.csv.backup", "~loto6yorune-AbC12.tmp"};
    for (const QString &name : players + QStringList{"~loto6yorune-AbC123.tmp"})
        writeBytes(m_client + name, "x");
    finishTicketSave(m_client);
    for (const QString &name : players)
        QVERIFY2(QFile::exists(m_client + name), qPrintable(name));
    QVERIFY(!QFile::exists(m_client + "~loto6yorune-AbC123.tmp"));
}

// A name that reaches a file or folder of client/ or download/ another way: a link to it, a
// hard link, a link to the folder. A name that only looks similar is not refused.
void TestTicketFile::exportTargetReachingProgramData_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reached"); // relative to the data folder
    QTest::addColumn<bool>("refused");
    // Windows has no symbolic links that a player makes (its shortcuts are files of their own):
    // there a hard link is the other name of a file.
#ifndef Q_OS_WIN
    QTest::newRow("link to a ticket file") << "symlink"
                                           << "client/2038.csv" << true;
    QTest::newRow("link to claimed.csv") << "symlink"
                                         << "client/claimed.csv" << true;
    QTest::newRow("link to the draw list") << "symlink"
                                           << "download/Loto6Number.csv" << true;
    QTest::newRow("link to a file not there yet") << "symlink"
                                                  << "client/2040.csv" << true;
#endif
    QTest::newRow("hard link to a ticket file") << "hardlink"
                                                << "client/2038.csv" << true;
#ifndef Q_OS_WIN
    QTest::newRow("link to the folder") << "folderlink"
                                        << "download" << true;
#endif
    QTest::newRow("a file of its own") << "copy"
                                       << "client/2038.csv" << false;
}

void TestTicketFile::exportTargetReachingProgramData()
{
    QFETCH(QString, kind);
    QFETCH(QString, reached);
    QFETCH(bool, refused);
    const QString data = m_dir->path() + "/";
    QVERIFY(QDir(data).mkdir("download"));
    QVERIFY(QDir(data).mkdir("out"));
    for (const char *file : {"client/2038.csv", "client/claimed.csv", "download/Loto6Number.csv"})
        writeBytes(data + QString::fromLatin1(file), "x\r\n");
    QString target = data + "out/lines.csv";
    if (kind == "symlink") {
        QVERIFY(QFile::link(data + reached, target));
    } else if (kind == "hardlink") {
#ifdef Q_OS_WIN
        QVERIFY(CreateHardLinkW(reinterpret_cast<const wchar_t *>(target.utf16()),
                                reinterpret_cast<const wchar_t *>((data + reached).utf16()),
                                nullptr));
#else
        QCOMPARE(::link(QFile::encodeName(data + reached).constData(),
                        QFile::encodeName(target).constData()),
                 0);
#endif
    } else if (kind == "folderlink") {
        QVERIFY(QFile::link(data + reached, data + "out/linked"));
        target = data + "out/linked/lines.csv";
    } else {
        QVERIFY(QFile::copy(data + reached, target));
    }
    QCOMPARE(isInProgramData(target, data, data + "install/"), refused);
    QVERIFY(isInProgramData(data + "client/2041.csv", data, data + "install/"));
}

// Cancel-all removes the lines the list showed; a line another program added meanwhile stops it.
void TestTicketFile::cancelAllRefusesLinesNotListed_data()
{
    QTest::addColumn<QByteArray>("now"); // the file when cancelled; listed: a + b
    QTest::addColumn<bool>("removed");
    const QByteArray a = "700,01,02,03,04,05,06\r\n", b = "700,07,08,09,10,11,12\r\n";
    QTest::newRow("as listed") << a + b << true;
    QTest::newRow("another draw's line added") << a + b + "699,01,02,03,04,05,06\r\n" << true;
    QTest::newRow("a line of the draw added") << a + b + "700,13,14,15,16,17,18\r\n" << false;
    QTest::newRow("a listed line gone") << a << false;
}

void TestTicketFile::cancelAllRefusesLinesNotListed()
{
    QFETCH(QByteArray, now);
    QFETCH(bool, removed);
    writeBytes(m_path, "700,01,02,03,04,05,06\r\n700,07,08,09,10,11,12\r\n");
    const QVector<QStringList> listed = listTicketFile(m_path, 700).rows();
    writeBytes(m_path, now);
    QCOMPARE(removeListedDrawTicketLines(m_path, 700, listed),
             removed ? TicketRemoval::Removed : TicketRemoval::ListOutdated);
    QCOMPARE(listTicketFile(m_path, 700).rows().isEmpty(), removed);
    if (!removed)
        QCOMPARE(readBytes(m_path), now);
    QFile::remove(m_path); // gone meanwhile: nothing left to remove
    QCOMPARE(removeListedDrawTicketLines(m_path, 700, listed), TicketRemoval::Removed);
}

// A FIFO, a folder or a file over the size limit is named as unreadable, at once.
void TestTicketFile::onlyRegularFilesOfBoundedSizeAreRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason"); // empty: read
    const QString tooLarge = "ファイルが大きすぎます。上限は 1024 KiB です";
#ifndef Q_OS_WIN // no FIFOs on Windows
    QTest::newRow("FIFO") << "fifo"
                          << "通常のファイルではありません";
#endif
    QTest::newRow("folder") << "folder"
                            << "通常のファイルではありません";
    QTest::newRow("at the size limit") << "limit"
                                       << "";
    QTest::newRow("a byte over the limit") << "over" << tooLarge;
}

void TestTicketFile::onlyRegularFilesOfBoundedSizeAreRead()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    const QByteArray line = "700,01,02,03,04,05,06\r\n";
    if (kind == "fifo") {
#ifndef Q_OS_WIN
        QCOMPARE(mkfifo(QFile::encodeName(m_path).constData(), 0600), 0);
#endif
    } else if (kind == "folder")
        QVERIFY(QDir(m_client).mkdir("700.csv"));
    else
        writeBytes(m_path,
                   line + QByteArray(kMaxTicketFileBytes - line.size() + (kind == "over"), ' '));
    QString why;
    const QVector<TicketLine> lines = readAllTicketLines(m_path, &why);
    QCOMPARE(why, reason);
    QCOMPARE(lines.size(), reason.isEmpty() ? 1 : 0);
    if (!reason.isEmpty()) {
        try {
            listTicketFile(m_path, 700);
            QFAIL("an unreadable file was listed");
        } catch (const DomainError &error) {
            QVERIFY(error.message().contains("700.csv"));
            QVERIFY(error.message().contains(reason));
        }
    }
}

// A line in a question: its numbers, cut to 40 characters.
void TestTicketFile::questionShowsALineCut_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a line") << cellsOf("700,03,11,19,24,38,42") << "03 11 19 24 38 42";
    const QString forty(40 - 15, 'x'), fortyOne(41 - 15, 'x');
    QTest::newRow("40 characters")
        << (cellsOf("700,01,02,03,04,05") << forty) << "01 02 03 04 05 " + forty;
    QTest::newRow("41 characters") << (cellsOf("700,01,02,03,04,05") << fortyOne)
                                   << "01 02 03 04 05 " + QString(24, 'x') + "…";
    QTest::newRow("100,000 characters in one cell")
        << QStringList{"700", QString(100000, 'y')} << QString(39, 'y') + "…";
}

void TestTicketFile::questionShowsALineCut()
{
    QFETCH(QStringList, cells);
    QFETCH(QString, shown);
    QCOMPARE(shownLineNumbers(cells), shown);
    QVERIFY(shownLineNumbers(cells).size() <= kShownLineLength);
}

// A write that failed with too little room left says the disk is full, whatever the system
// called it; with room enough the system's reason stands.
void TestTicketFile::fullDiskIsSaidSo_data()
{
    QTest::addColumn<qint64>("available");
    QTest::addColumn<bool>("full");
    QTest::newRow("nothing left") << qint64(0) << true;
    QTest::newRow("a byte too little") << qint64(99) << true;
    QTest::newRow("just enough") << qint64(100) << false;
    QTest::newRow("unknown") << qint64(-1) << false;
}

void TestTicketFile::fullDiskIsSaidSo()
{
    QFETCH(qint64, available);
    QFETCH(bool, full);
    QFile file(m_path);
    QCOMPARE(writeFailureReason(file, 100, available) == "ディスクの空き容量が足りません", full);
}

QTEST_APPLESS_MAIN(TestTicketFile)
#include "tst_ticketfile.moc"
