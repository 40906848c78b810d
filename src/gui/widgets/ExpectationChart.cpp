#include "ExpectationChart.h"

#include "gui/widgets/LayoutKit.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

QChart *expectationChart(const QString &title, const QString &observedName,
                         const QString &axisTitle, const QVector<double> &observed,
                         const QVector<double> &expected, const QVector<AxisTick> &ticks)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->setTitleFont(layout::makeFont(14, true));
    chart->legend()->setFont(layout::makeFont(12));
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto *bars = new QBarSeries;
    auto *counts = new QBarSet(observedName);
    counts->setColor(QColor(80, 140, 220));
    auto *line = new QLineSeries;
    line->setName(QStringLiteral("期待値"));
    line->setPen(QPen(layout::colour::red, 2));
    double top = 1;
    for (int i = 0; i < observed.size(); ++i) {
        counts->append(observed.at(i));
        line->append(i, expected.at(i));
        top = std::max({top, observed.at(i), expected.at(i)});
    }
    bars->append(counts);
    bars->setBarWidth(0.8);
    chart->addSeries(bars);
    chart->addSeries(line);
    auto *x = new QCategoryAxis;
    x->setRange(-0.5, observed.size() - 0.5);
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (const AxisTick &tick : ticks)
        x->append(tick.text, tick.at);
    x->setGridLineVisible(false);
    x->setTitleText(axisTitle);
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
         {static_cast<QAbstractSeries *>(bars), static_cast<QAbstractSeries *>(line)}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    return chart;
}

void replaceChart(QChartView *view, QChart *chart)
{
    QChart *old = view->chart();
    view->setChart(chart);
    delete old;
}

void describeExpectation(QChartView *view, const QStringList &categories,
                         const QVector<double> &observed, const QVector<double> &expected)
{
    QStringList values;
    for (int i = 0; i < observed.size(); ++i)
        values.append(QStringLiteral("%1：%2回（期待値 %3回）")
                          .arg(categories.value(i))
                          .arg(observed.at(i), 0, 'f', 0)
                          .arg(expected.value(i), 0, 'f', 1));
    view->setAccessibleName(view->chart() ? view->chart()->title() : QString());
    view->setAccessibleDescription(values.join(QStringLiteral("、")));
}
