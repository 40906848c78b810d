#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class QChart;
class QChartView;

// A label of the horizontal axis at a place on it; category i is drawn from i - 0.5 to i + 0.5.
struct AxisTick {
    double at;
    QString text;
};

// Observed counts per category as bars (named observedName in the legend) against their
// expected counts as a red line, in the window's Gothic font; the horizontal axis shows the
// ticks given, under axisTitle.
QChart *expectationChart(const QString &title, const QString &observedName,
                         const QString &axisTitle, const QVector<double> &observed,
                         const QVector<double> &expected, const QVector<AxisTick> &ticks);

// Tells a screen reader what the expectation chart in the view shows: the chart's title as its
// name, and each category's count beside its expected count as its description,
// "01：281回（期待値 279.3回）、…".
void describeExpectation(QChartView *view, const QStringList &categories,
                         const QVector<double> &observed, const QVector<double> &expected);

// Shows the chart in the view and deletes the one it showed before.
void replaceChart(QChartView *view, QChart *chart);
