// The page "ロト６予想メイン": the number board (43 toggle buttons, at most six down, and the
// row of six pictures showing the picked numbers in ascending order) and the line generator
// "＄ヨルネ＄", which draws numbers by the pick method of the options page and operates the
// board as the player would, one visible number at a time, then decides each line into the
// slate. The slate's handlers are in MainPageSlate.cpp.

#include "gui/pages/MainPage.h"

#include "core/common/DomainError.h"
#include "core/common/Formats.h"
#include "core/picking/DuplicateLines.h"
#include "core/picking/LineGenerator.h"
#include "core/results/DrawCalendar.h"
#include "gui/PageContext.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/Pictures.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QDateTime>
#include <QEvent>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QToolButton>
#include <algorithm>

using namespace layout;

namespace
{

QToolButton *numberButton(const QWidget *board, int n)
{
    return board->findChild<QToolButton *>(QStringLiteral("SpeedButton%1").arg(n));
}

const QString kSixAlreadyPicked =
    QStringLiteral("既に６個の数字を選択しています。これでよろしければ「決定」ボタンを"
                   "クリックしてください。\n\nまた、変更する場合は、選択されている数字を解除"
                   "するか、「クリア」ボタンをクリックしてください。");

// The height the notice of a history left behind takes above the page's controls.
constexpr int kNoticeHeight = 56;

// How long each accepted number stays in view before the next one is drawn.
constexpr unsigned long kShowNumberMs = 50;

PickedNumbers pickedOnBoard(const QWidget *board)
{
    PickedNumbers picked{};
    for (int n = kLotoMin; n <= kLotoMax; ++n)
        picked[n - 1] = numberButton(board, n)->isChecked();
    return picked;
}

QString starvedMessage(PickMethod method, int line, int position)
{
    QString text = QStringLiteral("%1口目の基本数字%2に選べる数字が残っていないため、"
                                  "自動選択を中止しました。")
                       .arg(line)
                       .arg(QChar(0x2460 + position)); // ①..⑥
    if (method == PickMethod::CountFiltered)
        text += QStringLiteral("過去の抽選回数を変更してください。");
    return text;
}

// The rule of the method; the count-filtered one reads the threshold as typed now.
AdmissionRule admissionRuleFor(const PageContext &context, const PickChoice &choice)
{
    switch (choice.method) {
    case PickMethod::ExclusionBased:
        return AdmissionRule::excluding(context.exclusionSet());
    case PickMethod::CountFiltered:
        return AdmissionRule::countFiltered(context.baseCountTable(),
                                            parseThreshold(choice.thresholdText));
    case PickMethod::Manual:
    case PickMethod::Random:
        break;
    }
    return AdmissionRule::random();
}

} // namespace

MainPage::MainPage(PageContext &context, QWidget *parent) : Page(parent), m_context(context)
{
    setObjectName(QStringLiteral("TabSheet1"));
    setTextColour(this, colour::black);
    buildControls();
    connectControls();
}

// The export dialog, a child of the window, goes first: its file model asks m_entryKinds to the
// end.
MainPage::~MainPage()
{
    delete dlgSave;
}

QString MainPage::guide() const
{
    return kMainPageGuide;
}

void MainPage::activated()
{
    showHistoryLag(); // the day may have turned
    refreshSlate();
}

void MainPage::buildControls()
{
    QWidget *p = this;
    // First in the Tab order while shown: the notice of a history left behind, beside the
    // coming draw, above the picked numbers and the slate, which make room for it.
    frmStaleHistory = new QFrame(p);
    frmStaleHistory->setObjectName(QStringLiteral("frmStaleHistory"));
    frmStaleHistory->setGeometry(206, 3, 418, kNoticeHeight - 4);
    frmStaleHistory->setFrameShape(QFrame::StyledPanel);
    frmStaleHistory->setAutoFillBackground(true);
    {
        QPalette pal = frmStaleHistory->palette();
        pal.setColor(QPalette::Window, QColor(255, 244, 200));
        frmStaleHistory->setPalette(pal);
    }
    auto *noticeRow = new QHBoxLayout(frmStaleHistory);
    noticeRow->setContentsMargins(6, 1, 4, 1);
    noticeRow->setSpacing(4);
    lblStaleHistory = new QLabel(frmStaleHistory);
    lblStaleHistory->setObjectName(QStringLiteral("lblStaleHistory"));
    lblStaleHistory->setWordWrap(true);
    applyStyle(lblStaleHistory, 13, false, QColor(128, 0, 0));
    btnStaleDownload = new QPushButton(QStringLiteral("ダウンロード(&D)"), frmStaleHistory);
    btnStaleDownload->setObjectName(QStringLiteral("btnStaleDownload"));
    btnStaleDownload->setAccessibleName(QStringLiteral("最新の抽選結果を今すぐダウンロード"));
    applyStyle(btnStaleDownload, 12);
    noticeRow->addWidget(lblStaleHistory, 1);
    noticeRow->addWidget(btnStaleDownload, 0);
    frmStaleHistory->hide();

    Label4 = label(p, "Label4", 14, 8, QStringLiteral("開催回"), colour::navy, 21, true);

    editNewNum = new QLineEdit(p);
    editNewNum->setObjectName(QStringLiteral("editNewNum"));
    editNewNum->setGeometry(98, 7, 82, 24);
    editNewNum->setReadOnly(true);
    editNewNum->setFocusPolicy(Qt::NoFocus);
    editNewNum->setAttribute(Qt::WA_InputMethodEnabled, false);
    editNewNum->setAlignment(Qt::AlignCenter);
    applyStyle(editNewNum, 21, true, colour::navy);
    {
        QPalette pal = editNewNum->palette();
        pal.setColor(QPalette::Base, pal.color(QPalette::Button));
        editNewNum->setPalette(pal);
    }

    GroupBox2 =
        groupBox(p, "GroupBox2", QRect(213, 8, 411, 65), QStringLiteral("選択数字"), colour::navy);
    for (int k = 1; k <= kPicksPerLine; ++k) {
        auto *img = new QLabel(GroupBox2);
        img->setObjectName(QStringLiteral("Image%1").arg(k));
        img->setGeometry(75 + 56 * (k - 1), 17, 41, 41);
        img->setAlignment(Qt::AlignCenter);
        showPicked(k, 0);
    }
    btnRiset = button(GroupBox2, "btnRiset", QRect(14, 23, 49, 29), QStringLiteral("ｸﾘｱ(&R)"),
                      colour::black, QStringLiteral("現在、選択されている数字をリセットします。"));

    GroupBox1 = groupBox(p, "GroupBox1", QRect(8, 40, 193, 417), QStringLiteral("組合せ数字"),
                         colour::blue);
    GroupBox1->setProperty("tag", 0);
    Label2 = label(GroupBox1, "Label2", 13, 23, QStringLiteral("連続申込み口数"));
    editAutoSelectMax = spinEdit(GroupBox1, "editAutoSelectMax", QRect(133, 19, 49, 24), 1, 100, 1,
                                 3, Qt::AlignRight);
    btnAutoCalc = button(GroupBox1, "btnAutoCalc", QRect(12, 47, 169, 32),
                         QStringLiteral("＄ヨルネ＄(&Y)"), colour::navy,
                         QStringLiteral("予想オプション設定により、当選数字を絞り込み、より確率の"
                                        "高い当選数字を弾き出します。"));
    applyStyle(btnAutoCalc, 19, true, colour::navy);
    btnAutoCalc->setIcon(buttonIcon(ButtonPicture::PointingHand));

    for (int n = 1; n <= kLotoCount; ++n) {
        auto *b = new NumberButton(GroupBox1);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(n));
        b->setGeometry(16 + 32 * ((n - 1) / 10), 84 + 32 * ((n - 1) % 10), 33, 33);
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setIcon(numberDiscIcon(n));
        b->setAccessibleName(twoDigits(n)); // picked or not is its checked state
        b->setIconSize(QSize(32, 32));
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setCursor(Qt::PointingHandCursor);
        b->setFocusPolicy(
            Qt::NoFocus); // the keyboard reaches the board as one (makeNumberGridOneTabStop)
    }

    GroupBox3 = groupBox(p, "GroupBox3", QRect(214, 79, 410, 378), QStringLiteral("申込み数字"),
                         colour::fuchsia);
    btnSelect = button(GroupBox3, "btnSelect", QRect(16, 19, 80, 25), QStringLiteral("決定(&K)"),
                       colour::blue, QStringLiteral("現在、選択されている数字を決定します。"));
    btnSelect->setIcon(buttonIcon(ButtonPicture::HandWithSheet));
    btnCancel = button(GroupBox3, "btnCancel", QRect(99, 19, 80, 25), QStringLiteral("取消(&T)"),
                       colour::red, QStringLiteral("申込み数字をキャンセルします。"));
    btnCancel->setIcon(buttonIcon(ButtonPicture::RedCross));
    btnSave = button(GroupBox3, "btnSave", QRect(182, 19, 80, 25), QStringLiteral("保存(&S)"),
                     colour::navy, QStringLiteral("申込み数字を利用端末に保存します。"));
    btnSave->setIcon(buttonIcon(ButtonPicture::SheetIntoDiskette));
    // The count and price stand in a row of their own below the slate: the count grows to
    // "12口（保存済み12口）" once lines are saved, wider than the room beside the buttons.
    pnlSelectMax = panel(GroupBox3, "pnlSelectMax", QRect(16, 347, 292, 22), Qt::AlignRight);
    pnlSelectMoney = panel(GroupBox3, "pnlSelectMoney", QRect(312, 347, 81, 22), Qt::AlignRight);

    gridSelectItem = new StringGrid(7, GroupBox3);
    gridSelectItem->setObjectName(QStringLiteral("gridSelectItem"));
    gridSelectItem->setGeometry(16, 43, 377, 300);
    applyStyle(gridSelectItem, 24, true, colour::black);
    gridSelectItem->setColumnWidths({58, 58, 58, 58, 58, 58, 58});
    gridSelectItem->setRowHeight(28);
    gridSelectItem->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gridSelectItem->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    gridSelectItem->viewport()->setCursor(Qt::PointingHandCursor);
}

void MainPage::connectControls()
{
    for (int n = 1; n <= kLotoCount; ++n) {
        QToolButton *button = speedButton(n);
        connect(button, &QToolButton::clicked, this,
                [this, button] { ComSet_SpeedBtnClick(button); });
    }
    // The board is one stop of the Tab order; Space or Enter presses the number, and so does
    // typing it.
    layout::makeNumberGridOneTabStop([this](int n) { return numberButton(GroupBox1, n); },
                                     Qt::Vertical, GroupBox1,
                                     [this](int n) { speedButton(n)->click(); });
    connect(btnRiset, &QPushButton::clicked, this, &MainPage::btnRisetClick);
    connect(btnStaleDownload, &QPushButton::clicked, this, &MainPage::downloadRequested);
    connect(btnSelect, &QPushButton::clicked, this, guardedSlot(this, &MainPage::btnSelectClick));
    connect(btnCancel, &QPushButton::clicked, this, guardedSlot(this, &MainPage::btnCancelClick));
    gridSelectItem->setCellPainter(
        [this](QPainter *painter, const QRect &rect, int row, int column) {
            gridSelectItemDrawCell(painter, rect, row, column);
        });
    // Repeated lines are drawn in red (repeats of other unsaved slate lines or of saved
    // lines), lines saved from the slate in grey, as the slate's last review found them. The
    // marks are worked out while the slate is painted after a review: a ticket file that
    // cannot be read counts as no lines and is told in the status line, once each time.
    gridSelectItem->setRowMarkSource([this] {
        if (!m_review.unreadable.isEmpty())
            m_context.setStatusText(m_review.unreadable.join(QStringLiteral("　")));
        QVector<StringGrid::RowMark> marks;
        for (const SlateLineCheck &check : std::as_const(m_review.lines)) {
            marks.append(check.state == SlateLineCheck::State::Repeat ? StringGrid::RowMark::Warned
                         : check.state == SlateLineCheck::State::Saved ||
                                 check.state == SlateLineCheck::State::Cancelled
                             ? StringGrid::RowMark::Muted
                             : StringGrid::RowMark::Plain);
        }
        return marks;
    });
    connect(gridSelectItem->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            guardedSlot(this, &MainPage::showSlateNotice));
    connect(btnAutoCalc, &QPushButton::clicked, this,
            guardedSlot(this, &MainPage::btnAutoCalcClick));
    connect(btnSave, &QPushButton::clicked, this, guardedSlot(this, &MainPage::btnSaveClick));
    editAutoSelectMax->setKeyFilter(editSelectNumKeyPress);
}

QToolButton *MainPage::speedButton(int n) const
{
    return numberButton(GroupBox1, n);
}

QLabel *MainPage::image(int k) const
{
    return GroupBox2->findChild<QLabel *>(QStringLiteral("Image%1").arg(k));
}

void MainPage::InitMainControls(const QStringList &ticketHeader)
{
    pnlSelectMax->setText(QStringLiteral("0口"));
    pnlSelectMoney->setText(QStringLiteral("¥0"));
    GroupBox1->setProperty("tag", 0);
    for (int n = 1; n <= kLotoCount; ++n) {
        QToolButton *b = speedButton(n);
        b->setText(QString());
        b->setProperty("tag", n);
        setTextColour(b, colour::blue);
    }
    gridSelectItem->setColumnHidden(0, true);
    gridSelectItem->setHeaderTexts(ticketHeader);
}

void MainPage::setComingDraw(int draw)
{
    m_comingDraw = draw;
    editNewNum->setText(comingDrawText());
}

QString MainPage::comingDrawText() const
{
    return m_comingDraw == kNoDraw ? QString() : QString::number(m_comingDraw);
}

void MainPage::setNewestDraw(int number, const QDate &date)
{
    m_newestNumber = number;
    m_newestDate = date;
    m_pastDrawsAccepted.clear();
    showHistoryLag();
}

void MainPage::showHistoryLag()
{
    const QString text = staleHistoryBanner(historyLag(m_newestNumber, m_newestDate, japanToday()));
    lblStaleHistory->setText(text);
    lblStaleHistory->setAccessibleName(text);
    const bool shown = !text.isEmpty();
    if (shown == !frmStaleHistory->isHidden())
        return;
    // The picked numbers and the slate make room below the notice, or take its room back:
    // the slate shows two rows fewer meanwhile.
    const int by = shown ? kNoticeHeight : -kNoticeHeight;
    GroupBox2->move(GroupBox2->x(), GroupBox2->y() + by);
    GroupBox3->setGeometry(GroupBox3->geometry().adjusted(0, by, 0, 0));
    gridSelectItem->resize(gridSelectItem->width(), gridSelectItem->height() - by);
    for (QWidget *panel :
         {static_cast<QWidget *>(pnlSelectMax), static_cast<QWidget *>(pnlSelectMoney)})
        panel->move(panel->x(), panel->y() - by);
    frmStaleHistory->setVisible(shown);
}

bool MainPage::confirmPastDraws(const QVector<int> &draws, bool saving)
{
    const HistoryLag lag = historyLag(m_newestNumber, m_newestDate, japanToday());
    QVector<int> past;
    for (const int draw : draws) {
        if (isPastByCalendar(draw, lag) && (saving || !m_pastDrawsAccepted.contains(draw)) &&
            !past.contains(draw))
            past.append(draw);
    }
    if (past.isEmpty())
        return true;
    std::sort(past.begin(), past.end());
    const QString anyway =
        saving ? QStringLiteral("このまま保存(&S)") : QStringLiteral("このまま決定(&S)");
    switch (askChoice(
        window(), pastDrawQuestion(past, lag, saving),
        {QStringLiteral("今すぐダウンロード(&D)"), anyway, QStringLiteral("キャンセル")})) {
    case Choice::Yes:
        emit downloadRequested();
        return false;
    case Choice::No:
        if (!saving) // a save, which writes the files, asks each time
            for (const int draw : past)
                m_pastDrawsAccepted.insert(draw);
        return true;
    case Choice::Cancel:
        break;
    }
    return false;
}

void MainPage::refreshSlate()
{
    recheckSlate();
}

QString MainPage::currentLineText() const
{
    QStringList numbers;
    if (!m_slate.isEmpty()) {
        numbers = m_slate.line(gridSelectItem->currentRow()).numberTexts();
    } else {
        for (int k = 1; k <= kPicksPerLine; ++k) {
            if (const int n = image(k)->property("tag").toInt())
                numbers.append(twoDigits(n));
        }
    }
    return numbers.join(QLatin1Char(' '));
}

void MainPage::setAutomaticPicking(bool enabled)
{
    editAutoSelectMax->setEnabled(enabled);
    btnAutoCalc->setEnabled(enabled);
}

void MainPage::setRunLineCount(const QString &lines)
{
    editAutoSelectMax->setText(lines);
}

// Runs after the button has toggled itself (a click, or a press by the line generator).
void MainPage::ComSet_SpeedBtnClick(QToolButton *sender)
{
    if (sender == nullptr)
        return;
    int picked = GroupBox1->property("tag").toInt();
    if (sender->isChecked()) {
        if (picked >= kPicksPerLine) {
            showGuideMessage(window(), kSixAlreadyPicked);
            sender->setChecked(false);
            return;
        }
        ++picked;
    } else {
        --picked;
    }
    GroupBox1->setProperty("tag", picked);
    refreshPickedImages();
}

void MainPage::refreshPickedImages()
{
    int k = 1;
    for (int n = 1; n <= kLotoCount && k <= kPicksPerLine; ++n) {
        if (speedButton(n)->isChecked())
            showPicked(k++, n);
    }
    for (; k <= kPicksPerLine; ++k)
        showPicked(k, 0);
}

void MainPage::showPicked(int k, int n)
{
    QLabel *picture = image(k);
    picture->setProperty("tag", n);
    // A screen reader names the place and the number.
    const QString place = QStringLiteral("%1番目：").arg(k);
    if (n == 0) {
        picture->clear();
        picture->setAccessibleName(place + QStringLiteral("未選択"));
        return;
    }
    picture->setPixmap(numberDisc(n, picture->devicePixelRatioF()));
    picture->setAccessibleName(place + twoDigits(n));
}

bool MainPage::event(QEvent *event)
{
    // On a screen of another scale the picked numbers are painted again for it.
    if (event->type() == QEvent::ScreenChangeInternal)
        refreshPickedImages();
    return Page::event(event);
}

void MainPage::btnRisetClick()
{
    GroupBox1->setProperty("tag", 0);
    for (int k = 1; k <= kPicksPerLine; ++k)
        showPicked(k, 0);
    for (int n = 1; n <= kLotoCount; ++n)
        speedButton(n)->setChecked(false); // by program: no toggle handler runs
}

void MainPage::btnAutoCalcClick()
{
    if (editAutoSelectMax->text().trimmed().isEmpty()) {
        showGuideMessage(window(), QStringLiteral("連続申込み口数が入力されていません。"));
        return;
    }
    const PickChoice choice = m_pickChoice; // as it was when the run began
    const PickMethod method = choice.method;
    if (method == PickMethod::Manual)
        return; // the button is disabled with this method

    // While numbers are shown the window takes messages: a close waits for the run (which
    // then ends after the number in view); the download refuses to reload meanwhile, and the
    // rule keeps its own copy of the tables in any case.
    PageContext::BusyScope busy(m_context);
    const InputBlock block(
        m_context.pageControl()); // the board keeps its colours while numbers light up
    WaitCursor wait;

    LotoRandom random(LotoRandom::seedFromTimeOfDay(QDateTime::currentDateTimeUtc().time()));
    const auto lines = parseInteger(editAutoSelectMax->text());
    if (!lines)
        throw DomainError(QStringLiteral("連続申込み口数：") +
                          notAnIntegerMessage(editAutoSelectMax->text()));

    for (int line = 1; line <= *lines; ++line) {
        btnRisetClick();
        const AdmissionRule rule = admissionRuleFor(m_context, choice);
        for (int position = 0;
             position < kPicksPerLine && GroupBox1->property("tag").toInt() < kPicksPerLine;
             ++position) {
            const std::optional<int> n =
                drawAdmissible(random, rule, position, pickedOnBoard(GroupBox1));
            if (!n) {
                btnRisetClick();
                showGuideMessage(window(), starvedMessage(method, line, position));
                return;
            }
            // The number's button is pressed as the player would, and left in view.
            QToolButton *button = speedButton(*n);
            button->setChecked(true);
            ComSet_SpeedBtnClick(button);
            QThread::msleep(kShowNumberMs);
            window()->repaint();
            catchUp();
            if (m_context.isCloseRequested()) {
                btnRisetClick();
                return;
            }
        }
        btnSelectClick();
    }
}
