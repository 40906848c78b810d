#pragma once

#include <QGraphicsItem>
#include <QPolygonF>
#include <QVector>

class TrendChart;

// A painted layer of a trend chart (see TrendChart): behind the series, the back wall, the
// left wall and the floor; in front of it, the coloured 3-D bars or the line's markers, and
// the value labels joined to their points by a short connector.
class TrendChartDecor : public QGraphicsItem
{
public:
    enum class Layer { Walls, Points };

    TrendChartDecor(TrendChart *chart, Layer layer, int depthPixels);

    // Places the value labels, in the order given: each upright over its anchor (the top of
    // its point's connector) or, where that would touch an earlier label, a solid shape (bar,
    // marker) or the line, lifted just above it. Returns one box per label.
    static QVector<QRectF> placeLabels(const QVector<QPointF> &anchors,
                                       const QVector<QSizeF> &sizes, const QVector<QRectF> &solids,
                                       const QPolygonF &line);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    void paintWalls(QPainter *painter) const;
    void paintBars(QPainter *painter) const;
    void paintMarkers(QPainter *painter) const;
    void paintPointLabels(QPainter *painter) const;
    // The values over their points, joined to them by short gray connectors.
    void paintValueLabels(QPainter *painter, const QVector<QPointF> &points,
                          const QVector<QRectF> &solids, const QPolygonF &line) const;

    TrendChart *m_chart;
    Layer m_layer;
    int m_depth;
};
