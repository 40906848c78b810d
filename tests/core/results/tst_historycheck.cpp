// What a fetched history must be before it replaces the local one, and what the local files
// are held to at load.

#include "core/common/DomainError.h"
#include "core/common/SafeWrite.h"
#include "core/common/TextLines.h"
#include "core/results/HistoryCheck.h"
#include "core/results/ResultsReplace.h"
#include "core/results/TypedDraws.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace
{

// Three draws on draw days, the newest on "today".
const QString kDraw1 = QStringLiteral("1,2025/09/15,1,2,3,4,5,6,7");
const QString kDraw2 = QStringLiteral("2,2025/09/18,8,9,10,11,12,13,14");
const QString kDraw3 = QStringLiteral("3,2025/09/22,15,16,17,18,19,20,21");
const QDate kToday(2025, 9, 22);

QVector<DrawRecord> draws(const QStringList &lines)
{
    QVector<DrawRecord> records;
    for (const QString &line : lines)
        records.append(parseDrawLine(line));
    return records;
}

QSet<int> numbers(const QString &list)
{
    QSet<int> set;
    for (const QString &item : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
        set.insert(item.toInt());
    return set;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Replaces the pair in folder (the old one, or none) with a commit step that runs `second` in
// place of the second commit (that of the prize table).
void replacePairUntilSecondCommit(const QString &folder, const std::function<void()> &second,
                                  bool oldPair = true, const QByteArray &newDraws = "new draws\r\n",
                                  const QByteArray &newPrizes = "new prizes\r\n")
{
    if (oldPair) {
        writeBytes(folder + kNumberFileName, "old draws\r\n");
        writeBytes(folder + kDataFileName, "old prizes\r\n");
    }
    int commits = 0;
    replaceResultsFiles(folder, newDraws, newPrizes, [&](StagedFile &file) {
        if (++commits == 2)
            second();
        commitStaged(file);
    });
}

QByteArray bundled(const char *name)
{
    QFile file(QStringLiteral(LOTO6_BUNDLED_DATA_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("bundled file %s missing", name);
    return file.readAll();
}

} // namespace

class TestHistoryCheck : public QObject
{
    Q_OBJECT
private slots:
    void fetchedHistory_data();
    void fetchedHistory();
    void localDrawsAtLoad_data();
    void localDrawsAtLoad();
    void fetchedFigures_data();
    void fetchedFigures();
    void fetchedPairBelongsTogether_data();
    void fetchedPairBelongsTogether();
    void fetchedPairIsCheckedAsAWhole_data();
    void fetchedPairIsCheckedAsAWhole();
    void bundledHistoryPasses();
    void typedDrawsLiveInTheFolder();
    void cutShortPairIsCompletedFromAWholeJournal_data();
    void cutShortPairIsCompletedFromAWholeJournal();
    void failedPrizeTablePutsTheDrawListBack_data();
    void failedPrizeTablePutsTheDrawListBack();
};

void TestHistoryCheck::fetchedHistory_data()
{
    QTest::addColumn<QStringList>("fetched"); // newest first
    QTest::addColumn<QStringList>("local");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("fault"); // empty: accepted
    const QStringList all{kDraw3, kDraw2, kDraw1};
    const auto with = [&](int draw, const QString &line) {
        QStringList list = all;
        list[3 - draw] = line;
        return list;
    };
    QTest::newRow("the same") << all << all << ""
                              << "";
    QTest::newRow("one more, dated today") << all << QStringList{kDraw2, kDraw1} << ""
                                           << "";
    QTest::newRow("dated after today") << with(3, "3,2025/09/25,15,16,17,18,19,20,21") << all << ""
                                       << "第3回：日付 2025/09/25 が今日（2025/09/22）より後です。";
    QTest::newRow("two draws on one date")
        << with(2, "2,2025/09/15,8,9,10,11,12,13,14") << QStringList() << ""
        << "第2回：日付 2025/09/15 が第1回の 2025/09/15 より後ではありません。";
    QTest::newRow("gap") << QStringList{kDraw3, kDraw1} << QStringList() << ""
                         << "第2回がありません。";
    QTest::newRow("repeat") << QStringList{kDraw2, kDraw2, kDraw1} << QStringList() << ""
                            << "第2回が 2 回あります。";
    QTest::newRow("numbers descending")
        << with(3, "3,2025/09/22,21,20,19,18,17,16,15") << QStringList() << ""
        << "第3回：本数字 21,20,19,18,17,16 が小さい順に並んでいません。";
    QTest::newRow("a number twice")
        << with(3, "3,2025/09/22,15,16,17,18,20,20,21") << QStringList() << ""
        << "第3回：本数字 20 が 2 回あります。";
    QTest::newRow("bonus among the six")
        << with(3, "3,2025/09/22,15,16,17,18,19,20,15") << QStringList() << ""
        << "第3回：ボーナス数字 15 が本数字と同じです。";
    QTest::newRow("older than the local")
        << QStringList{kDraw2, kDraw1} << all << ""
        << "取得した抽選結果（第2回まで）はお使いの抽選結果（第3回まで）より古いため、使いません。";
    QTest::newRow("a past draw's date changed")
        << all << with(2, "2,2025/09/17,8,9,10,11,12,13,14") << ""
        << "第2回がお使いの履歴と異なります。";
    QTest::newRow("a past draw's bonus changed")
        << all << with(2, "2,2025/09/18,8,9,10,11,12,13,15") << ""
        << "第2回がお使いの履歴と異なります。";
    QTest::newRow("a typed draw replaced") << all << with(3, "3,2025/09/22,1,2,3,4,5,6,7") << "3"
                                           << "";
    QTest::newRow("typed ahead of the feed")
        << all
        << QStringList{"4,2025/09/25,1,2,3,4,5,6,7", "3,2025/09/22,1,2,3,4,5,6,8", kDraw2, kDraw1}
        << "3,4"
        << "";
    QTest::newRow("a local bonus out of range replaced")
        << all << with(3, "3,2025/09/22,15,16,17,18,19,20,44") << ""
        << "";
    QTest::newRow("a local bonus among the six replaced")
        << all << with(2, "2,2025/09/18,8,9,10,11,12,13,8") << ""
        << "";
}

void TestHistoryCheck::fetchedHistory()
{
    QFETCH(QStringList, fetched);
    QFETCH(QStringList, local);
    QFETCH(QString, typed);
    QFETCH(QString, fault);
    const auto found = fetchedHistoryFault(draws(fetched), draws(local), numbers(typed), kToday);
    QCOMPARE(found.value_or(QString()), fault);
}

void TestHistoryCheck::localDrawsAtLoad_data()
{
    QTest::addColumn<QString>("newest"); // on top of draws 2 and 1
    QTest::addColumn<QString>("fault");
    QTest::newRow("valid") << kDraw3 << "";
    QTest::newRow("bonus 44") << "3,2025/09/22,15,16,17,18,19,20,44"
                              << "第3回：ボーナス数字 44 が 1～43 の範囲にありません。";
    QTest::newRow("bonus 43") << "3,2025/09/22,15,16,17,18,19,20,43"
                              << "";
    QTest::newRow("bonus among the six") << "3,2025/09/22,15,16,17,18,19,20,20"
                                         << "第3回：ボーナス数字 20 が本数字と同じです。";
    QTest::newRow("two numbers swapped")
        << "3,2025/09/22,15,16,17,19,18,20,21"
        << "第3回：本数字 15,16,17,19,18,20 が小さい順に並んでいません。";
}

void TestHistoryCheck::localDrawsAtLoad()
{
    QFETCH(QString, newest);
    QFETCH(QString, fault);
    QCOMPARE(invalidDrawFault(draws({newest, kDraw2, kDraw1})).value_or(QString()), fault);
}

void TestHistoryCheck::fetchedFigures_data()
{
    QTest::addColumn<QString>("draw");
    QTest::addColumn<QString>("prizes");
    QTest::addColumn<QString>("fault"); // empty: accepted
    const QString plain =
        QStringLiteral("3,0,0,10000000,5,300000,100,6800,1000,1000,10000,5000000");
    const auto with = [&](int field, const QString &text) {
        QStringList fields = plain.split(QLatin1Char(','));
        fields[field] = text;
        return fields.join(QLatin1Char(','));
    };
    QTest::newRow("plausible, nobody won 1等") << kDraw3 << plain << "";
    QTest::newRow("the highest amount")
        << kDraw3 << with(1, "1000000000").replace(",0,10", ",1,10") << "";
    QTest::newRow("above the highest amount")
        << kDraw3 << with(3, "1000000001")
        << "第3回：２等の金額 1,000,000,001 が上限の 1,000,000,000 を超えています。";
    QTest::newRow("negative") << kDraw3 << with(3, "-12000000")
                              << "第3回：２等の金額 '-12000000' は 0 以上の整数ではありません。";
    QTest::newRow("exponent") << kDraw3 << with(3, "1.2e7")
                              << "第3回：２等の金額 '1.2e7' は 0 以上の整数ではありません。";
    QTest::newRow("fraction") << kDraw3 << with(3, "12000000.5")
                              << "第3回：２等の金額 '12000000.5' は 0 以上の整数ではありません。";
    QTest::newRow("1e300") << kDraw3 << with(11, "1e300")
                           << "第3回：キャリーオーバー '1e300' は 0 以上の整数ではありません。";
    QTest::newRow("18-digit winners")
        << kDraw3 << with(10, "100000000000000000")
        << "第3回：５等の口数 100,000,000,000,000,000 が上限の 100,000,000 を超えています。";
    QTest::newRow("paid, no winner")
        << kDraw3 << with(1, "600000000")
        << "第3回：１等の当選口数が 0 口なのに金額が ¥600,000,000 です。";
    QTest::newRow("won, no pay") << kDraw3 << with(5, "0")
                                 << "第3回：３等の当選口数が 100 口なのに金額が ¥0 です。";
    QTest::newRow("1等 below 5等") << kDraw3 << with(1, "200").replace(",0,10", ",1,10")
                                   << "第3回：１等の金額 ¥200 が５等の ¥1,000 より少ないです。";
    QTest::newRow("4等 equal to 5等") << kDraw3 << with(7, "1000") << "";
    QTest::newRow("a Tuesday")
        << "3,2025/09/23,15,16,17,18,19,20,21" << plain
        << "第3回：日付 2025/09/23 は火曜日で、抽選日（月曜と木曜、12/31～1/3 "
           "を除く）ではありません。";
    QTest::newRow("31 December, a Thursday")
        << "3,2026/12/31,15,16,17,18,19,20,21" << plain
        << "第3回：日付 2026/12/31 は木曜日で、抽選日（月曜と木曜、12/31～1/3 "
           "を除く）ではありません。";
}

void TestHistoryCheck::fetchedFigures()
{
    QFETCH(QString, draw);
    QFETCH(QString, prizes);
    QFETCH(QString, fault);
    QCOMPARE(fetchedFiguresFault({draw}, {prizes}).value_or(QString()), fault);
}

void TestHistoryCheck::fetchedPairBelongsTogether_data()
{
    QTest::addColumn<QByteArray>("prizes"); // beside draws 3, 2, 1
    QTest::addColumn<QString>("fault");
    const QByteArray p1 = "1,0,0,1,1,1,1,1,1,1,1,0\r\n", p2 = "2,0,0,1,1,1,1,1,1,1,1,0\r\n",
                     p3 = "3,0,0,1,1,1,1,1,1,1,1,0\r\n";
    const QString words = QStringLiteral("抽選結果の 2 つのファイルが対応していません（%1）。"
                                         "最新の抽選結果をダウンロードしてください。");
    QTest::newRow("together") << p3 + p2 + p1 << "";
    QTest::newRow("a draw less") << p3 + p2
                                 << words.arg("Loto6Number.csv は 3 回分、Loto6Data.csv は 2 回分");
    QTest::newRow("one line only")
        << p3 << words.arg("Loto6Number.csv は 3 回分、Loto6Data.csv は 1 回分");
    QTest::newRow("a blank line") << p3 + "\r\n" + p2 + p1
                                  << words.arg(
                                         "Loto6Number.csv は 3 回分、Loto6Data.csv は 1 回分");
    QTest::newRow("a draw missing inside")
        << p3 + p1 << words.arg("2 行目：Loto6Number.csv は第2回、Loto6Data.csv は第1回");
}

void TestHistoryCheck::fetchedPairBelongsTogether()
{
    QFETCH(QByteArray, prizes);
    QFETCH(QString, fault);
    const QByteArray numbers =
        (QStringList{kDraw3, kDraw2, kDraw1}.join("\r\n") + "\r\n").toLatin1();
    QString found;
    try {
        checkResultsPair(numbers, prizes);
    } catch (const DomainError &e) {
        found = e.message();
    }
    QCOMPARE(found, fault);
}

void TestHistoryCheck::fetchedPairIsCheckedAsAWhole_data()
{
    QTest::addColumn<QByteArray>("numbers");
    QTest::addColumn<QByteArray>("prizes");
    QTest::addColumn<QStringList>("local"); // as loaded
    QTest::addColumn<QString>("fault");     // empty: accepted
    const QByteArray n3 = (QStringList{kDraw3, kDraw2, kDraw1}.join("\r\n") + "\r\n").toLatin1();
    const QByteArray n2 = (QStringList{kDraw2, kDraw1}.join("\r\n") + "\r\n").toLatin1();
    const QByteArray p1 = "1,0,0,1,1,1,1,1,1,1,1,0\r\n", p2 = "2,0,0,1,1,1,1,1,1,1,1,0\r\n",
                     p3 = "3,0,0,1,1,1,1,1,1,1,1,0\r\n";
    const QStringList all{kDraw3, kDraw2, kDraw1};
    QTest::newRow("one more") << n3 << p3 + p2 + p1 << QStringList{kDraw2, kDraw1} << "";
    QTest::newRow("the same as loaded") << n3 << p3 + p2 + p1 << all << "";
    QTest::newRow("nothing loaded") << n3 << p3 + p2 + p1 << QStringList() << "";
    QTest::newRow("no draws") << QByteArray() << p3 << all
                              << "Loto6Number.csv にデータがありません。";
    QTest::newRow("no prizes") << n3 << QByteArray("\r\n") << all
                               << "Loto6Data.csv にデータがありません。";
    QTest::newRow("a line that does not read")
        << n3 << p3 + p2 + "1,0,0,1,1,1,x,1,1,1,1,0\r\n"
        << all
        << "Loto6Data.csv の第1回（3 行目）を読み込めません：'x' は正しい数値ではありません。";
    // The history is judged before the pair and the figures.
    QTest::newRow("a draw older, a prize less")
        << n2 << p2 << all
        << "取得した抽選結果（第2回まで）はお使いの抽選結果（第3回まで）より古いため、使いません。";
    QTest::newRow("a prize less")
        << n3 << p3 + p2 << all
        << "抽選結果の 2 つのファイルが対応していません（Loto6Number.csv は 3 回分、"
           "Loto6Data.csv は 2 回分）。最新の抽選結果をダウンロードしてください。";
    QTest::newRow("a figure not plain") << n3 << p3 + "2,0,0,-1,1,1,1,1,1,1,1,0\r\n" + p1 << all
                                        << "第2回：２等の金額 '-1' は 0 以上の整数ではありません。";
}

void TestHistoryCheck::fetchedPairIsCheckedAsAWhole()
{
    QFETCH(QByteArray, numbers);
    QFETCH(QByteArray, prizes);
    QFETCH(QStringList, local);
    QFETCH(QString, fault);
    QString found;
    ResultsData fetched;
    try {
        fetched = checkFetchedPair(numbers, prizes, draws(local), {}, kToday);
    } catch (const DomainError &e) {
        found = e.message();
    }
    QCOMPARE(found, fault);
    if (fault.isEmpty()) { // read once, whole
        QCOMPARE(fetched.newestDraw, 3);
        QCOMPARE(fetched.draws.size(), 3);
        QCOMPARE(fetched.amounts.size(), 3);
        QCOMPARE(fetched.amounts.first().amount[1], std::int64_t(1));
    }
}

void TestHistoryCheck::bundledHistoryPasses()
{
    const QStringList numberLines = splitTextLines(bundled("Loto6Number.csv"));
    QCOMPARE(invalidDrawFault(draws(numberLines)).value_or(QString()), QString());
    QCOMPARE(fetchedFiguresFault(numberLines, splitTextLines(bundled("Loto6Data.csv")))
                 .value_or(QString()),
             QString());
}

void TestHistoryCheck::typedDrawsLiveInTheFolder()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    QCOMPARE(readTypedDraws(folder), QSet<int>());
    QVERIFY(!adoptTypedDraws(folder, {}));
    writeTypedDraws(folder, {2039});
    QVERIFY(adoptTypedDraws(folder, {2038}));
    QCOMPARE(readTypedDraws(folder), (QSet<int>{2038, 2039}));
    QFile file(folder + kTypedDrawsFileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("2038\r\n2039\r\n"));
    file.close();
    writeBytes(folder + kTypedDrawsFileName, "0\r\n1\r\n");
    QCOMPARE(readTypedDraws(folder), QSet<int>{1});
}

// A replacement cut short by the end of the program after the draw list went in is completed
// at the next start from its journal (also one an older version wrote), only when the journal
// is whole and its bodies read as a pair; else the journal is set aside and both files stay.
void TestHistoryCheck::cutShortPairIsCompletedFromAWholeJournal_data()
{
    QTest::addColumn<bool>("readable");  // the new bodies read as a pair
    QTest::addColumn<bool>("older");     // the journal rewritten as an older version wrote it
    QTest::addColumn<int>("bytesAdded"); // to the journal's end
    QTest::newRow("whole") << true << false << 0;
    QTest::newRow("a byte more") << true << false << 1;
    QTest::newRow("a byte less") << true << false << -1;
    QTest::newRow("bodies that do not read") << false << false << 0;
    QTest::newRow("older, whole") << true << true << 0;
    QTest::newRow("older, a byte less") << true << true << -1;
    QTest::newRow("older, bodies that do not read") << false << true << 0;
}

void TestHistoryCheck::cutShortPairIsCompletedFromAWholeJournal()
{
    QFETCH(bool, readable);
    QFETCH(bool, older);
    QFETCH(int, bytesAdded);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/", journal = folder + kPairJournalName;
    const QByteArray newDraws = readable ? bundled("Loto6Number.csv") : "new draws\r\n";
    const QByteArray newPrizes = readable ? bundled("Loto6Data.csv") : "new prizes\r\n";
    struct ProgramEnded {
    };
    try {
        replacePairUntilSecondCommit(
            folder, [] { throw ProgramEnded(); }, true, newDraws, newPrizes);
        QFAIL("the replacement should have been cut short");
    } catch (const ProgramEnded &) {
    }
    QByteArray bytes =
        older ? "Loto6Yorune pair replacement\n" + QByteArray::number(newDraws.size()) + ' ' +
                    QByteArray::number(newPrizes.size()) + '\n' + newDraws + newPrizes
              : fileBytes(journal);
    if (bytesAdded > 0)
        bytes += QByteArray(bytesAdded, 'x');
    bytes.chop(qMax(0, -bytesAdded));
    writeBytes(journal, bytes);

    const bool whole = readable && bytesAdded == 0;
    const CommitRecovery recovery = finishPairReplacement(folder);
    const QStringList both{kNumberFileName, kDataFileName};
    QCOMPARE(recovery.completed, whole ? both : QStringList());
    QCOMPARE(recovery.refusal.isEmpty(), readable);
    QCOMPARE(recovery.setAsideAs.isEmpty(), whole);
    QVERIFY(recovery.failure.isEmpty());
    QVERIFY(!QFile::exists(journal));
    QCOMPARE(fileBytes(folder + kNumberFileName), newDraws);
    QCOMPARE(fileBytes(folder + kDataFileName), whole ? newPrizes : QByteArray("old prizes\r\n"));
    if (!whole) // set aside, not deleted
        QCOMPARE(fileBytes(folder + recovery.setAsideAs.mid(kDownloadFolder.size())), bytes);
    QCOMPARE(pairRecoveryText(recovery).contains(whole ? "完了しました" : "残してあります"), true);
    QVERIFY(!finishPairReplacement(folder).anything()); // once
}

// The prize table fails to go in: the draw list goes back as it was, and the journal with it;
// should the draw list not go back (a folder now stands in its place), the journal stays, so
// that the next start completes the new pair.
void TestHistoryCheck::failedPrizeTablePutsTheDrawListBack_data()
{
    QTest::addColumn<bool>("oldPair");
    QTest::addColumn<bool>("blocked");
    QTest::addColumn<QByteArray>("drawList"); // after; null: none
    QTest::newRow("the old draw list back") << true << false << QByteArray("old draws\r\n");
    QTest::newRow("none before, none after") << false << false << QByteArray();
    QTest::newRow("the draw list cannot go back") << true << true << QByteArray();
}

void TestHistoryCheck::failedPrizeTablePutsTheDrawListBack()
{
    QFETCH(bool, oldPair);
    QFETCH(bool, blocked);
    QFETCH(QByteArray, drawList);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    QString error;
    try {
        replacePairUntilSecondCommit(
            folder,
            [&folder, blocked] {
                if (blocked) {
                    QFile::remove(folder + kNumberFileName);
                    QDir(folder).mkpath(kNumberFileName + "/in the way");
                }
                throw DomainError("the prize table did not go in");
            },
            oldPair);
    } catch (const DomainError &e) {
        error = e.message();
    }
    QCOMPARE(error, QString("the prize table did not go in"));
    QCOMPARE(QFile::exists(folder + kPairJournalName), blocked);
    if (!blocked) {
        QCOMPARE(QFile::exists(folder + kNumberFileName), !drawList.isNull());
        QCOMPARE(fileBytes(folder + kNumberFileName), drawList);
    }
}

QTEST_GUILESS_MAIN(TestHistoryCheck)
#include "tst_historycheck.moc"
