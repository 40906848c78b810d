#pragma once

#include <QChart>
#include <QVector>

class QAbstractSeries;
class QBarCategoryAxis;
class QBarSet;
class QChartView;
class QLineSeries;
class QValueAxis;
class TrendChartDecor;

// One trend chart: a single series of labelled values, one point per number, drawn with walls
// and a floor in a shallow 3-D look.
//
// Qt Charts gives a bar set one colour, but every number keeps its own colour here. So the
// series holds the values and the bottom axis the labels, as any reader of the chart finds
// them (series 0, its bar set "縦棒" or its points, and the axis categories), while the bar set
// itself is transparent: a painted layer in front of the series draws each bar in its
// number's palette colour, the markers of the line, and the value labels with their
// connectors, and the point labels under the axis (the axis would shorten two-digit labels to
// "..." in slots this narrow, so it only keeps their room). A second layer behind the series draws
// the walls and the floor.
class TrendChart : public QChart
{
    Q_OBJECT
public:
    enum class Style { Bars, Line };

    TrendChart(Style style, int depthPixels);

    Style style() const { return m_style; }
    QAbstractSeries *series0() const;

    // Replaces every point and label: a point for each value at x = 0, 1, ..., with the label
    // of the same index. The value axis is fitted once, to all of them.
    void setValues(const QVector<int> &values, const QStringList &labels);
    QVector<int> values() const;
    QStringList labels() const;

    // The tooltip of the point whose slot holds the position (in the chart's coordinates),
    // e.g. "05：192回"; empty outside the points. Every point has one, labelled or not.
    QString pointToolTip(const QPointF &position) const;

    // The colour of the point at index i; the same index always gets the same colour.
    static QColor paletteColour(int index);

private:
    void rescale();
    void describeValues();

    Style m_style;
    QBarSet *m_barSet = nullptr;
    QLineSeries *m_line = nullptr;
    QBarCategoryAxis *m_labels = nullptr;
    QValueAxis *m_valueAxis = nullptr;
    TrendChartDecor *m_back = nullptr;
    TrendChartDecor *m_front = nullptr;
};

// A trend chart view in its design-time state, hidden, that shows each point's tooltip.
// depthPercent is the 3-D depth as a share of the view's width.
QChartView *buildTrendChart(QWidget *parent, const QString &name, const QRect &place,
                            TrendChart::Style style, int depthPercent);
