#pragma once

#include <QGraphicsItem>

class TrendChart;

// A painted layer of a trend chart (see TrendChart): behind the series, the back wall, the
// left wall and the floor; in front of it, the coloured 3-D bars or the line's markers, and
// the value labels joined to their points by a short connector.
class TrendChartDecor : public QGraphicsItem
{
public:
    enum class Layer { Walls, Points };

    TrendChartDecor(TrendChart *chart, Layer layer, int depthPixels);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    void paintWalls(QPainter *painter) const;
    void paintBars(QPainter *painter) const;
    void paintMarkers(QPainter *painter) const;
    void paintPointLabels(QPainter *painter) const;
    void paintValueLabel(QPainter *painter, const QPointF &point, int value, qreal slot) const;

    TrendChart *m_chart;
    Layer m_layer;
    int m_depth;
};
