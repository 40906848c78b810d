// How the slate's record of its saves marks its lines.

#include "core/picking/DuplicateLines.h"
#include "core/tickets/Slate.h"

#include <QTemporaryDir>
#include <QTest>

class TestSlateSaves : public QObject
{
    Q_OBJECT
private slots:
    void aLineTakenOffTakesItsRecord();
    void savedLineFollowsItsFile_data();
    void savedLineFollowsItsFile();
    void aRepeatNamesTheFirstLineLikeIt();
};

// Each line keeps its own record when a line before it is taken off the slate.
void TestSlateSaves::aLineTakenOffTakesItsRecord()
{
    Slate saves;
    for (int draw = 2037; draw < 2040; ++draw)
        saves.append(*LotoLine::of(draw, 0b1111110));
    saves.markSaved(2, {2039, 2040});
    saves.remove(0);
    QCOMPARE(saves.savedLines(), (QVector<bool>{false, true}));
    QCOMPARE(saves.savedFor(1), (QSet<int>{2039, 2040}));
    QCOMPARE(saves.line(1).draw(), 2039);
}

// A line saved from the slate counts as saved while its file holds it, and as cancelled once
// the player cancelled it there (a file that cannot be read cannot tell: saved); it is never
// saved again. An unsaved line like it repeats the saved line only while the file holds it.
void TestSlateSaves::savedLineFollowsItsFile_data()
{
    QTest::addColumn<QByteArray>("file"); // client/2039.csv; null: none
    QTest::addColumn<int>("savedState");  // of the saved first line
    QTest::addColumn<int>("newState");    // of the unsaved second line
    const int saved = int(SlateLineCheck::State::Saved);
    const int cancelled = int(SlateLineCheck::State::Cancelled);
    const int fresh = int(SlateLineCheck::State::New);
    QTest::newRow("still in its file")
        << QByteArray("2039,01,02,03,04,05,06\r\n") << saved << int(SlateLineCheck::State::Repeat);
    QTest::newRow("cancelled, file gone") << QByteArray() << cancelled << fresh;
    QTest::newRow("cancelled, six commas left") << QByteArray(",,,,,,\r\n") << cancelled << fresh;
    QTest::newRow("cancelled, the numbers left for another draw")
        << QByteArray("2040,01,02,03,04,05,06\r\n") << cancelled << fresh;
    QTest::newRow("a file that cannot be read") << QByteArray("folder") << saved << fresh;
}

void TestSlateSaves::savedLineFollowsItsFile()
{
    QFETCH(QByteArray, file);
    QFETCH(int, savedState);
    QFETCH(int, newState);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    QVERIFY(QDir(folder).mkdir("client"));
    if (file == "folder") {
        QVERIFY(QDir(folder).mkdir("client/2039.csv"));
    } else if (!file.isNull()) {
        QFile out(folder + "client/2039.csv");
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
    }
    const LotoLine line = *LotoLine::fromText("2039,01,02,03,04,05,06");
    Slate slate;
    slate.append(line);
    slate.append(line);
    slate.markSaved(0, {2039});
    const QVector<SlateLineCheck> checks = checkSlateLines(slate, folder);
    QCOMPARE(int(checks.at(0).state), savedState);
    QCOMPARE(int(checks.at(1).state), newState);
    QCOMPARE(slate.unsaved(), QVector<int>{1}); // a cancelled line is not saved again
}

// Of three lines alike each names the first other line like it, counted from 1.
void TestSlateSaves::aRepeatNamesTheFirstLineLikeIt()
{
    QTemporaryDir dir;
    Slate slate;
    for (int i = 0; i < 3; ++i)
        slate.append(*LotoLine::fromText("2039,01,02,03,04,05,06"));
    QStringList notices;
    for (const SlateLineCheck &check : checkSlateLines(slate, dir.path() + "/"))
        notices << repeatNotice(check);
    QCOMPARE(notices, QStringList({"同じ組合せが既にあります（2口目と同じ）。",
                                   "同じ組合せが既にあります（1口目と同じ）。",
                                   "同じ組合せが既にあります（1口目と同じ）。"}));
}

QTEST_GUILESS_MAIN(TestSlateSaves)
#include "tst_slatesaves.moc"
