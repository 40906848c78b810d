#include "TrendChartDecor.h"

#include "TrendChart.h"
#include "app/LayoutKit.h"

#include <QPainter>
#include <QPolygonF>
#include <optional>

namespace
{

constexpr qreal kConnectorLength = 5;
constexpr qreal kConnectorWidth = 2;
constexpr qreal kMarkerSize = 6;

QPolygonF quad(QPointF a, QPointF b, QPointF c, QPointF d)
{
    return QPolygonF({a, b, c, d});
}

} // namespace

TrendChartDecor::TrendChartDecor(TrendChart *chart, Layer layer, int depthPixels)
    : QGraphicsItem(chart), m_chart(chart), m_layer(layer), m_depth(depthPixels)
{
    setAcceptedMouseButtons(Qt::NoButton);
}

QRectF TrendChartDecor::boundingRect() const
{
    return m_chart->boundingRect();
}

void TrendChartDecor::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (m_layer == Layer::Walls)
        paintWalls(painter);
    else if (m_chart->style() == TrendChart::Style::Bars)
        paintBars(painter);
    else
        paintMarkers(painter);
    if (m_layer == Layer::Points)
        paintPointLabels(painter);
    painter->restore();
}

// The plot area is the front plane; the back wall stands behind it, up and to the right by
// the depth, joined to it by the left wall and the floor.
void TrendChartDecor::paintWalls(QPainter *painter) const
{
    using namespace layout;
    const QRectF front = m_chart->plotArea();
    const QPointF back(m_depth, -m_depth);
    const QRectF wall = front.translated(back);
    const QPen edge(colour::gray.darker(150), 1);

    painter->setPen(edge);
    painter->setBrush(colour::gray);
    painter->drawRect(wall);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QBrush(QColor(255, 255, 255, 110), Qt::HorPattern));
    painter->drawRect(wall);

    const QPolygonF leftWall =
        quad(front.bottomLeft(), front.topLeft(), wall.topLeft(), wall.bottomLeft());
    painter->setPen(edge);
    painter->setBrush(colour::gray.darker(110));
    painter->drawPolygon(leftWall);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QBrush(QColor(255, 255, 255, 90), Qt::BDiagPattern));
    painter->drawPolygon(leftWall);

    painter->setPen(edge);
    painter->setBrush(colour::silver);
    painter->drawPolygon(
        quad(front.bottomLeft(), wall.bottomLeft(), wall.bottomRight(), front.bottomRight()));
}

// Each bar rises from the floor in its number's colour, with a lit front, a top and a shaded
// side that give it a little depth.
void TrendChartDecor::paintBars(QPainter *painter) const
{
    const QVector<int> values = m_chart->values();
    const QRectF area = m_chart->plotArea();
    if (values.isEmpty())
        return;
    const qreal half = area.width() / values.size() * 0.3;
    const qreal depth = qMin<qreal>(half * 0.8, m_depth);
    const QPointF back(depth, -depth);
    QAbstractSeries *series = m_chart->series0();
    QVector<QPointF> points;
    QVector<QRectF> solids;
    for (int i = 0; i < values.size(); ++i) {
        const QPointF top = m_chart->mapToPosition(QPointF(i, values[i]), series);
        const qreal y = qMin(top.y(), area.bottom());
        const QRectF face(QPointF(top.x() - half, y), QPointF(top.x() + half, area.bottom()));
        const QColor colour = TrendChart::paletteColour(i);

        painter->setPen(QPen(colour.darker(170), 0.8));
        painter->setBrush(colour.darker(135));
        painter->drawPolygon(quad(face.topRight(), face.topRight() + back,
                                  face.bottomRight() + back, face.bottomRight()));
        painter->setBrush(colour.lighter(125));
        painter->drawPolygon(
            quad(face.topLeft(), face.topLeft() + back, face.topRight() + back, face.topRight()));
        QLinearGradient shine(face.topLeft(), face.topRight());
        shine.setColorAt(0, colour.lighter(140));
        shine.setColorAt(0.45, colour);
        shine.setColorAt(1, colour.darker(125));
        painter->setBrush(shine);
        painter->drawRect(face);

        points.append(QPointF(top.x() + depth / 2, y - depth));
        solids.append(QRectF(face.topLeft() - QPointF(0, depth), face.bottomRight() + back));
    }
    paintValueLabels(painter, points, solids, QPolygonF());
}

// Each point of the line is marked by a small square in its number's colour.
void TrendChartDecor::paintMarkers(QPainter *painter) const
{
    const QVector<int> values = m_chart->values();
    QAbstractSeries *series = m_chart->series0();
    QVector<QPointF> points;
    QVector<QRectF> solids;
    QPolygonF line;
    for (int i = 0; i < values.size(); ++i) {
        const QPointF at = m_chart->mapToPosition(QPointF(i, values[i]), series);
        QRectF marker(0, 0, kMarkerSize, kMarkerSize);
        marker.moveCenter(at);
        painter->setPen(QPen(TrendChart::paletteColour(i).darker(180), 1));
        painter->setBrush(TrendChart::paletteColour(i));
        painter->drawRect(marker);
        points.append(at - QPointF(0, kMarkerSize / 2));
        solids.append(marker);
        line.append(at);
    }
    paintValueLabels(painter, points, solids, line);
}

// The label of each point under the bottom axis, centred on its point. Two-digit labels are
// as wide as a slot, so every other one drops to a second line to stay apart.
void TrendChartDecor::paintPointLabels(QPainter *painter) const
{
    using namespace layout;
    const QStringList labels = m_chart->labels();
    const QRectF area = m_chart->plotArea();
    if (labels.isEmpty())
        return;
    const QFont font = makeFont(12, false, kPMincho);
    const qreal slot = area.width() / labels.size();
    const qreal height = QFontMetricsF(font).height();
    painter->setFont(font);
    painter->setPen(colour::black);
    for (int i = 0; i < labels.size(); ++i) {
        const qreal centre = area.left() + slot * (i + 0.5);
        const QRectF box(centre - slot, area.bottom() + 3 + (i % 2) * (height - 1), 2 * slot,
                         height);
        painter->drawText(box, Qt::AlignHCenter | Qt::AlignTop, labels.at(i));
    }
}

QVector<QRectF> TrendChartDecor::placeLabels(const QVector<QPointF> &anchors,
                                             const QVector<QSizeF> &sizes,
                                             const QVector<QRectF> &solids, const QPolygonF &line)
{
    // The highest point of the line within [left, right], or none when it does not run there.
    const auto lineTopWithin = [&line](qreal left, qreal right) -> std::optional<qreal> {
        std::optional<qreal> top;
        for (int i = 0; i + 1 < line.size(); ++i) {
            const QPointF a = line.at(i), b = line.at(i + 1);
            const qreal from = qMax(left, qMin(a.x(), b.x()));
            const qreal to = qMin(right, qMax(a.x(), b.x()));
            if (from > to || a.x() == b.x())
                continue;
            for (qreal x : {from, to}) {
                const qreal y = a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x());
                top = top ? qMin(*top, y) : y;
            }
        }
        return top;
    };

    QVector<QRectF> boxes;
    for (int i = 0; i < anchors.size(); ++i) {
        QRectF box(QPointF(), sizes.value(i));
        box.moveCenter(QPointF(anchors[i].x(), anchors[i].y() - box.height() / 2));
        // Lift the box above whatever it meets until it meets nothing; each lift moves it
        // up strictly, and there is only so much to pass.
        for (int guard = 0; guard < 4 * (anchors.size() + solids.size()) + 8; ++guard) {
            std::optional<qreal> clear;
            const auto above = [&clear](qreal top) { clear = clear ? qMin(*clear, top) : top; };
            for (const QRectF &other : std::as_const(boxes))
                if (other.intersects(box))
                    above(other.top());
            for (int s = 0; s < solids.size(); ++s)
                if (s != i && solids[s].intersects(box))
                    above(solids[s].top());
            // The line runs through the label's own point below the box, so it crosses the
            // box exactly when it rises above the box's bottom somewhere beneath it.
            if (const auto top = lineTopWithin(box.left(), box.right()); top && *top < box.bottom())
                above(*top);
            if (!clear || *clear >= box.bottom())
                break;
            box.moveBottom(*clear - 1);
        }
        boxes.append(box);
    }
    return boxes;
}

void TrendChartDecor::paintValueLabels(QPainter *painter, const QVector<QPointF> &points,
                                       const QVector<QRectF> &solids, const QPolygonF &line) const
{
    using namespace layout;
    const QVector<int> values = m_chart->values();
    const QFont font = makeFont(12);
    const QFontMetricsF metrics(font);
    QVector<QPointF> anchors;
    QVector<QSizeF> sizes;
    for (int i = 0; i < points.size(); ++i) {
        anchors.append(points[i] - QPointF(0, kConnectorLength));
        sizes.append(QSizeF(metrics.horizontalAdvance(QString::number(values.value(i))) + 2,
                            metrics.height()));
    }
    const QVector<QRectF> boxes = placeLabels(anchors, sizes, solids, line);

    painter->setFont(font);
    for (int i = 0; i < boxes.size(); ++i) {
        painter->setPen(
            QPen(colour::gray.darker(110), kConnectorWidth, Qt::SolidLine, Qt::FlatCap));
        painter->drawLine(points[i], QPointF(points[i].x(), boxes[i].bottom()));
        painter->setPen(colour::black);
        painter->drawText(boxes[i], Qt::AlignCenter, QString::number(values.value(i)));
    }
}
