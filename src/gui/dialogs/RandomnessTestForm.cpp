#include "gui/dialogs/RandomnessTestForm.h"

#include "core/analysis/RandomnessTest.h"
#include "gui/widgets/ExpectationChart.h"
#include "gui/widgets/LayoutKit.h"

#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

// Below this many draws a number expects fewer than five appearances.
constexpr int kFewestDraws = 36;
// The least height of the position chart that keeps its bars and axis labels readable.
constexpr int kChartMinimumHeight = 280;

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

RandomnessTestForm::RandomnessTestForm(const QVector<DrawRecord> &history, QWidget *parent)
    : QDialog(parent), m_history(history, QStringList())
{
    setObjectName(QStringLiteral("RandomnessTestForm"));
    setWindowTitle(QStringLiteral("出現傾向の検定"));
    setFont(layout::makeFont(15));
    const int all = static_cast<int>(m_history.draws().size());

    auto *rangeLabel = new QLabel(QStringLiteral("新しい方から"));
    editRandomnessDraws = new QSpinBox;
    editRandomnessDraws->setObjectName(QStringLiteral("editRandomnessDraws"));
    editRandomnessDraws->setRange(qMin(kFewestDraws, all), all);
    editRandomnessDraws->setValue(all);
    editRandomnessDraws->setMinimumWidth(90);
    auto *rangeTail = new QLabel(QStringLiteral("回の抽選を対象にします（全%1回）。").arg(all));
    auto *range = new QHBoxLayout;
    range->addWidget(rangeLabel);
    range->addWidget(editRandomnessDraws);
    range->addWidget(rangeTail);
    range->addStretch(1);

    gridRandomness =
        layout::readOnlyTable("gridRandomness", kLotoCount,
                              {QStringLiteral("数字"), QStringLiteral("出現回数"),
                               QStringLiteral("期待値"), QStringLiteral("標準化偏差")});
    gridRandomness->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridRandomness->verticalHeader()->setDefaultSectionSize(22);
    const QVector<int> widths = {50, 80, 80, 96};
    for (int c = 0; c < widths.size(); ++c)
        gridRandomness->setColumnWidth(c, widths.at(c));
    gridRandomness->setFixedWidth(50 + 80 + 80 + 96 + 24);

    lblChiSquare = new QLabel;
    lblChiSquare->setObjectName(QStringLiteral("lblChiSquare"));
    lblChiSquare->setWordWrap(true);
    lblChiSquare->setFixedWidth(gridRandomness->width());
    lblChiSquare->setMinimumHeight(72);
    lblChiSquare->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cmbRandomnessPosition = new QComboBox;
    cmbRandomnessPosition->setObjectName(QStringLiteral("cmbRandomnessPosition"));
    const QStringList positions = {
        QStringLiteral("①（いちばん小さい数字）"), QStringLiteral("②（小さい方から２番目）"),
        QStringLiteral("③（小さい方から３番目）"), QStringLiteral("④（小さい方から４番目）"),
        QStringLiteral("⑤（小さい方から５番目）"), QStringLiteral("⑥（いちばん大きい数字）")};
    cmbRandomnessPosition->addItems(positions);
    auto *positionLabel = new QLabel(QStringLiteral("位置ごとの出現回数"));
    auto *position = new QHBoxLayout;
    position->addWidget(positionLabel);
    position->addWidget(cmbRandomnessPosition);
    position->addStretch(1);

    chartRandomness = new QChartView;
    chartRandomness->setObjectName(QStringLiteral("chartRandomness"));
    chartRandomness->setFocusPolicy(Qt::NoFocus); // nothing in it takes a key
    chartRandomness->setRenderHint(QPainter::Antialiasing);
    // Tall enough for readable bars and axis labels; a lower screen scrolls the window instead.
    chartRandomness->setMinimumSize(520, kChartMinimumHeight);

    lblPositionTest = new QLabel;
    lblPositionTest->setObjectName(QStringLiteral("lblPositionTest"));
    lblPositionTest->setWordWrap(true);
    lblPositionTest->setMinimumHeight(72);
    lblPositionTest->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The seven tests side by side, each p beside its adjustment for being read with the rest.
    gridRandomnessTests = layout::readOnlyTable(
        "gridRandomnessTests", kTests,
        {QStringLiteral("検定"), QStringLiteral("χ²"), QStringLiteral("自由度"),
         QStringLiteral("p 値"), QStringLiteral("補正後 p 値"), QStringLiteral("判定")});
    gridRandomnessTests->verticalHeader()->setDefaultSectionSize(22);
    const QVector<int> testWidths = {64, 72, 60, 72, 96, 120};
    for (int c = 0; c < testWidths.size(); ++c)
        gridRandomnessTests->setColumnWidth(c, testWidths.at(c));
    gridRandomnessTests->horizontalHeader()->setStretchLastSection(true);
    // All seven rows in sight: the height is fixed to them, and the verdict column takes the
    // width that is left rather than a scroll bar taking a row's place.
    gridRandomnessTests->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gridRandomnessTests->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gridRandomnessTests->setFixedHeight(
        gridRandomnessTests->horizontalHeader()->sizeHint().height() +
        gridRandomnessTests->verticalHeader()->length() + 2 * gridRandomnessTests->frameWidth());

    // Everything but "閉じる" lies in a scroll area, which shows its bar only when the screen
    // is too low for the chart's minimum.
    auto *content = new QWidget;
    content->setObjectName(QStringLiteral("RandomnessContent"));
    auto *grid = new QGridLayout(content);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addLayout(range, 0, 0, 1, 2);
    grid->addWidget(gridRandomness, 1, 0);
    auto *right = new QVBoxLayout;
    right->addLayout(position);
    right->addWidget(chartRandomness, 1);
    grid->addLayout(right, 1, 1);
    right->addWidget(lblPositionTest);
    grid->addWidget(lblChiSquare, 2, 0, Qt::AlignTop);
    grid->addWidget(gridRandomnessTests, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    auto *scroller = new QScrollArea;
    scroller->setObjectName(QStringLiteral("scrollRandomness"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus); // Tab goes to the controls within
    scroller->setWidgetResizable(true);
    scroller->setWidget(content);
    auto *page = new QVBoxLayout(this);
    page->addWidget(scroller, 1);
    page->addLayout(layout::closeButtonRow(this));

    connect(editRandomnessDraws, qOverload<int>(&QSpinBox::valueChanged), this,
            &RandomnessTestForm::refresh);
    connect(cmbRandomnessPosition, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &RandomnessTestForm::refresh);
    refresh();
    layout::fitToScreen(this, QSize(1000, 720));
}

void RandomnessTestForm::refresh()
{
    const RandomnessReport report = testRandomness(m_history.draws(), editRandomnessDraws->value());
    for (int i = 0; i < kLotoCount; ++i) {
        const NumberCount &count = report.numbers[static_cast<size_t>(i)];
        gridRandomness->setItem(i, 0, layout::tableItem(QString::number(i + 1)));
        gridRandomness->setItem(i, 1, layout::tableItem(QString::number(count.observed)));
        gridRandomness->setItem(i, 2, layout::tableItem(QString::number(count.expected, 'f', 2)));
        QTableWidgetItem *deviation =
            layout::tableItem(QString::number(count.standardised, 'f', 2));
        if (std::abs(count.standardised) >= 2.0)
            deviation->setForeground(layout::colour::red);
        gridRandomness->setItem(i, 3, deviation);
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
        gridRandomnessTests->setItem(t, 0, layout::tableItem(names.at(t), Qt::AlignCenter));
        gridRandomnessTests->setItem(
            t, 1,
            layout::tableItem(testable ? QString::number(test.statistic, 'f', 2) : QString()));
        gridRandomnessTests->setItem(
            t, 2, layout::tableItem(testable ? QString::number(test.degreesOfFreedom) : QString()));
        gridRandomnessTests->setItem(t, 3,
                                     layout::tableItem(testable ? pValue(test.p) : QString()));
        gridRandomnessTests->setItem(t, 4,
                                     layout::tableItem(testable ? pValue(adjusted) : QString()));
        QTableWidgetItem *verdict = layout::tableItem(
            !testable ? QStringLiteral("検定できません")
                      : (adjusted >= 0.05 ? QStringLiteral("偶然の範囲内")
                                          : QStringLiteral("偶然とは言いにくい偏り")),
            Qt::AlignLeft | Qt::AlignVCenter);
        if (testable && adjusted < 0.05)
            verdict->setForeground(layout::colour::red);
        gridRandomnessTests->setItem(t, 5, verdict);
    }

    if (report.counts.degreesOfFreedom == 0) {
        lblChiSquare->setText(QStringLiteral("抽選がないため、検定できません。"));
    } else {
        lblChiSquare->setText(QStringLiteral("χ² = %2（%1回、同時抽選の補正後）\n自由度 %3　%4\n%5")
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
    const int k = cmbRandomnessPosition->currentIndex();
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
        chartRandomness,
        expectationChart(
            QStringLiteral("%1：出現回数と期待値").arg(cmbRandomnessPosition->currentText()),
            QStringLiteral("出現回数"), QStringLiteral("数字"), observed, expected, ticks));

    const ChiSquareTest &test = counts.test;
    if (test.degreesOfFreedom == 0) {
        lblPositionTest->setText(QStringLiteral("抽選回数が少ないため、検定できません。"));
        return;
    }
    lblPositionTest->setText(
        QStringLiteral("χ² = %1（期待値が５以上になるよう隣の数字をまとめた%3区分）\n"
                       "自由度 %2　%4\n%5")
            .arg(test.statistic, 0, 'f', 2)
            .arg(test.degreesOfFreedom)
            .arg(counts.cells.size())
            .arg(pText(test.p, m_adjustedP.at(k + 1)))
            .arg(randomnessVerdict(m_adjustedP.at(k + 1))));
}
