#include "gui/widgets/TrendChartDecor.h"

#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/TrendChart.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>

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
    paintValueLabels(painter, points, 0, solids, QPolygonF());
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
        points.append(at);
        solids.append(marker);
        line.append(at);
    }
    paintValueLabels(painter, points, kMarkerSize / 2, solids, line);
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
    const QFont font = makeFont(12);
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

QVector<QRectF> TrendChartDecor::placeLabels(const QVector<QPointF> &points,
                                             const QVector<QSizeF> &sizes,
                                             const QVector<QRectF> &solids, const QPolygonF &line,
                                             const QRectF &room, const QVector<int> &priority,
                                             qreal gap, bool below)
{
    // Whether the line runs through the box: within the box's width each segment spans a
    // range of heights, which must stay clear of the box's.
    const auto lineCrosses = [&line](const QRectF &box) {
        for (int i = 0; i + 1 < line.size(); ++i) {
            const QPointF a = line.at(i), b = line.at(i + 1);
            const qreal from = qMax(box.left(), qMin(a.x(), b.x()));
            const qreal to = qMin(box.right(), qMax(a.x(), b.x()));
            if (from > to || a.x() == b.x())
                continue;
            const qreal y1 = a.y() + (b.y() - a.y()) * (from - a.x()) / (b.x() - a.x());
            const qreal y2 = a.y() + (b.y() - a.y()) * (to - a.x()) / (b.x() - a.x());
            if (qMax(y1, y2) >= box.top() && qMin(y1, y2) <= box.bottom())
                return true;
        }
        return false;
    };

    QVector<QRectF> boxes(points.size());
    for (int i : priority) {
        if (i < 0 || i >= points.size())
            continue;
        QRectF over(QPointF(), sizes.value(i));
        over.moveCenter(points[i]);
        over.moveBottom(points[i].y() - gap);
        QRectF under = over;
        under.moveTop(points[i].y() + gap);
        QVector<QRectF> places{over};
        if (below)
            places.append(under);
        for (const QRectF &place : std::as_const(places)) {
            bool free = room.contains(place) && !lineCrosses(place);
            for (int other = 0; free && other < points.size(); ++other) {
                free = (other == i || !boxes[other].intersects(place)) &&
                       (other == i || !solids.value(other).intersects(place));
            }
            if (free) {
                boxes[i] = place;
                break;
            }
        }
    }
    return boxes;
}

void TrendChartDecor::paintValueLabels(QPainter *painter, const QVector<QPointF> &points,
                                       qreal reach, const QVector<QRectF> &solids,
                                       const QPolygonF &line) const
{
    using namespace layout;
    const QVector<int> values = m_chart->values();
    const QFont font = makeFont(12);
    const QFontMetricsF metrics(font);
    QVector<QSizeF> sizes;
    QVector<int> priority;
    for (int i = 0; i < points.size(); ++i) {
        sizes.append(QSizeF(metrics.horizontalAdvance(QString::number(values.value(i))) + 2,
                            metrics.height()));
        priority.append(i);
    }
    std::stable_sort(priority.begin(), priority.end(),
                     [&values](int a, int b) { return values.value(a) > values.value(b); });
    // In front of the plot and its left wall, where the first numbers stand, clear of the axis
    // labels and the floor; over the plot's top as far as a label reaches, for the tallest
    // bar's. (Kept off the left wall, equal neighbours there lost both labels.)
    const QRectF room = m_chart->plotArea().adjusted(
        0, -(metrics.height() + reach + kConnectorLength), 0, -m_depth);
    const QVector<QRectF> boxes = placeLabels(points, sizes, solids, line, room, priority,
                                              reach + kConnectorLength, !line.isEmpty());

    painter->setFont(font);
    for (int i = 0; i < boxes.size(); ++i) {
        if (boxes[i].isNull())
            continue;
        const bool over = boxes[i].bottom() < points[i].y();
        const QPointF from = points[i] + QPointF(0, over ? -reach : reach);
        painter->setPen(
            QPen(colour::gray.darker(110), kConnectorWidth, Qt::SolidLine, Qt::FlatCap));
        painter->drawLine(from, QPointF(from.x(), over ? boxes[i].bottom() : boxes[i].top()));
        painter->setPen(colour::black);
        painter->drawText(boxes[i], Qt::AlignCenter, QString::number(values.value(i)));
    }
}
