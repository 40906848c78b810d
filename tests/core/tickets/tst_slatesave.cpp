// The slate's save in words: lines left for a drawn draw, and what a save stored.

#include "core/tickets/SlateSave.h"

#include <QTest>

using LinesPerDraw = QVector<QPair<QString, int>>;

namespace
{

QVector<QStringList> rowsOf(const QStringList &draws)
{
    QVector<QStringList> rows;
    for (const QString &draw : draws)
        rows.append({draw, "01", "02", "03", "04", "05", "06"});
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
}

void TestSlateSave::drawnDraws()
{
    QFETCH(QStringList, draws);
    QFETCH(QVector<int>, drawn);
    QCOMPARE(drawnDrawsOf(rowsOf(draws), 2161), drawn);
}

void TestSlateSave::movedToTheComingDraw()
{
    const QVector<QStringList> moved =
        movedToComingDraw(rowsOf({"2038", "2161", "2037", "2038"}), {2038}, 2161);
    QCOMPARE(moved, rowsOf({"2161", "2161", "2037", "2161"}));
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

QTEST_GUILESS_MAIN(TestSlateSave)
#include "tst_slatesave.moc"
