#include "TrendChartDecor.h"

#include "TrendChart.h"
#include "app/LayoutKit.h"

#include <QPainter>
#include <QPolygonF>

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
    const qreal slot = area.width() / values.size();
    const qreal half = slot * 0.3;
    const qreal depth = qMin<qreal>(half * 0.8, m_depth);
    const QPointF back(depth, -depth);
    QAbstractSeries *series = m_chart->series0();
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

        paintValueLabel(painter, QPointF(top.x() + depth / 2, y - depth), values[i], slot);
    }
}

// Each point of the line is marked by a small square in its number's colour.
void TrendChartDecor::paintMarkers(QPainter *painter) const
{
    const QVector<int> values = m_chart->values();
    QAbstractSeries *series = m_chart->series0();
    const qreal slot = m_chart->plotArea().width() / qMax<int>(values.size(), 1);
    for (int i = 0; i < values.size(); ++i) {
        const QPointF at = m_chart->mapToPosition(QPointF(i, values[i]), series);
        QRectF marker(0, 0, kMarkerSize, kMarkerSize);
        marker.moveCenter(at);
        painter->setPen(QPen(TrendChart::paletteColour(i).darker(180), 1));
        painter->setBrush(TrendChart::paletteColour(i));
        painter->drawRect(marker);
        paintValueLabel(painter, at - QPointF(0, kMarkerSize / 2), values[i], slot);
    }
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

// The value over a point, joined to it by a short gray connector. A value wider than the
// point's slot is turned upright so that neighbouring values never run into each other.
void TrendChartDecor::paintValueLabel(QPainter *painter, const QPointF &point, int value,
                                      qreal slot) const
{
    using namespace layout;
    const QPointF end = point - QPointF(0, kConnectorLength);
    painter->setPen(QPen(colour::gray.darker(110), kConnectorWidth, Qt::SolidLine, Qt::FlatCap));
    painter->drawLine(point, end);

    const QFont font = makeFont(12, false, kPMincho);
    painter->setFont(font);
    painter->setPen(colour::black);
    const QString text = QString::number(value);
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(text) + 2;
    if (width <= slot) {
        QRectF box(0, 0, width, metrics.height());
        box.moveCenter(QPointF(end.x(), end.y() - box.height() / 2));
        painter->drawText(box, Qt::AlignCenter, text);
        return;
    }
    painter->save();
    painter->translate(end);
    painter->rotate(-90);
    painter->drawText(QRectF(1, -metrics.height() / 2, width, metrics.height()),
                      Qt::AlignLeft | Qt::AlignVCenter, text);
    painter->restore();
}
