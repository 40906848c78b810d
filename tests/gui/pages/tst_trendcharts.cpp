// The trend chart page as the player uses it: the chart drawn by each load, the twelve kinds,
// the order of the history list, and the look of the bars.

#include "TestSupport.h"
#include "gui/models/HistoryModel.h"
#include "gui/widgets/TrendChart.h"
#include "gui/widgets/TrendChartDecor.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <numeric>

namespace
{

// The values of series 0 of a chart view, read from the series itself.
QVector<int> seriesValues(QChartView *view)
{
    QVector<int> values;
    QAbstractSeries *series = view->chart()->series().value(0);
    if (auto *bars = qobject_cast<QBarSeries *>(series)) {
        QBarSet *set = bars->barSets().value(0);
        for (int i = 0; set && i < set->count(); ++i)
            values.append(qRound(set->at(i)));
    } else if (auto *line = qobject_cast<QLineSeries *>(series)) {
        const QList<QPointF> points = line->points();
        for (int i = 0; i < points.size(); ++i) {
            if (points.at(i).x() != i)
                return {};
            values.append(qRound(points.at(i).y()));
        }
    }
    return values;
}

QStringList pointLabels(QChartView *view)
{
    const auto axes = view->chart()->axes(Qt::Horizontal);
    auto *axis = axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis *>(axes.first());
    return axis ? axis->categories() : QStringList();
}

QStringList twoDigitLabels()
{
    QStringList labels;
    for (int n = 1; n <= 43; ++n)
        labels << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    return labels;
}

int sum(const QVector<int> &values)
{
    return std::accumulate(values.begin(), values.end(), 0);
}

void showKind(TMainForm &form, int kind)
{
    control<QComboBox>(form, "cmbChartKind")->setCurrentIndex(kind);
    control<QPushButton>(form, "btnChartExec")->click();
}

// n draws, newest first; every draw holds 01..06 with the bonus 43.
QByteArray sameDraws(int n)
{
    QByteArray draws;
    for (int d = n; d >= 1; --d)
        draws += QByteArray::number(d) + ",2020/01/01,01,02,03,04,05,06,43\r\n";
    return draws;
}

QByteArray prizeLines(int n)
{
    QByteArray lines;
    for (int d = n; d >= 1; --d)
        lines += QByteArray::number(d) + ",0,0,0,0,0,0,0,0,0,0,0\r\n";
    return lines;
}

} // namespace

class TestTrendCharts : public WindowTest
{
    Q_OBJECT
private slots:
    void nothingBeforeAKindIsChosen();
    void startUpShowsTheTenDrawChart();
    void everyKindAddsUp(); // and hides, and redraws alike
    void sevenDrawsAndTheBonus();
    void countsTheRowsInTheOrderShown();
    void eachBarHasItsOwnColour();
    void valueLabelsStayBesideTheirPoints_data();
    void valueLabelsStayBesideTheirPoints();
    void valueLabelsStayInTheirRoom_data();
    void valueLabelsStayInTheirRoom();
    void everyPointHasItsTooltip();
    void tabPassesTheChartsBy();
};

void TestTrendCharts::nothingBeforeAKindIsChosen()
{
    TMainForm form(m_folder->path()); // not shown: nothing loaded yet
    QCOMPARE(control<QComboBox>(form, "cmbChartKind")->count(), 12);
    QCOMPARE(control<QComboBox>(form, "cmbChartKind")->itemText(0),
             QString("抽選数字の傾向グラフ(直近１０回分)"));
    QCOMPARE(control<QComboBox>(form, "cmbChartKind")->itemText(11),
             QString("基本数字⑥の個別傾向グラフ(全データ)"));
    QCOMPARE(control<QComboBox>(form, "cmbChartKind")->currentIndex(), -1);
    control<QPushButton>(form, "btnChartExec")->click();
    QVERIFY(control<QChartView>(form, "chartSelect43")->isHidden());
    QVERIFY(control<QChartView>(form, "chartSelect6")->isHidden());
    QVERIFY(seriesValues(control<QChartView>(form, "chartSelect43")).isEmpty());
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

void TestTrendCharts::startUpShowsTheTenDrawChart()
{
    TMainForm &form = *m_form;
    // The player sees the chart when the page comes up.
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet3"));
    QCOMPARE(control<QComboBox>(form, "cmbChartKind")->currentIndex(), 0);
    QVERIFY(!control<QChartView>(form, "chartSelect43")->isHidden());
    QVERIFY(control<QChartView>(form, "chartSelect6")->isHidden());
    const QVector<int> values = seriesValues(control<QChartView>(form, "chartSelect43"));
    QCOMPARE(values.size(), 43);
    QCOMPARE(sum(values), 60);
    QCOMPARE(pointLabels(control<QChartView>(form, "chartSelect43")), twoDigitLabels());
    QCOMPARE(control<QChartView>(form, "chartSelect43")->chart()->series().size(), 1);
    QCOMPARE(control<QChartView>(form, "chartSelect43")->chart()->series().at(0)->objectName(),
             QString("PointSeries1"));
    QCOMPARE(control<QChartView>(form, "chartSelect6")->chart()->series().at(0)->objectName(),
             QString("BarSeries1"));
    QVERIFY(!control<QChartView>(form, "chartSelect43")->chart()->legend()->isVisible());
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

void TestTrendCharts::everyKindAddsUp()
{
    TMainForm &form = *m_form;
    const int draws = pageContext(form).historyList()->rowCount();
    for (int kind = 0; kind < 12; ++kind) {
        control<QComboBox>(form, "cmbChartKind")->setCurrentIndex(kind);
        // Choosing another kind hides both charts until "傾向グラフ表示" draws one.
        QVERIFY(kind == 0 || (control<QChartView>(form, "chartSelect43")->isHidden() &&
                              control<QChartView>(form, "chartSelect6")->isHidden()));
        control<QPushButton>(form, "btnChartExec")->click();
        QChartView *shown = kind < 6 ? control<QChartView>(form, "chartSelect43")
                                     : control<QChartView>(form, "chartSelect6");
        QChartView *other = kind < 6 ? control<QChartView>(form, "chartSelect6")
                                     : control<QChartView>(form, "chartSelect43");
        QVERIFY2(!shown->isHidden(), qPrintable(QString::number(kind)));
        QVERIFY(other->isHidden());
        const QVector<int> values = seriesValues(shown);
        control<QPushButton>(form, "btnChartExec")->click(); // pressing again draws the same points
        QCOMPARE(seriesValues(shown), values);
        QCOMPARE(values.size(), 43);
        QCOMPARE(pointLabels(shown), twoDigitLabels());
        const int expected = kind < 5 ? 60 * (kind + 1) : kind == 5 ? 6 * draws : draws;
        QCOMPARE(sum(values), expected);
        // The counts read off a visible scale from 0 that holds the largest.
        const auto *scale = qobject_cast<QValueAxis *>(shown->chart()->axes(Qt::Vertical).value(0));
        QVERIFY(scale && scale->isVisible() && scale->labelsVisible());
        QCOMPARE(scale->min(), 0.0);
        QVERIFY(scale->max() >= *std::max_element(values.begin(), values.end()));
        if (kind >= 6) {
            const auto &row = pageContext(form).baseCountTable()[static_cast<size_t>(kind - 6)];
            QCOMPARE(values, QVector<int>(row.begin(), row.end()));
        }
    }
}

void TestTrendCharts::sevenDrawsAndTheBonus()
{
    m_folder->write("download/Loto6Number.csv", sameDraws(7));
    m_folder->write("download/Loto6Data.csv", prizeLines(7));
    startWindow();
    TMainForm &form = *m_form;
    QCOMPARE(pageContext(form).historyList()->rowCount(), 7);
    QVector<int> expected(43, 0);
    for (int n = 0; n < 6; ++n)
        expected[n] = 7;
    for (int kind = 0; kind <= 5; ++kind) {
        showKind(form, kind);
        QCOMPARE(seriesValues(control<QChartView>(form, "chartSelect43")),
                 expected); // 42 in all, 43 never
    }
    for (int kind = 6; kind < 12; ++kind) {
        showKind(form, kind);
        const QVector<int> values = seriesValues(control<QChartView>(form, "chartSelect6"));
        QCOMPARE(values.at(kind - 6), 7);
        QCOMPARE(values.at(42), 0);
        QCOMPARE(sum(values), 7);
    }
}

void TestTrendCharts::countsTheRowsInTheOrderShown()
{
    TMainForm &form = *m_form;
    // The page is up, as the player sees its charts: a load draws on it at once.
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet3"));
    const QVector<int> newest = seriesValues(control<QChartView>(form, "chartSelect43"));

    QHeaderView *header = control<QTableView>(form, "viewHistory")->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 10, 5)); // "①", ascending
    HistoryModel *history = pageContext(form).historyList();
    QVector<int> expected(43, 0);
    for (int r = 0; r < 10; ++r)
        for (const QString &text : history->record(r).main)
            ++expected[text.toInt() - 1];
    QCOMPARE(history->record(0).main[0], QString("01"));
    showKind(form, 0);
    const QVector<int> sorted = seriesValues(control<QChartView>(form, "chartSelect43"));
    QCOMPARE(sorted, expected);
    QVERIFY(sorted != newest);
    QVERIFY(sorted[0] >= 10); // every one of the ten rows shown first starts with 01

    form.btnMmsUpdateClick(); // file order again, and the load draws kind 0 itself
    QCOMPARE(seriesValues(control<QChartView>(form, "chartSelect43")), newest);
}

void TestTrendCharts::eachBarHasItsOwnColour()
{
    TMainForm &form = *m_form;
    showKind(form, 5); // every bar well above the floor
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet3"));
    QChartView *view = control<QChartView>(form, "chartSelect43");
    const QImage image = view->grab().toImage();
    QChart *chart = view->chart();
    QAbstractSeries *series = chart->series().at(0);
    QSet<int> hues;
    for (int i : {0, 1, 2, 20, 42}) {
        const QPointF top = chart->mapToPosition(QPointF(i, seriesValues(view).at(i)), series);
        const QPointF mid(top.x(), (top.y() + chart->plotArea().bottom()) / 2);
        const QPoint at = view->mapFromScene(chart->mapToScene(mid));
        const QColor seen = image.pixelColor(at);
        const QColor wanted = TrendChart::paletteColour(i);
        const int apart = qAbs(seen.hsvHue() - wanted.hsvHue());
        QVERIFY2(
            qMin(apart, 360 - apart) <= 12,
            qPrintable(
                QStringLiteral("bar %1: %2 instead of %3").arg(i).arg(seen.name(), wanted.name())));
        hues.insert(seen.hsvHue() / 10);
    }
    QCOMPARE(hues.size(), 5);
}

void TestTrendCharts::valueLabelsStayBesideTheirPoints_data()
{
    QTest::addColumn<bool>("zigzag"); // else level
    QTest::addColumn<bool>("line");   // else bars: labels over the points only
    QTest::addColumn<int>("shown");
    QTest::newRow("steep zigzag: over the peaks, under the troughs") << true << true << 20;
    QTest::newRow("level line: over and under in turn") << false << true << 20;
    QTest::newRow("level bars: every other label") << false << false << 10;
}

// Three-digit values are wider than a point's slot. Each label shown stands at the end of its
// own point's connector, over or under it; it touches no other label, no other point's
// marker and not the line. Labels with no room are left out, never moved away.
void TestTrendCharts::valueLabelsStayBesideTheirPoints()
{
    QFETCH(bool, zigzag);
    QFETCH(bool, line);
    QFETCH(int, shown);
    const qreal gap = 8;
    QVector<QPointF> points;
    QVector<QSizeF> sizes;
    QVector<QRectF> markers;
    QVector<int> order;
    for (int i = 0; i < 20; ++i) {
        points << QPointF(20 + 13.5 * i, zigzag ? (i % 2 ? 300 : 150 + 5 * i) : 200);
        sizes << QSizeF(20, 14);
        markers << QRectF(points.last() - QPointF(3, 3), QSizeF(6, 6));
        order << i;
    }
    const QPolygonF drawn = line ? QPolygonF(points) : QPolygonF();
    const QVector<QRectF> boxes = TrendChartDecor::placeLabels(
        points, sizes, markers, drawn, QRectF(0, 0, 400, 400), order, gap, line);
    QCOMPARE(boxes.size(), 20);
    int placed = 0;
    for (int i = 0; i < boxes.size(); ++i) {
        if (boxes[i].isNull())
            continue;
        ++placed;
        QCOMPARE(boxes[i].size(), sizes[i]);
        QCOMPARE(boxes[i].center().x(), points[i].x());
        QVERIFY(boxes[i].bottom() == points[i].y() - gap ||
                (line && boxes[i].top() == points[i].y() + gap));
        for (int j = 0; j < boxes.size(); ++j) {
            QVERIFY2(j == i || !boxes[i].intersects(boxes[j]),
                     qPrintable(QString("%1 %2").arg(i).arg(j)));
            QVERIFY(j == i || !boxes[i].intersects(markers[j]));
        }
        for (int k = 0; k + 1 < drawn.size(); ++k)
            for (qreal t = 0; t <= 1; t += 0.05)
                QVERIFY2(!boxes[i].contains(drawn[k] + (drawn[k + 1] - drawn[k]) * t),
                         qPrintable(QString::number(i)));
    }
    QCOMPARE(placed, shown);
}

void TestTrendCharts::valueLabelsStayInTheirRoom_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<bool>("line");
    QTest::addColumn<QRectF>("expected"); // null: left out
    // The room is (10, 10)-(110, 110); a label is 20 x 14, its connector 8 long.
    QTest::newRow("in the middle") << QPointF(60, 60) << true << QRectF(50, 38, 20, 14);
    QTest::newRow("touching the left wall") << QPointF(20, 60) << true << QRectF(10, 38, 20, 14);
    QTest::newRow("over the left wall") << QPointF(19, 60) << true << QRectF();
    QTest::newRow("touching the right side") << QPointF(100, 60) << false << QRectF(90, 38, 20, 14);
    QTest::newRow("over the right side") << QPointF(101, 60) << false << QRectF();
    QTest::newRow("one pixel under the top: under it")
        << QPointF(60, 31) << true << QRectF(50, 39, 20, 14);
    QTest::newRow("at the top, bars: none") << QPointF(60, 31) << false << QRectF();
    QTest::newRow("at the top, half a pixel out") << QPointF(60, 31.5) << false << QRectF();
    QTest::newRow("at the top, clear") << QPointF(60, 32) << false << QRectF(50, 10, 20, 14);
    QTest::newRow("at the top, under it") << QPointF(60, 23) << true << QRectF(50, 31, 20, 14);
}

// A label never reaches over the walls, the floor or the labels under the axis: where its
// point has no room, it is left out.
void TestTrendCharts::valueLabelsStayInTheirRoom()
{
    QFETCH(QPointF, point);
    QFETCH(bool, line);
    QFETCH(QRectF, expected);
    const QVector<QRectF> boxes = TrendChartDecor::placeLabels(
        {point}, {QSizeF(20, 14)}, {QRectF(point - QPointF(3, 3), QSizeF(6, 6))},
        line ? QPolygonF({point}) : QPolygonF(), QRectF(10, 10, 100, 100), {0}, 8, line);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first(), expected);
}

// Every point has its tooltip, labelled or not; the axis numbers are in the window's Gothic.
void TestTrendCharts::everyPointHasItsTooltip()
{
    TMainForm &form = *m_form;
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet3"));
    auto *view = control<QChartView>(form, "chartSelect43");
    QChart *chart = view->chart();
    QCOMPARE(chart->axes(Qt::Horizontal).first()->labelsFont().family(), QString("ＭＳ ゴシック"));
    const QVector<int> values = seriesValues(view);
    for (int i : {0, 7, 42}) {
        const QPointF point = chart->mapToPosition(QPointF(i, values.at(i)), chart->series().at(0));
        const QPoint at = view->mapFromScene(chart->mapToScene(point + QPointF(0, 4)));
        QHelpEvent tip(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &tip);
        QCOMPARE(QToolTip::text(),
                 QString("%1：%2回").arg(i + 1, 2, 10, QChar('0')).arg(values.at(i)));
        QToolTip::hideText();
    }
}

// A chart takes no key: Tab goes round the page's controls without stopping on it, where the
// focus would be nowhere to be seen.
void TestTrendCharts::tabPassesTheChartsBy()
{
    TMainForm &form = *m_form;
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet3"));
    showKind(form, 11); // a bar chart shown in place of the line chart
    auto *start = control<QComboBox>(form, "cmbChartKind");
    start->setFocus();
    QStringList stops;
    QWidget *focus = start;
    do {
        QTest::keyClick(focus, Qt::Key_Tab);
        focus = form.focusWidget();
        QVERIFY(focus);
        stops.append(focus->objectName());
    } while (focus != start && stops.size() < 40);
    QCOMPARE(focus, start);
    QVERIFY2(!stops.contains("chartSelect6") && !stops.contains("chartSelect43"),
             qPrintable(stops.join(' ')));
}

QTEST_MAIN(TestTrendCharts)
#include "tst_trendcharts.moc"
