// The domain of number picking: the exclusion text, the admission rules of the pick methods
// and the random numbers of automatic generation.

#include "core/common/DomainError.h"
#include "core/picking/ExclusionCodec.h"
#include "core/picking/LineGenerator.h"
#include "core/picking/NumberTyping.h"
#include "core/picking/PickRules.h"

#include <QTest>

namespace
{

PickedNumbers pickedOf(std::initializer_list<int> numbers)
{
    PickedNumbers picked{};
    for (int n : numbers)
        picked[n - 1] = true;
    return picked;
}

} // namespace

class TestPickRules : public QObject
{
    Q_OBJECT
private slots:
    void exclusionMembership_data();
    void exclusionMembership();
    void exclusionEncoding();
    void threshold_data();
    void threshold();
    void everyPositionReaches();
    void admissionPerMethod();
    void exhaustedPositionIsDetected();
    void knownSeedGivesKnownSequence_data();
    void knownSeedGivesKnownSequence();
    void seedFromTimeOfDay();
    void drawAdmissibleSkipsRejectedCandidates();
    void typedNumbers_data();
    void typedNumbers();
};

void TestPickRules::exclusionMembership_data()
{
    QTest::addColumn<QString>("deleteNum");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("listed");
    QTest::newRow("first entry") << "03 17 25 " << 3 << true;
    QTest::newRow("middle entry") << "03 17 25 " << 17 << true;
    QTest::newRow("last entry") << "03 17 25 " << 25 << true;
    QTest::newRow("absent") << "03 17 25 " << 7 << false;
    QTest::newRow("digit of an entry") << "03 17 25 " << 1 << false;
    QTest::newRow("across entries") << "10 30 " << 3 << false;
    QTest::newRow("10 of 10 30") << "10 30 " << 10 << true;
    QTest::newRow("30 of 10 30") << "10 30 " << 30 << true;
    QTest::newRow("empty") << "" << 3 << false;
    QTest::newRow("last without blank") << "03 17" << 17 << false;
    QTest::newRow("misaligned") << " 03 " << 3 << false;
    QTest::newRow("43") << "01 43 " << 43 << true;
}

void TestPickRules::exclusionMembership()
{
    QFETCH(QString, deleteNum);
    QFETCH(int, number);
    QFETCH(bool, listed);
    QCOMPARE(exclusion::contains(deleteNum, number), listed);
}

void TestPickRules::exclusionEncoding()
{
    ExclusionSet flags{};
    QCOMPARE(exclusion::encode(flags), QString());
    flags[24] = flags[2] = flags[16] = 1;
    QCOMPARE(exclusion::encode(flags), QString("03 17 25 "));

    ExclusionSet all{};
    all.fill(1);
    const QString text = exclusion::encode(all);
    QCOMPARE(text.size(), 43 * 3);
    QVERIFY(text.startsWith("01 02 "));
    QVERIFY(text.endsWith("42 43 "));
    for (int n = 1; n <= 43; ++n)
        QVERIFY(exclusion::contains(text, n));
}

void TestPickRules::threshold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // -1: not an integer
    QTest::newRow("plain") << "20" << 20;
    QTest::newRow("leading blank") << " 7" << 7;
    QTest::newRow("signed") << "+5" << 5;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("lone plus") << "+" << -1;
    QTest::newRow("lone minus") << "-" << -1;
    QTest::newRow("decimal") << "1.5" << -1;
}

void TestPickRules::threshold()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    if (value >= 0) {
        QCOMPARE(parseThreshold(text), value);
        return;
    }
    try {
        parseThreshold(text);
        QFAIL("no error for a text that is not an integer");
    } catch (const DomainError &e) {
        QVERIFY2(e.message().contains("'" + text + "'") && e.message().contains("整数"),
                 qPrintable(e.message()));
    }
}

void TestPickRules::everyPositionReaches()
{
    BaseCountTable counts{};
    for (int p = 0; p < 6; ++p)
        counts[p][p] = 10 + p; // position p: only number p + 1, drawn 10 + p times
    QVERIFY(::everyPositionReaches(counts, 10));
    QVERIFY(!::everyPositionReaches(counts, 11)); // position ① falls short
    QVERIFY(::everyPositionReaches(counts, 11, 0));
    counts[0][40] = 11;
    QVERIFY(::everyPositionReaches(counts, 11));
    QVERIFY(!::everyPositionReaches(counts, 16));
}

void TestPickRules::admissionPerMethod()
{
    const PickedNumbers picked = pickedOf({5, 9});
    ExclusionSet excluded{};
    excluded[6] = 1; // 7
    BaseCountTable counts{};
    counts[0][6] = 3; // 7 at ①
    counts[0][7] = 2; // 8 at ①

    const AdmissionRule random = AdmissionRule::random();
    const AdmissionRule excluding = AdmissionRule::excluding(excluded);
    const AdmissionRule filtered = AdmissionRule::countFiltered(counts, 3);
    QCOMPARE(random.method(), PickMethod::Random);
    QCOMPARE(excluding.method(), PickMethod::ExclusionBased);
    QCOMPARE(filtered.method(), PickMethod::CountFiltered);

    // Every method rejects a number already picked.
    for (const AdmissionRule *rule : {&random, &excluding, &filtered})
        QVERIFY(!rule->admits(5, 0, picked));
    // Random ignores the exclusions and the counts.
    QVERIFY(random.admits(7, 0, picked));
    QVERIFY(random.admits(1, 0, picked));
    // Exclusion-based ignores the counts.
    QVERIFY(!excluding.admits(7, 0, picked));
    QVERIFY(excluding.admits(8, 0, picked));
    // Count-filtered ignores the exclusions: 7 reaches 3 at ①, 8 does not.
    QVERIFY(filtered.admits(7, 0, picked));
    QVERIFY(!filtered.admits(8, 0, picked));
    QVERIFY(!filtered.admits(7, 1, picked)); // never drawn at ②
    // Out of range.
    QVERIFY(!random.admits(0, 0, picked));
    QVERIFY(!random.admits(44, 0, picked));

    QCOMPARE(pickMethodFromIndex(0), PickMethod::Manual);
    QCOMPARE(pickMethodFromIndex(1), PickMethod::Random);
    QCOMPARE(pickMethodFromIndex(2), PickMethod::ExclusionBased);
    QCOMPARE(pickMethodFromIndex(3), PickMethod::CountFiltered);
    QCOMPARE(pickMethodFromIndex(7), PickMethod::CountFiltered);
    QCOMPARE(pickMethodFromIndex(-1), PickMethod::CountFiltered);
}

void TestPickRules::exhaustedPositionIsDetected()
{
    BaseCountTable counts{};
    counts[0][2] = 30; // 3 at ①
    counts[1][2] = 30; // 3 at ②, and nothing else reaches the threshold there
    counts[1][4] = 10;
    const AdmissionRule rule = AdmissionRule::countFiltered(counts, 20);
    QVERIFY(rule.anyAdmissible(0, {}));
    QVERIFY(rule.anyAdmissible(1, {}));
    QVERIFY(!rule.anyAdmissible(1, pickedOf({3}))); // taken by ①: ② is starved
    QVERIFY(!rule.anyAdmissible(2, {}));            // nothing reaches at ③

    LotoRandom random(12345);
    QCOMPARE(drawAdmissible(random, rule, 1, pickedOf({3})), std::nullopt);
    QCOMPARE(random.seed(), 12345u); // detected without drawing

    // Random and exclusion-based runs always have numbers left for a line.
    ExclusionSet twenty{};
    for (int n = 1; n <= 20; ++n)
        twenty[n - 1] = 1;
    QVERIFY(AdmissionRule::excluding(twenty).anyAdmissible(5, pickedOf({21, 22, 23, 24, 25})));
    QVERIFY(AdmissionRule::random().anyAdmissible(5, pickedOf({1, 2, 3, 4, 5})));
}

void TestPickRules::knownSeedGivesKnownSequence_data()
{
    QTest::addColumn<uint>("seed");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<uint>("finalSeed");
    QTest::newRow("zero") << 0u << QList<int>{1, 2, 38, 9, 12, 29, 14, 7, 17, 19} << 1828254910u;
    QTest::newRow("12:34:56.789") << 45296789u << QList<int>{22, 12, 16, 2, 31, 20, 5, 22, 35, 4}
                                  << 357950379u;
    QTest::newRow("wraps at 2^32") << 0xFFFFFFFFu << QList<int>{42, 9, 23} << 2231304098u;
}

void TestPickRules::knownSeedGivesKnownSequence()
{
    QFETCH(uint, seed);
    QFETCH(QList<int>, numbers);
    QFETCH(uint, finalSeed);
    LotoRandom random(seed);
    QList<int> drawn;
    for (int i = 0; i < numbers.size(); ++i)
        drawn.append(random.nextNumber());
    QCOMPARE(drawn, numbers);
    QCOMPARE(random.seed(), finalSeed);
}

void TestPickRules::seedFromTimeOfDay()
{
    QCOMPARE(LotoRandom::seedFromTimeOfDay(QTime(0, 0)), 0u);
    QCOMPARE(LotoRandom::seedFromTimeOfDay(QTime(12, 34, 56, 789)), 45296789u);
    QCOMPARE(LotoRandom::seedFromTimeOfDay(QTime(23, 59, 59, 999)), 86399999u);
}

void TestPickRules::drawAdmissibleSkipsRejectedCandidates()
{
    // Seed 0 draws 1, 2, 38, ...: with 1 and 2 excluded the first admitted is 38.
    ExclusionSet excluded{};
    excluded[0] = excluded[1] = 1;
    LotoRandom random(0);
    QCOMPARE(drawAdmissible(random, AdmissionRule::excluding(excluded), 0, {}), 38);
    // Then 9, 12, ...: 9 already picked, so 12.
    QCOMPARE(drawAdmissible(random, AdmissionRule::random(), 1, pickedOf({9})), 12);

    // A single admissible number is found from any seed.
    BaseCountTable counts{};
    counts[3][41] = 1; // 42 at ④
    for (uint seed : {0u, 1u, 777u, 0xFFFFFFFFu}) {
        LotoRandom r(seed);
        QCOMPARE(drawAdmissible(r, AdmissionRule::countFiltered(counts, 1), 3, {}), 42);
    }
}

void TestPickRules::typedNumbers_data()
{
    // Keys typed on the board: digits, "." the pause or another key, "x" Escape.
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QList<int>>("picks");
    QTest::addColumn<bool>("waiting"); // a digit still waits after the keys
    QTest::newRow("4 then 1: 41") << "41" << QList<int>{41} << false;
    QTest::newRow("4 alone waits") << "4" << QList<int>{} << true;
    QTest::newRow("4, pause: 4") << "4." << QList<int>{4} << false;
    QTest::newRow("43, the last") << "43" << QList<int>{43} << false;
    QTest::newRow("44: 4, then 4 waits") << "44" << QList<int>{4} << true;
    QTest::newRow("45: 4, 5") << "45" << QList<int>{4, 5} << false;
    QTest::newRow("40") << "40" << QList<int>{40} << false;
    QTest::newRow("1, pause: the first") << "1." << QList<int>{1} << false;
    QTest::newRow("10") << "10" << QList<int>{10} << false;
    QTest::newRow("5 at once") << "5" << QList<int>{5} << false;
    QTest::newRow("9 at once") << "9" << QList<int>{9} << false;
    QTest::newRow("39") << "39" << QList<int>{39} << false;
    QTest::newRow("03: leading zero") << "03" << QList<int>{3} << false;
    QTest::newRow("0 alone: none") << "0." << QList<int>{} << false;
    QTest::newRow("00: none") << "00." << QList<int>{} << false;
    QTest::newRow("50: 5, 0 none") << "50." << QList<int>{5} << false;
    QTest::newRow("412: 41, then 2") << "412." << QList<int>{41, 2} << false;
    QTest::newRow("1, pause, 1") << "1.1." << QList<int>{1, 1} << false;
    QTest::newRow("4, Escape: none") << "4x." << QList<int>{} << false;
}

void TestPickRules::typedNumbers()
{
    QFETCH(QString, keys);
    QFETCH(QList<int>, picks);
    QFETCH(bool, waiting);
    NumberTyping typing;
    QList<int> picked;
    for (const QChar key : keys) {
        if (key.isDigit())
            picked += typing.typeDigit(key.digitValue());
        else if (key == QLatin1Char('x'))
            typing.cancel();
        else if (const std::optional<int> n = typing.finish())
            picked << *n;
    }
    QCOMPARE(picked, picks);
    QCOMPARE(typing.isWaiting(), waiting);
}

QTEST_GUILESS_MAIN(TestPickRules)
#include "tst_pickrules.moc"
