#include "gui/dialogs/RandomnessTestForm.h"

#include "core/analysis/RandomnessTest.h"
#include "core/common/ComType.h"
#include "gui/AccessibleNames.h"
#include "gui/widgets/ExpectationChart.h"
#include "gui/widgets/LayoutKit.h"

#include "ui_RandomnessTestForm.h"

#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>

namespace
{

// Below this many draws a number expects fewer than five appearances.
constexpr int kFewestDraws = 36;
// The least height of the position chart that keeps its bars and axis labels readable, and
// leaves the whole table of tests in sight on a screen of 1280 × 672 (1920 × 1080 at 150 % or
// 2560 × 1440 at 200 %, a taskbar below).
constexpr int kChartMinimumHeight = 250;

// All numbers, and the positions ① to ⑥.
constexpr int kTests = 1 + kPicksPerLine;

QString pValue(double p)
{
    return p < 0.001 ? QStringLiteral("< 0.001") : QString::number(p, 'f', 3);
}

// "p = 0.028（補正後 p = 0.196）"
QString pText(double p, double adjusted)
{
    const auto one = [](const QString &name, double value) {
        return value < 0.001 ? name + QStringLiteral(" < 0.001")
                             : name + QStringLiteral(" = ") + pValue(value);
    };
    return one(QStringLiteral("p"), p) + QStringLiteral("（") +
           one(QStringLiteral("補正後 p"), adjusted) + QStringLiteral("）");
}

} // namespace

QString randomnessVerdict(double adjustedP)
{
    return adjustedP >= 0.05
               ? QStringLiteral("出現回数の偏りは偶然の範囲内です。")
               : QStringLiteral("偶然とは言いにくい偏りがあります（補正後 p < 0.05）。");
}

RandomnessTestForm::RandomnessTestForm(const PastDraws &history, QWidget *parent)
    : QDialog(parent), m_history(history), m_ui(std::make_unique<Ui::RandomnessTestForm>())
{
    m_ui->setupUi(this);
    setFont(layout::makeFont(15));
    const int all = static_cast<int>(m_history.draws().size());
    m_ui->editRandomnessDraws->setRange(qMin(kFewestDraws, all), all);
    m_ui->editRandomnessDraws->setValue(all);
    m_ui->lblRandomnessAll->setText(QStringLiteral("回の抽選を対象にします（全%1回）。").arg(all));

    QTableWidget *numbers = m_ui->gridRandomness;
    layout::applyGridHabits(numbers);
    const int width = layout::setColumnWidths(numbers, {50, 80, 80, 96}) + 24; // frame, scroll bar
    numbers->setFixedWidth(width);
    m_ui->lblChiSquare->setFixedWidth(width);

    // Tall enough for readable bars and axis labels; a lower screen scrolls the window instead.
    m_ui->chartRandomness->setRenderHint(QPainter::Antialiasing);
    m_ui->chartRandomness->setMinimumSize(520, kChartMinimumHeight);

    QTableWidget *tests = m_ui->gridRandomnessTests;
    layout::applyGridHabits(tests);
    layout::setColumnWidths(tests, {64, 72, 60, 72, 96, 120});
    tests->setFixedHeight(tests->horizontalHeader()->sizeHint().height() +
                          tests->verticalHeader()->length() + 2 * tests->frameWidth());

    connect(m_ui->editRandomnessDraws, qOverload<int>(&QSpinBox::valueChanged), this,
            &RandomnessTestForm::refresh);
    connect(m_ui->cmbRandomnessPosition, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &RandomnessTestForm::refresh);
    refresh();
    layout::fitToScreen(this, QSize(1000, 720));
    nameForScreenReaders(this);
}

RandomnessTestForm::~RandomnessTestForm() = default;

void RandomnessTestForm::refresh()
{
    const RandomnessReport report =
        testRandomness(m_history.draws(), m_ui->editRandomnessDraws->value());
    for (int i = 0; i < kLotoCount; ++i) {
        const NumberCount &count = report.numbers[static_cast<size_t>(i)];
        m_ui->gridRandomness->setItem(i, 0, layout::tableItem(QString::number(i + 1)));
        m_ui->gridRandomness->setItem(i, 1, layout::tableItem(QString::number(count.observed)));
        m_ui->gridRandomness->setItem(i, 2,
                                      layout::tableItem(QString::number(count.expected, 'f', 2)));
        QTableWidgetItem *deviation =
            layout::tableItem(QString::number(count.standardised, 'f', 2));
        if (std::abs(count.standardised) >= 2.0)
            deviation->setForeground(layout::colour::red);
        m_ui->gridRandomness->setItem(i, 3, deviation);
    }

    // Test 0: all numbers; tests 1..6: positions ① to ⑥. Read together, their verdicts go by
    // Holm's adjustment: with seven plain verdicts one false alarm would be common.
    QVector<const ChiSquareTest *> tests{&report.counts};
    for (const PositionCounts &position : report.positions)
        tests.append(&position.test);
    QVector<double> p;
    for (const ChiSquareTest *test : tests)
        p.append(test->p);
    m_adjustedP = holmAdjusted(p);
    const QStringList names = {QStringLiteral("全数字"), QStringLiteral("①"), QStringLiteral("②"),
                               QStringLiteral("③"),      QStringLiteral("④"), QStringLiteral("⑤"),
                               QStringLiteral("⑥")};
    for (int t = 0; t < kTests; ++t) {
        const ChiSquareTest &test = *tests.at(t);
        const bool testable = test.degreesOfFreedom > 0;
        const double adjusted = m_adjustedP.at(t);
        m_ui->gridRandomnessTests->setItem(t, 0, layout::tableItem(names.at(t), Qt::AlignCenter));
        m_ui->gridRandomnessTests->setItem(
            t, 1,
            layout::tableItem(testable ? QString::number(test.statistic, 'f', 2) : QString()));
        m_ui->gridRandomnessTests->setItem(
            t, 2, layout::tableItem(testable ? QString::number(test.degreesOfFreedom) : QString()));
        m_ui->gridRandomnessTests->setItem(
            t, 3, layout::tableItem(testable ? pValue(test.p) : QString()));
        m_ui->gridRandomnessTests->setItem(
            t, 4, layout::tableItem(testable ? pValue(adjusted) : QString()));
        QTableWidgetItem *verdict = layout::tableItem(
            !testable ? QStringLiteral("検定できません")
                      : (adjusted >= 0.05 ? QStringLiteral("偶然の範囲内")
                                          : QStringLiteral("偶然とは言いにくい偏り")),
            Qt::AlignLeft | Qt::AlignVCenter);
        if (testable && adjusted < 0.05)
            verdict->setForeground(layout::colour::red);
        m_ui->gridRandomnessTests->setItem(t, 5, verdict);
    }

    if (report.counts.degreesOfFreedom == 0) {
        m_ui->lblChiSquare->setText(QStringLiteral("抽選がないため、検定できません。"));
    } else {
        m_ui->lblChiSquare->setText(
            QStringLiteral("χ² = %2（%1回、同時抽選の補正後）\n自由度 %3　%4\n%5")
                .arg(report.draws)
                .arg(report.counts.statistic, 0, 'f', 2)
                .arg(report.counts.degreesOfFreedom)
                .arg(pText(report.counts.p, m_adjustedP.at(0)))
                .arg(randomnessVerdict(m_adjustedP.at(0))));
    }
    showPosition(report);
}

void RandomnessTestForm::showPosition(const RandomnessReport &report)
{
    const int k = m_ui->cmbRandomnessPosition->currentIndex();
    const PositionCounts &counts = report.positions[static_cast<size_t>(k)];

    QVector<double> observed, expected;
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        observed.append(counts.observed[static_cast<size_t>(n - 1)]);
        expected.append(counts.expected[static_cast<size_t>(n - 1)]);
    }
    // The bars stand at 0..42; the axis names every fifth number beneath its bar.
    QVector<AxisTick> ticks;
    for (int n : {1, 5, 10, 15, 20, 25, 30, 35, 40, 43})
        ticks.append({double(n - 1), QString::number(n)});
    replaceChart(
        m_ui->chartRandomness,
        expectationChart(
            QStringLiteral("%1：出現回数と期待値").arg(m_ui->cmbRandomnessPosition->currentText()),
            QStringLiteral("出現回数"), QStringLiteral("数字"), observed, expected, ticks));
    QStringList numbers;
    for (int n = kLotoMin; n <= kLotoMax; ++n)
        numbers.append(twoDigits(n));
    describeExpectation(m_ui->chartRandomness, numbers, observed, expected);

    const ChiSquareTest &test = counts.test;
    if (test.degreesOfFreedom == 0) {
        m_ui->lblPositionTest->setText(QStringLiteral("抽選回数が少ないため、検定できません。"));
        return;
    }
    m_ui->lblPositionTest->setText(
        QStringLiteral("χ² = %1（期待値が５以上になるよう隣の数字をまとめた%3区分）\n"
                       "自由度 %2　%4\n%5")
            .arg(test.statistic, 0, 'f', 2)
            .arg(test.degreesOfFreedom)
            .arg(counts.cells.size())
            .arg(pText(test.p, m_adjustedP.at(k + 1)))
            .arg(randomnessVerdict(m_adjustedP.at(k + 1))));
}
