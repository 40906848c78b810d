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

    // Places the value labels, each beside its own point: over it, at the top of a connector
    // of `gap` pixels rising from the point, or, where `below` allows and over is taken, under
    // it at the foot of a connector falling from the point. A place is taken when it would
    // touch a label placed before, another point's solid shape (bar, marker) or the line, or
    // would reach out of `room` (over the walls, the floor or the labels under the axis).
    // Labels are placed in the order of `priority` (indices); one with no free place is left
    // out, as a null box: fewer labels, but none away from its point. One box per point.
    static QVector<QRectF> placeLabels(const QVector<QPointF> &points, const QVector<QSizeF> &sizes,
                                       const QVector<QRectF> &solids, const QPolygonF &line,
                                       const QRectF &room, const QVector<int> &priority, qreal gap,
                                       bool below);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    void paintWalls(QPainter *painter) const;
    void paintBars(QPainter *painter) const;
    void paintMarkers(QPainter *painter) const;
    void paintPointLabels(QPainter *painter) const;
    // The values beside their points, joined by short gray connectors to the edge of the
    // point's shape, `reach` from the point; the highest values first where not all find room.
    void paintValueLabels(QPainter *painter, const QVector<QPointF> &points, qreal reach,
                          const QVector<QRectF> &solids, const QPolygonF &line) const;

    TrendChart *m_chart;
    Layer m_layer;
    int m_depth;
};
