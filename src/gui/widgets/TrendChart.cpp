#include "gui/widgets/TrendChart.h"

#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/TrendChartDecor.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QFontMetrics>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHelpEvent>
#include <QLineSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>

namespace
{

// Stacking order among the chart's own items (its background lies at -1, the series at 4 and
// above, the legend at 12).
constexpr qreal kWallsZ = 0.5;
constexpr qreal kPointsZ = 20;

// Shows the tooltip of the point under the mouse in a trend chart view.
class PointTips : public QObject
{
public:
    explicit PointTips(QChartView *view) : QObject(view), m_view(view)
    {
        view->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        const auto *help = static_cast<QHelpEvent *>(event);
        const auto *chart = static_cast<const TrendChart *>(m_view->chart());
        const QString tip =
            chart->pointToolTip(chart->mapFromScene(m_view->mapToScene(help->pos())));
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, m_view->viewport());
        return true;
    }

private:
    QChartView *m_view;
};

} // namespace

TrendChart::TrendChart(Style style, int depthPixels) : m_style(style)
{
    using namespace layout;
    // Hidden before the series and axes come: hidden after them, the legend would lay the
    // whole chart out once more.
    legend()->setVisible(false);
    QAbstractSeries *series = nullptr;
    if (style == Style::Bars) {
        auto *bars = new QBarSeries;
        bars->setObjectName(QStringLiteral("PointSeries1"));
        bars->setName(QStringLiteral("集計グラフ"));
        bars->setBarWidth(0.6);
        m_barSet = new QBarSet(QStringLiteral("縦棒"));
        m_barSet->setColor(Qt::transparent); // painted per number by the front layer
        m_barSet->setBorderColor(Qt::transparent);
        bars->append(m_barSet);
        series = bars;
    } else {
        m_line = new QLineSeries;
        m_line->setObjectName(QStringLiteral("BarSeries1"));
        m_line->setName(QStringLiteral("統計グラフ"));
        m_line->setPen(QPen(colour::blue, 2));
        m_line->setPointsVisible(false); // the front layer marks each point in its colour
        series = m_line;
    }
    addSeries(series);

    m_labels = new QBarCategoryAxis;
    m_labels->setLabelsFont(makeFont(12));
    m_labels->setLabelsColor(Qt::transparent); // painted by the front layer
    m_labels->setGridLineVisible(false);
    m_labels->setLinePen(QPen(colour::black, 1));
    addAxis(m_labels, Qt::AlignBottom);
    series->attachAxis(m_labels);
    m_valueAxis = new QValueAxis;
    addAxis(m_valueAxis, Qt::AlignLeft);
    series->attachAxis(m_valueAxis);
    // The counts read off a scale from 0, so a bar's height is its count.
    m_valueAxis->setLabelsFont(makeFont(11));
    m_valueAxis->setLabelsColor(colour::black);
    m_valueAxis->setLabelFormat(QStringLiteral("%d"));
    m_valueAxis->setGridLineVisible(false);
    m_valueAxis->setLinePen(QPen(colour::black, 1));
    m_valueAxis->setRange(0, 1);

    setTitle(QString());
    setBackgroundRoundness(0);
    setDropShadowEnabled(false);
    QLinearGradient outer(0, 0, 0, 1);
    outer.setCoordinateMode(QGradient::ObjectMode);
    outer.setColorAt(0, colour::gray.lighter(125));
    outer.setColorAt(1, colour::gray);
    setBackgroundBrush(outer);
    setPlotAreaBackgroundVisible(false); // the walls are painted behind the series
    // Room above and to the right of the plot for the depth of the back wall, and below it for
    // the second line of point labels.
    const int labelLine = QFontMetrics(makeFont(12)).height();
    setMargins(QMargins(2, 3 + depthPixels, 2 + depthPixels, 2 + labelLine));

    m_back = new TrendChartDecor(this, TrendChartDecor::Layer::Walls, depthPixels);
    m_back->setZValue(kWallsZ);
    m_front = new TrendChartDecor(this, TrendChartDecor::Layer::Points, depthPixels);
    m_front->setZValue(kPointsZ);
    connect(this, &QChart::plotAreaChanged, this, [this] {
        m_back->update();
        m_front->update();
    });
}

QAbstractSeries *TrendChart::series0() const
{
    return series().value(0);
}

void TrendChart::setValues(const QVector<int> &values, const QStringList &labels)
{
    if (m_barSet) {
        m_barSet->remove(0, m_barSet->count());
        m_barSet->append(QList<qreal>(values.cbegin(), values.cend()));
    } else {
        QList<QPointF> points;
        for (int x = 0; x < values.size(); ++x)
            points.append(QPointF(x, values.at(x)));
        m_line->replace(points);
    }
    m_labels->setCategories(labels);
    rescale();
    describeValues();
}

QVector<int> TrendChart::values() const
{
    QVector<int> out;
    if (m_barSet) {
        for (int i = 0; i < m_barSet->count(); ++i)
            out.append(qRound(m_barSet->at(i)));
    } else {
        for (const QPointF &p : m_line->points())
            out.append(qRound(p.y()));
    }
    return out;
}

QStringList TrendChart::labels() const
{
    return m_labels->categories();
}

QString TrendChart::pointToolTip(const QPointF &position) const
{
    const QVector<int> all = values();
    const QRectF area = plotArea();
    if (all.isEmpty() || position.x() < area.left() || position.x() >= area.right())
        return QString();
    const int i = qBound(0, int((position.x() - area.left()) / area.width() * all.size()),
                         int(all.size()) - 1);
    return QStringLiteral("%1：%2回").arg(labels().value(i)).arg(all.at(i));
}

// The values are in the chart's picture and tooltips only; a screen reader reads them from the
// description of the view that shows the chart: "01：281回、02：275回、…".
void TrendChart::describeValues()
{
    const QVector<int> all = values();
    const QStringList names = labels();
    QStringList points;
    for (int i = 0; i < all.size(); ++i)
        points.append(QStringLiteral("%1：%2回").arg(names.value(i)).arg(all.at(i)));
    if (!scene())
        return;
    for (QGraphicsView *view : scene()->views())
        view->setAccessibleDescription(points.join(QStringLiteral("、")));
}

QColor TrendChart::paletteColour(int index)
{
    // Hues a golden angle apart, so neighbouring numbers never look alike.
    const int hue = static_cast<int>(index * 137.508) % 360;
    return QColor::fromHsv(hue, 190 + (index % 3) * 25, 235);
}

// The value axis runs from 0, so that the bars compare as their counts do, to a little above
// the largest value, which leaves room for the labels over the points.
void TrendChart::rescale()
{
    const QVector<int> all = values();
    const int high = all.isEmpty() ? 0 : *std::max_element(all.begin(), all.end());
    m_valueAxis->setRange(0, qMax(high * 1.12, 1.0));
    m_valueAxis->applyNiceNumbers();
    m_back->update();
    m_front->update();
}

QChartView *buildTrendChart(QWidget *parent, const QString &name, const QRect &place,
                            TrendChart::Style style, int depthPercent)
{
    const int depth = qRound(place.width() * depthPercent / 100.0);
    auto *view = new QChartView(new TrendChart(style, depth), parent);
    view->setObjectName(name);
    view->setGeometry(place);
    view->setRenderHint(QPainter::Antialiasing);
    view->setRubberBand(QChartView::NoRubberBand);
    view->setFrameShape(QFrame::NoFrame);
    view->setFocusPolicy(Qt::NoFocus); // its tips answer the mouse; no key does anything
    new PointTips(view);
    view->hide();
    return view;
}
