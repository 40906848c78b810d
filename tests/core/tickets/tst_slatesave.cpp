// The slate's save in words: lines left for a drawn draw, and what a save stored.

#include "core/common/DomainError.h"
#include "core/tickets/ContinuedPurchase.h"
#include "core/tickets/SlateSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

using LinesPerDraw = QVector<QPair<QString, int>>;

namespace
{

// The line 01..06 for each draw; a text that is no draw number makes no line.
QVector<LotoLine> rowsOf(const QStringList &draws)
{
    QVector<LotoLine> rows;
    for (const QString &draw : draws) {
        if (const auto line = LotoLine::fromText(draw + ",01,02,03,04,05,06"))
            rows.append(*line);
    }
    return rows;
}

} // namespace

class TestSlateSave : public QObject
{
    Q_OBJECT
private slots:
    void drawnDraws_data();
    void drawnDraws();
    void movedToTheComingDraw();
    void question();
    void summary_data();
    void summary();
    void saveReadsEachFileOnce_data();
    void saveReadsEachFileOnce();
    void continuedSave_data();
    void continuedSave();
};

void TestSlateSave::drawnDraws_data()
{
    QTest::addColumn<QStringList>("draws"); // of the rows; the coming draw is 2161
    QTest::addColumn<QVector<int>>("drawn");
    QTest::newRow("the coming draw") << QStringList{"2161"} << QVector<int>{};
    QTest::newRow("the newest drawn draw") << QStringList{"2160"} << QVector<int>{2160};
    QTest::newRow("after the coming draw") << QStringList{"2162"} << QVector<int>{};
    QTest::newRow("several, once each, ascending")
        << QStringList{"2038", "2161", "2037", "2038"} << QVector<int>{2037, 2038};
    QTest::newRow("not a number") << QStringList{"", "x"} << QVector<int>{};
    QTest::newRow("the first draw") << QStringList{"1"} << QVector<int>{1};
}

void TestSlateSave::drawnDraws()
{
    QFETCH(QStringList, draws);
    QFETCH(QVector<int>, drawn);
    QCOMPARE(drawnDrawsOf(rowsOf(draws), 2161), drawn);
}

void TestSlateSave::movedToTheComingDraw()
{
    Slate slate;
    for (const LotoLine &line : rowsOf({"2038", "2161", "2037", "2038", "2038"}))
        slate.append(line);
    slate.markSaved(4, {2038}); // a saved line stays with the draw it was saved for
    QCOMPARE(slate.moveToComingDraw({2038}, 2161), (QVector<int>{0, 3}));
    QCOMPARE(slate.lines(), rowsOf({"2161", "2161", "2037", "2161", "2038"}));
}

void TestSlateSave::question()
{
    QCOMPARE(
        drawnDrawsQuestion({2037, 2038}, 3, 2161),
        QString("第2037回、第2038回は抽選が終わっていて、抽選結果があります"
                "（保存していない申込み数字 3口）。\n次回の第2161回の申込みとして保存しますか？\n\n"
                "「はい」：第2161回として保存します。\n"
                "「いいえ」：第2037回、第2038回のまま保存します。\n"
                "「キャンセル」：保存しません。"));
}

void TestSlateSave::summary_data()
{
    QTest::addColumn<LinesPerDraw>("linesPerDraw");
    QTest::addColumn<QString>("text");
    QTest::newRow("one line") << LinesPerDraw{{"2038", 1}}
                              << "第2038回に1口を保存しました（計1口 ¥200）。";
    QTest::newRow("two draws, grouped yen")
        << LinesPerDraw{{"2037", 1}, {"2038", 5}}
        << "第2037回に1口、第2038回に5口を保存しました（計6口 ¥1,200）。";
}

void TestSlateSave::summary()
{
    QFETCH(LinesPerDraw, linesPerDraw);
    QFETCH(QString, text);
    QCOMPARE(saveSummary(linesPerDraw), text);
}

void TestSlateSave::saveReadsEachFileOnce_data()
{
    QTest::addColumn<QByteArray>("before"); // of client/2039.csv; null: none
    QTest::newRow("new files") << QByteArray();
    QTest::newRow("a file with the same line")
        << QByteArray("2039,01,02,03,04,05,06\r\n2039,07,08,09,10,11,12");
}

// A save reads each file it appends to once, also with several lines for it and a line like
// one it holds, and writes the unsaved lines only; a second save has nothing left to read.
void TestSlateSave::saveReadsEachFileOnce()
{
    QFETCH(QByteArray, before);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    QVERIFY(QDir(folder).mkdir("client"));
    if (!before.isNull()) {
        QFile file(folder + "client/2039.csv");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before);
    }
    Slate slate;
    for (const char *text : {"2038,01,02,03,04,05,06", "2039,01,02,03,04,05,06",
                             "2038,07,08,09,10,11,12", "2039,13,14,15,16,17,18"})
        slate.append(*LotoLine::fromText(text));
    slate.markSaved(2, {2038});
    QHash<QString, int> reads;
    const ClientFileReader counted = [&reads](const QString &path) {
        ++reads[QFileInfo(path).fileName()];
        return readClientFile(path);
    };

    const SlateSaveDone done = saveSlate(slate, folder, counted);
    QCOMPARE(reads, (QHash<QString, int>{{"2038.csv", 1}, {"2039.csv", 1}}));
    QCOMPARE(done.files, (QStringList{"client/2038.csv", "client/2039.csv"}));
    QCOMPARE(done.linesPerDraw, (LinesPerDraw{{"2038", 1}, {"2039", 2}}));
    QCOMPARE(slate.savedLines(), (QVector<bool>{true, true, true, true}));
    QFile file(folder + "client/2039.csv");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), (before.isNull() ? QByteArray() : before + "\r\n") +
                                 "2039,01,02,03,04,05,06\r\n2039,13,14,15,16,17,18\r\n");

    reads.clear();
    QCOMPARE(saveSlate(slate, folder, counted).files, QStringList());
    QVERIFY(reads.isEmpty());
}

void TestSlateSave::continuedSave_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("draws");
    QTest::addColumn<int>("first");    // the number of the first draw
    QTest::addColumn<QString>("text"); // the report, or the error
    const QString nothing = "保存する対象のデータがありません。";
    QTest::newRow("one draw") << 2 << 1 << 2040 << "第2040回に2口を保存しました（計2口 ¥400）。";
    QTest::newRow("three draws")
        << 2 << 3 << 2040 << "第2040回～第2042回の3回分、各2口を保存しました（計6口 ¥1,200）。";
    QTest::newRow("no line") << 0 << 1 << 2040 << nothing;
    QTest::newRow("no draw") << 2 << 0 << 2040 << nothing;
    QTest::newRow("a draw with no number")
        << 2 << 1 << 0 << "開催回が決まっていないため、保存できません。";
}

// The slate's lines bought for several draws at once: each draw's file gets every line.
void TestSlateSave::continuedSave()
{
    QFETCH(int, lines);
    QFETCH(int, draws);
    QFETCH(int, first);
    QFETCH(QString, text);
    QVector<ExpectedDraw> expected;
    for (int k = 0; k < draws; ++k)
        expected.append({first + k, QDate(2025, 10, 2).addDays(7 * k)});
    const QVector<LotoLine> rows = rowsOf(QStringList(lines, "2039"));
    try {
        const ContinuedSave save = ::continuedSave("/p/", expected, rows);
        QCOMPARE(save.report, text);
        QCOMPARE(save.appends.size(), draws);
        QCOMPARE(save.appends.last().path, QString("/p/client/%1.csv").arg(first + draws - 1));
        QCOMPARE(save.appends.last().lines,
                 ticketLinesText(rowsOf(QStringList(lines, QString::number(first + draws - 1)))));
    } catch (const DomainError &e) {
        QCOMPARE(e.message(), text);
    }
}

QTEST_GUILESS_MAIN(TestSlateSave)
#include "tst_slatesave.moc"
