#include "RandomnessTestForm.h"

#include "RandomnessTest.h"
#include "app/LayoutKit.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

namespace
{

// Below this many draws a number expects fewer than five appearances.
constexpr int kFewestDraws = 36;

QString pText(double p)
{
    return p < 0.001 ? QStringLiteral("p < 0.001") : QStringLiteral("p = %1").arg(p, 0, 'f', 3);
}

} // namespace

QString randomnessVerdict(double p)
{
    return p >= 0.05 ? QStringLiteral("出現回数の偏りは偶然の範囲内です。")
                     : QStringLiteral("偶然とは言いにくい偏りがあります（p < 0.05）。");
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
    chartRandomness->setRenderHint(QPainter::Antialiasing);
    chartRandomness->setMinimumSize(520, 240);

    lblPositionTest = new QLabel;
    lblPositionTest->setObjectName(QStringLiteral("lblPositionTest"));
    lblPositionTest->setWordWrap(true);
    lblPositionTest->setMinimumHeight(72);
    lblPositionTest->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *grid = new QGridLayout(this);
    grid->addLayout(range, 0, 0, 1, 2);
    grid->addWidget(gridRandomness, 1, 0);
    auto *right = new QVBoxLayout;
    right->addLayout(position);
    right->addWidget(chartRandomness, 1);
    grid->addLayout(right, 1, 1);
    grid->addWidget(lblChiSquare, 2, 0);
    grid->addWidget(lblPositionTest, 2, 1);
    grid->addLayout(layout::closeButtonRow(this), 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);

    connect(editRandomnessDraws, qOverload<int>(&QSpinBox::valueChanged), this,
            &RandomnessTestForm::refresh);
    connect(cmbRandomnessPosition, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &RandomnessTestForm::refresh);
    refresh();
    layout::fitToScreen(this, QSize(1000, 640));
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
    if (report.counts.degreesOfFreedom == 0) {
        lblChiSquare->setText(QStringLiteral("抽選がないため、検定できません。"));
    } else {
        lblChiSquare->setText(QStringLiteral("χ² = %2（%1回、同時抽選の補正後）\n自由度 %3　%4\n%5")
                                  .arg(report.draws)
                                  .arg(report.counts.statistic, 0, 'f', 2)
                                  .arg(report.counts.degreesOfFreedom)
                                  .arg(pText(report.counts.p))
                                  .arg(randomnessVerdict(report.counts.p)));
    }
    showPosition(report);
}

void RandomnessTestForm::showPosition(const RandomnessReport &report)
{
    const int k = cmbRandomnessPosition->currentIndex();
    const PositionCounts &counts = report.positions[static_cast<size_t>(k)];

    auto *chart = new QChart;
    chart->setTitle(
        QStringLiteral("%1：出現回数と期待値").arg(cmbRandomnessPosition->currentText()));
    chart->setTitleFont(layout::makeFont(14, true));
    chart->legend()->setFont(layout::makeFont(12));
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto *bars = new QBarSeries;
    auto *observed = new QBarSet(QStringLiteral("出現回数"));
    observed->setColor(QColor(80, 140, 220));
    auto *expected = new QLineSeries;
    expected->setName(QStringLiteral("期待値"));
    expected->setPen(QPen(layout::colour::red, 2));
    double top = 1;
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        const int c = counts.observed[static_cast<size_t>(n - 1)];
        const double e = counts.expected[static_cast<size_t>(n - 1)];
        observed->append(c);
        expected->append(n - 1, e);
        top = std::max({top, double(c), e});
    }
    bars->append(observed);
    bars->setBarWidth(0.8);
    chart->addSeries(bars);
    chart->addSeries(expected);
    // The bars stand at 0..42; the axis names every fifth number beneath its bar.
    auto *x = new QCategoryAxis;
    x->setRange(-0.5, kLotoCount - 0.5);
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (int n : {1, 5, 10, 15, 20, 25, 30, 35, 40, 43})
        x->append(QString::number(n), n - 1);
    x->setGridLineVisible(false);
    x->setTitleText(QStringLiteral("数字"));
    x->setTitleFont(layout::makeFont(11));
    x->setLabelsFont(layout::makeFont(11));
    auto *y = new QValueAxis;
    y->setRange(0, top * 1.1);
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%d"));
    y->setLabelsFont(layout::makeFont(11));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries *series :
         {static_cast<QAbstractSeries *>(bars), static_cast<QAbstractSeries *>(expected)}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    QChart *old = chartRandomness->chart();
    chartRandomness->setChart(chart);
    delete old;

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
            .arg(pText(test.p))
            .arg(randomnessVerdict(test.p)));
}
