#include "StatisticsForm.h"

#include "core/analysis/Statistics.h"
#include "core/common/Formats.h"
#include "gui/AccessibleNames.h"
#include "gui/dialogs/RandomnessTestForm.h"
#include "gui/widgets/ExpectationChart.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/MultiRowTabBar.h"

#include "ui_StatisticsForm.h"

#include <QChartView>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

// Below this many draws a number expects fewer than five appearances.
constexpr int kFewestDraws = 36;

QString pText(double p)
{
    return p < 0.001 ? QStringLiteral("p < 0.001") : QStringLiteral("p = %1").arg(p, 0, 'f', 3);
}

QString fixed2(double value)
{
    return QString::number(value, 'f', 2);
}

QString percent(double probability)
{
    return QString::number(100.0 * probability, 'f', 2) + QLatin1Char('%');
}

QTableWidget *table(const char *name, const QStringList &headers, const QVector<int> &widths)
{
    QTableWidget *grid = layout::readOnlyTable(name, 0, headers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->setFixedWidth(layout::setColumnWidths(grid, widths) + 24); // frame and scroll bar
    return grid;
}

// Writes one row of right-aligned cells.
void setRow(QTableWidget *grid, int row, const QStringList &cells)
{
    for (int c = 0; c < cells.size(); ++c)
        grid->setItem(row, c, layout::tableItem(cells.at(c)));
}

// A sentence as the labels show it: digits all of one width (half), and a formula never
// broken across lines ("p = 0.541", "χ² = 26.05", "43÷6=7.17" stay whole).
QString sentenceText(QString text)
{
    for (QChar &c : text) {
        if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
            c = QChar(u'0' + (c.unicode() - 0xFF10));
    }
    const QChar keep(0x00A0); // a space no line breaks at
    for (const QString &sign : {QStringLiteral("="), QStringLiteral("<")})
        text.replace(QLatin1Char(' ') + sign + QLatin1Char(' '), keep + sign + keep);
    return text;
}

void setSentence(QLabel *label, const QString &text)
{
    label->setText(sentenceText(text));
}

QLabel *wrappedLabel(const char *name = nullptr)
{
    auto *label = new QLabel;
    if (name)
        label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

QString gapVerdict(double adjustedP)
{
    return adjustedP >= 0.05
               ? QStringLiteral("いちばん長い間隔は偶然の範囲内です。")
               : QStringLiteral("偶然とは言いにくい長さの間隔があります（補正後 p < 0.05）。");
}

StatisticsForm::StatisticsForm(const PastDraws &history, QWidget *parent)
    : QDialog(parent), m_history(history), m_ui(std::make_unique<Ui::StatisticsForm>())
{
    m_ui->setupUi(this);
    setFont(layout::makeFont(15));
    const int all = static_cast<int>(m_history.draws().size());
    m_ui->editStatisticsDraws->setRange(qMin(kFewestDraws, all), all);
    m_ui->editStatisticsDraws->setValue(all);
    m_ui->lblStatisticsAll->setText(QStringLiteral("回の抽選を対象にします（全%1回）。").arg(all));

    const QString number = QStringLiteral("数字");
    const QString count = QStringLiteral("回数");
    const QString expected = QStringLiteral("期待値");
    const QString probability = QStringLiteral("確率");
    addPage(
        Intervals, QStringLiteral("出現間隔"),
        table("gridIntervals",
              {number, QStringLiteral("現在の間隔"), QStringLiteral("その確率"),
               QStringLiteral("最長間隔"), QStringLiteral("平均間隔"), QStringLiteral("理論値")},
              {50, 96, 80, 80, 80, 70}),
        nullptr, "lblIntervalsTest");
    addPage(Repeats, QStringLiteral("引っ張り"),
            table("gridRepeats", {QStringLiteral("前回の数字"), count, expected, probability},
                  {96, 70, 80, 80}),
            "chartRepeats", "lblRepeatsTest");
    addPage(Consecutive, QStringLiteral("連番"),
            table("gridConsecutive", {QStringLiteral("連番"), count, expected, probability},
                  {96, 70, 80, 80}),
            "chartConsecutive", "lblConsecutiveTest");
    addPage(OddEven, QStringLiteral("奇数・偶数"),
            table("gridOddEven", {QStringLiteral("奇数：偶数"), count, expected, probability},
                  {96, 70, 80, 80}),
            "chartOddEven", "lblOddEvenTest");
    addPage(
        Sums, QStringLiteral("合計"),
        table("gridSums", {QStringLiteral("合計"), count, expected, probability}, {96, 70, 80, 80}),
        "chartSums", "lblSumsTest");
    addPage(LastDigits, QStringLiteral("下一桁"),
            table("gridLastDigits",
                  {QStringLiteral("下一桁"), QStringLiteral("該当数"), QStringLiteral("出現回数"),
                   expected, QStringLiteral("割合")},
                  {64, 64, 80, 80, 70}),
            "chartLastDigits", "lblLastDigitsTest");
    addPage(Pairs, QStringLiteral("ペア"),
            table("gridPairs", {QStringLiteral("順位"), QStringLiteral("ペア"), count, expected},
                  {110, 70, 60, 80}),
            nullptr, nullptr);
    addPage(Weekday, QStringLiteral("曜日"),
            table("gridWeekday",
                  {number, QStringLiteral("月曜"), expected, QStringLiteral("木曜"), expected},
                  {50, 64, 80, 64, 80}),
            nullptr, "lblWeekdayTest");

    layout::placeLastInTabOrder(m_ui->btnClose); // after the page shown
    changePagesFromAnywhere(m_ui->tabStatistics);

    connect(m_ui->editStatisticsDraws, qOverload<int>(&QSpinBox::valueChanged), this,
            &StatisticsForm::refresh);
    refresh();

    // Within the screen's free area: the pages scroll when it is small.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize free = screen ? screen->availableGeometry().size() : QSize(1024, 576);
    resize(qMin(960, free.width() - 40), qMin(680, free.height() - 60));
    nameForScreenReaders(this);
}

StatisticsForm::~StatisticsForm() = default;

void StatisticsForm::addPage(PageIndex index, const QString &title, QTableWidget *table,
                             const char *chart, const char *test)
{
    // The table at the left; the chart beside it with the texts below both, or else the texts
    // beside the table.
    Page &page = m_pages[index];
    page.table = table;
    auto *texts = new QVBoxLayout;
    if (test) {
        page.test = wrappedLabel(test);
        texts->addWidget(page.test);
    }
    page.sentence = wrappedLabel();
    texts->addWidget(page.sentence);

    auto *content = new QWidget;
    content->setMinimumSize(table->width() + 220, 300);
    auto *grid = new QGridLayout(content);
    grid->addWidget(table, 0, 0);
    if (chart) {
        page.chart = new QChartView;
        page.chart->setObjectName(QLatin1String(chart));
        page.chart->setRenderHint(QPainter::Antialiasing);
        page.chart->setFocusPolicy(Qt::NoFocus); // nothing in it takes a key
        page.chart->setMinimumSize(300, 160);
        // The texts below keep their lines; the chart takes the height that is left.
        page.chart->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
        grid->addWidget(page.chart, 0, 1);
        grid->addLayout(texts, 1, 0, 1, 2);
        grid->setRowStretch(0, 1);
    } else {
        texts->addStretch(1);
        grid->addLayout(texts, 0, 1);
    }
    grid->setColumnStretch(1, 1);
    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Not a stop of its own: Tab goes to the table, and the page scrolls to bring it in view.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(content);
    m_ui->tabStatistics->addTab(scroll, title);
}

void StatisticsForm::refresh()
{
    const StatisticsReport report =
        computeStatistics(m_history.draws(), m_ui->editStatisticsDraws->value());
    m_tests = 0;
    for (const Distribution *d :
         {&report.repeats, &report.consecutive, &report.oddEven, &report.sums, &report.lastDigits})
        m_tests += d->test.degreesOfFreedom > 0 ? 1 : 0;
    m_tests +=
        (report.gapTest.longest > 0 ? 1 : 0) + (report.weekdays.test.degreesOfFreedom > 0 ? 1 : 0);

    showIntervals(report);
    QStringList rows;
    for (int k = 0; k <= kPicksPerLine; ++k)
        rows.append(QStringLiteral("%1個").arg(k));
    showDistribution(Repeats, report.repeats, rows, QStringLiteral("前回と同じ数字の個数"));
    rows.clear();
    for (int k = 0; k < kPicksPerLine; ++k)
        rows.append(QStringLiteral("%1組").arg(k));
    showDistribution(Consecutive, report.consecutive, rows, QStringLiteral("連番の組数"));
    rows.clear();
    for (int k = 0; k <= kPicksPerLine; ++k)
        rows.append(QStringLiteral("%1：%2").arg(k).arg(kPicksPerLine - k));
    showDistribution(OddEven, report.oddEven, rows, QStringLiteral("奇数：偶数"));
    rows.clear();
    for (int bin = 0; bin < kSumBins; ++bin) {
        const int first = kSumBinFirst + bin * kSumBinWidth;
        rows.append(QStringLiteral("%1～%2").arg(first).arg(first + kSumBinWidth - 1));
    }
    showDistribution(Sums, report.sums, rows, QStringLiteral("合計"));
    rows.clear();
    for (int digit = 0; digit < 10; ++digit)
        rows.append(QString::number(digit));
    showDistribution(LastDigits, report.lastDigits, rows, QStringLiteral("下一桁"));
    showPairs(report);
    showWeekdays(report);
}

void StatisticsForm::showIntervals(const StatisticsReport &report)
{
    const Page &page = m_pages[Intervals];
    page.table->setRowCount(kLotoCount);
    int longestNumber = 0;
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        const NumberGap &gap = report.gaps[static_cast<size_t>(n - 1)];
        if (gap.current == report.gapTest.longest && longestNumber == 0)
            longestNumber = n;
        const bool gaps = gap.appearances > 1;
        setRow(page.table, n - 1,
               {twoDigits(n),
                gap.appearances > 0 ? QString::number(gap.current)
                                    : QStringLiteral("%1以上").arg(gap.current),
                percent(gap.tailP), gaps ? QString::number(gap.longest) : QStringLiteral("－"),
                gaps ? fixed2(gap.mean) : QStringLiteral("－"), fixed2(kExpectedMeanGap)});
    }
    if (report.gapTest.longest == 0) {
        setSentence(page.test, QStringLiteral("抽選がないため、検定できません。"));
    } else {
        setSentence(page.test,
                    QStringLiteral("いちばん長い現在の間隔：%1回（数字 %2）\n"
                                   "公平な抽選で、どれかの数字の間隔が%1回以上になる確率 %3"
                                   "（Holm補正後 %4、%5個の検定）\n%6")
                        .arg(report.gapTest.longest)
                        .arg(twoDigits(longestNumber))
                        .arg(pText(report.gapTest.p), pText(report.gapTest.adjustedP))
                        .arg(m_tests)
                        .arg(gapVerdict(report.gapTest.adjustedP)));
    }
    setSentence(
        page.sentence,
        QStringLiteral(
            "現在の間隔は最後に出てから最新の回までの抽選回数（最新の回に出た数字は０）で、公平な抽"
            "選"
            "ならどの数字も平均 43÷6=7.17回に１回出て、g回以上続けて出ない確率は（37÷43）のg乗"
            "です。長く出ていない数字ほど次に出やすくなるわけではありません。"));
}

void StatisticsForm::showDistribution(PageIndex index, const Distribution &distribution,
                                      const QStringList &rows, const QString &axisTitle)
{
    const Page &page = m_pages[index];
    page.table->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        QStringList cells{rows.at(i)};
        if (index == LastDigits)
            cells.append(QString::number(numbersEndingIn(i)));
        cells << QString::number(distribution.observed.at(i)) << fixed2(distribution.expected.at(i))
              << percent(distribution.probability.at(i));
        setRow(page.table, i, cells);
    }

    QVector<AxisTick> ticks;
    if (index == Sums) {
        // Sum s lies in bin (s - 21) / 10, drawn from bin - 0.5 to bin + 0.5.
        for (int s : {50, 100, 150, 200})
            ticks.append({(s - kSumBinFirst + 0.5) / kSumBinWidth - 0.5, QString::number(s)});
    } else {
        for (int i = 0; i < rows.size(); ++i)
            ticks.append({double(i), rows.at(i)});
    }
    replaceChart(
        page.chart,
        expectationChart(
            QStringLiteral("%1：実際の回数と期待値").arg(m_ui->tabStatistics->tabText(index)),
            QStringLiteral("実際の回数"), axisTitle,
            QVector<double>(distribution.observed.begin(), distribution.observed.end()),
            distribution.expected, ticks));
    describeExpectation(page.chart, rows,
                        QVector<double>(distribution.observed.begin(), distribution.observed.end()),
                        distribution.expected);

    const ChiSquareTest &test = distribution.test;
    if (test.degreesOfFreedom == 0) {
        setSentence(page.test, QStringLiteral("抽選回数が少ないため、検定できません。"));
    } else {
        const int cells = static_cast<int>(distribution.cells.size());
        const QString how =
            index == LastDigits ? QStringLiteral("同時抽選の補正後、%1区分").arg(cells)
            : cells < rows.size()
                ? QStringLiteral("期待値が５以上になるよう隣の区分をまとめた%1区分").arg(cells)
                : QStringLiteral("%1区分").arg(cells);
        setSentence(page.test,
                    QStringLiteral("χ² = %1（%2）\n自由度 %3　%4（Holm補正後 %5、%6個の検定）\n%7")
                        .arg(fixed2(test.statistic), how)
                        .arg(test.degreesOfFreedom)
                        .arg(pText(test.p), pText(distribution.adjustedP))
                        .arg(m_tests)
                        .arg(randomnessVerdict(distribution.adjustedP)));
    }

    const int draws = m_ui->editStatisticsDraws->value();
    QString sentence;
    switch (index) {
    case Repeats:
        sentence = QStringLiteral("前の回の本数字がいくつ含まれたか（引っ張り）を前の回がある%1回"
                                  "について数えたもので、期待値は（抽選回数－１）×C(6,k)×"
                                  "C(37,6－k)÷C(43,6) です。")
                       .arg(qMax(0, draws - 1));
        break;
    case Consecutive:
        sentence = QStringLiteral("12-13 のように隣り合う数字の組の数で、期待値は６個の数字の組合せ"
                                  "全6,096,454通りを数えた確率から求めています（連番が１組以上"
                                  "ある確率は 54.72%）。");
        break;
    case OddEven:
        sentence = QStringLiteral("６個のうちの奇数の個数で、1～43 には奇数が22個、偶数が21個ある"
                                  "ので、奇数がk個の確率は C(22,k)×C(21,6－k)÷C(43,6) です"
                                  "（奇数３個は 33.60%）。");
        break;
    case Sums:
        sentence = QStringLiteral("６個の数字の合計を10ずつの区間に分けた回数で、期待値は全組合せ"
                                  "の合計の分布から求めています（合計の平均は 132）。");
        break;
    default:
        sentence = QStringLiteral("本数字の下一桁ごとの出現回数で、下一桁が 1・2・3 の数字は５個、"
                                  "ほかは４個ずつあるので期待値は ６×抽選回数×該当数÷43 です。"
                                  "１回の６個は互いに異なるため、カイ二乗値は出現傾向の検定と"
                                  "同じく 42÷37 倍に補正しています。");
        break;
    }
    setSentence(page.sentence, sentence);
}

void StatisticsForm::showPairs(const StatisticsReport &report)
{
    const Page &page = m_pages[Pairs];
    const PairCounts &pairs = report.pairs;
    page.table->setRowCount(static_cast<int>(pairs.most.size() + pairs.least.size()));
    int row = 0;
    for (const auto &[list, order] : {std::pair{&pairs.most, QStringLiteral("多い順")},
                                      std::pair{&pairs.least, QStringLiteral("少ない順")}}) {
        for (int i = 0; i < list->size(); ++i) {
            const PairCount &pair = list->at(i);
            setRow(page.table, row++,
                   {QStringLiteral("%1 %2位").arg(order).arg(i + 1),
                    twoDigits(pair.first) + QLatin1Char('-') + twoDigits(pair.second),
                    QString::number(pair.count), fixed2(pairs.expected)});
        }
    }
    setSentence(
        page.sentence,
        QStringLiteral(
            "903組のペア（２個の数字の組）のうち一緒に出た回数の多い20組と少ない20組で、期待値は"
            "どれも 抽選回数×15÷903 です。１回の抽選で15組が同時に数えられ、同じ数字を含むペアの"
            "回数は連動するので、903個の回数は独立した値として検定できません（903組もあれば、公平な"
            "抽選でも期待値から大きく離れたペアがいくつも出ます）。"));
}

void StatisticsForm::showWeekdays(const StatisticsReport &report)
{
    const Page &page = m_pages[Weekday];
    const WeekdayCounts &week = report.weekdays;
    page.table->setRowCount(kLotoCount);
    for (int n = kLotoMin; n <= kLotoMax; ++n) {
        const auto i = static_cast<size_t>(n - 1);
        setRow(page.table, n - 1,
               {twoDigits(n), QString::number(week.monday[i]), fixed2(week.expectedMonday[i]),
                QString::number(week.thursday[i]), fixed2(week.expectedThursday[i])});
    }
    const ChiSquareTest &test = week.test;
    if (test.degreesOfFreedom == 0) {
        setSentence(page.test,
                    QStringLiteral("月曜と木曜の抽選がそろっていないため、検定できません。"));
    } else {
        const int groups = static_cast<int>(week.groups.size());
        setSentence(
            page.test,
            QStringLiteral(
                "χ² = %1（同時抽選の補正後、%2）\n自由度 %3　%4（Holm補正後 %5、%6個の検定）\n%7")
                .arg(fixed2(test.statistic),
                     groups < kLotoCount
                         ? QStringLiteral("期待値が５以上になるよう隣の数字をまとめた%1区分×２曜日")
                               .arg(groups)
                         : QStringLiteral("%1区分×２曜日").arg(groups))
                .arg(test.degreesOfFreedom)
                .arg(pText(test.p), pText(week.adjustedP))
                .arg(m_tests)
                .arg(randomnessVerdict(week.adjustedP)));
    }
    QString sentence = QStringLiteral("月曜の抽選 %1回と木曜の抽選 %2回で各数字が出た回数で、"
                                      "期待値はその数字の出現回数を月曜と木曜の抽選回数の比で"
                                      "分けたものです。")
                           .arg(formatGrouped(week.mondayDraws))
                           .arg(formatGrouped(week.thursdayDraws));
    if (week.otherDraws > 0)
        sentence += QStringLiteral("ほかの曜日の抽選 %1回は含めていません。").arg(week.otherDraws);
    setSentence(page.sentence, sentence);
}
