// The main window's controls in their design-time state: the window, its menu, status bar
// and page control, and the pages, which build their own controls. Places are pixels
// relative to the parent control.

#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/pages/CheckPage.h"
#include "gui/pages/HistoryPage.h"
#include "gui/pages/MainPage.h"
#include "gui/pages/PickOptionsPage.h"
#include "gui/pages/PrizesPage.h"
#include "gui/pages/TicketListPage.h"
#include "gui/pages/TrendChartPage.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/MultiRowTabBar.h"
#include "gui/widgets/Pictures.h"
#include "gui/widgets/Widgets.h"

#include <QAction>
#include <QKeySequence>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>

using namespace layout;

namespace
{

// Every tab is a Page: the page change asks the page shown for its guidance.
template <typename P> P *addPage(QTabWidget *pages, P *page, const QString &caption)
{
    page->setCursor(Qt::ArrowCursor);
    pages->addTab(static_cast<Page *>(page), caption);
    return page;
}

} // namespace

void TMainForm::buildWindow()
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(applicationIcon());
    setFont(makeFont(15));
    move(292, 63);

    // The pages lie in a scroll area that shows its bars only on a screen too small for the
    // whole window (see fitToScreen); otherwise it is as if it were not there.
    auto *scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("ClientScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    auto *client = new QWidget;
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(657, 526);
    scroller->setWidget(client);
    setCentralWidget(scroller);

    pctrlMain = new PageControl(client);
    pctrlMain->setObjectName(QStringLiteral("pctrlMain"));
    pctrlMain->setGeometry(8, 5, 640, 514);
    pctrlMain->setCursor(Qt::PointingHandCursor);
    applyStyle(pctrlMain, 15);

    // The status bar comes first: the pages' handlers write their guidance into it.
    buildMenu();
    buildStatusBar();
    m_context->setWindowParts(pctrlMain, pnlMessagePanel0);
    PageContext &context = *m_context;
    m_mainPage =
        addPage(pctrlMain, new MainPage(context, pctrlMain), QStringLiteral("ロト６予想メイン"));
    m_optionsPage = addPage(pctrlMain, new PickOptionsPage(context, pctrlMain),
                            QStringLiteral("予想オプション設定"));
    m_checkPage = addPage(pctrlMain, new CheckPage(context, pctrlMain),
                          QStringLiteral("オンラインデータ照合"));
    m_chartPage = addPage(pctrlMain, new TrendChartPage(context, pctrlMain),
                          QStringLiteral("データの傾向と分析"));
    m_ticketPage = addPage(pctrlMain, new TicketListPage(context, pctrlMain),
                           QStringLiteral("申込数字照会・取消し"));
    m_historyPage =
        addPage(pctrlMain, new HistoryPage(context, pctrlMain), QStringLiteral("抽選数字照会"));
    m_prizesPage = addPage(pctrlMain, new PrizesPage(*context.history(), pctrlMain),
                           QStringLiteral("当選金額照会"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    // Client area 657 x 548 below the menu, neither resizable nor maximisable.
    fitToScreen();
}

QSize TMainForm::naturalSize() const
{
    // The menu bar as laid out once shown: on Windows it can be a pixel taller than its hint,
    // and a pixel short would bring up both scroll bars.
    const QMenuBar *menu = menuBar();
    const int menuHeight = qMax(menu->sizeHint().height(), menu->isVisible() ? menu->height() : 0);
    return QSize(657, menuHeight + 548);
}

void TMainForm::fitToScreen()
{
    const QScreen *shownOn = screen();
    if (!shownOn)
        return;
    // The frame the window manager puts around the window once it is shown; before, as
    // much as a title bar and a border take.
    constexpr int kBorder = 8;
    QMargins frame(kBorder, style()->pixelMetric(QStyle::PM_TitleBarHeight) + kBorder, kBorder,
                   kBorder);
    if (isVisible() && frameGeometry() != geometry()) {
        const QRect outer = frameGeometry(), inner = geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    }
    const QRect free = shownOn->availableGeometry();
    const QSize room(free.width() - frame.left() - frame.right(),
                     free.height() - frame.top() - frame.bottom());
    const QSize fitted = layout::fittedWindowSize(naturalSize(), room,
                                                  style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    setFixedSize(fitted);
    if (!isVisible())
        return;
    // Kept whole on the screen: a window moved up or left as far as it reaches past an edge.
    QRect outer = frameGeometry();
    if (outer.bottom() > free.bottom())
        outer.moveBottom(free.bottom());
    if (outer.right() > free.right())
        outer.moveRight(free.right());
    outer.moveTopLeft(QPoint(qMax(outer.left(), free.left()), qMax(outer.top(), free.top())));
    if (outer.topLeft() != frameGeometry().topLeft())
        move(outer.topLeft());
}

void TMainForm::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("Loto6Menu"));
    bar->setFont(makeFont(15));

    auto action = [this](QMenu *menu, const char *name, const QString &caption) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    auto separator = [](QMenu *menu, const char *name) {
        menu->addSeparator()->setObjectName(QLatin1String(name));
    };

    QMenu *menuFile = bar->addMenu(QStringLiteral("ファイル(&F)"));
    menuFile->setObjectName(QStringLiteral("menuFile"));
    // Ctrl+S saves the slate as "保存" does, from every page.
    menuFileSave = action(menuFile, "menuFileSave", QStringLiteral("申込数字を保存(&S)"));
    menuFileSave->setShortcut(QKeySequence::Save);
    menuFileCsvSave = action(menuFile, "menuFileCsvSave",
                             QStringLiteral("CSV形式で名前を付けて保存（ファイル持ち出し）(&A)"));
    separator(menuFile, "N3");
    menuFileExit = action(menuFile, "menuFileExit", QStringLiteral("終了(&X)"));

    QMenu *menuCommand = bar->addMenu(QStringLiteral("コマンド(&C)"));
    menuCommand->setObjectName(QStringLiteral("menuCommand"));
    menuCommandDownload = action(menuCommand, "menuCommandDownload",
                                 QStringLiteral("最新の抽選結果をダウンロード(&D)"));
    menuCommandDownloadSettings = action(menuCommand, "menuCommandDownloadSettings",
                                         QStringLiteral("ダウンロードの設定(&S)..."));
    menuCommandEnterResult =
        action(menuCommand, "menuCommandEnterResult", QStringLiteral("抽選結果の入力(&E)..."));
    menuCommandSaveContinued = action(menuCommand, "menuCommandSaveContinued",
                                      QStringLiteral("継続購入として保存(&P)..."));
    separator(menuCommand, "N4");
    menuCommandLineHistory = action(menuCommand, "menuCommandLineHistory",
                                    QStringLiteral("組合せを過去の全抽選と照合(&L)..."));
    menuCommandTicketReport =
        action(menuCommand, "menuCommandTicketReport", QStringLiteral("収支レポート(&R)..."));
    menuCommandRandomnessTest =
        action(menuCommand, "menuCommandRandomnessTest", QStringLiteral("出現傾向の検定(&T)..."));
    menuCommandStatistics =
        action(menuCommand, "menuCommandStatistics", QStringLiteral("統計と理論値(&A)..."));

    QMenu *menuHelp = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    menuHelp->setObjectName(QStringLiteral("menuHelp"));
    menuHelpManual = action(menuHelp, "menuHelpManual", QStringLiteral("操作手順書(&M)"));
    menuHelpManual->setShortcut(QKeySequence(Qt::Key_F1));
    menuHelpHomePage =
        action(menuHelp, "menuHelpHomePage", QStringLiteral("著作権者ホームページ(&H)"));
    separator(menuHelp, "N1");
    menuHelpAbout = action(menuHelp, "menuHelpAbout", QStringLiteral("バージョン情報(&A)"));
}

void TMainForm::buildStatusBar()
{
    auto *pnlMessage = new QStatusBar(this);
    pnlMessage->setObjectName(QStringLiteral("pnlMessage"));
    pnlMessage->setFixedHeight(22);
    pnlMessage->setSizeGripEnabled(false);
    auto *guide = new StatusPanel(pnlMessage);
    guide->setObjectName(QStringLiteral("pnlMessage.Panel0"));
    guide->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    guide->setMinimumWidth(0);
    guide->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto *clock = new StatusPanel(pnlMessage);
    clock->setObjectName(QStringLiteral("pnlMessage.Panel1"));
    clock->setAlignment(Qt::AlignCenter);
    // The clock is shown whole; the guidance takes the rest of the bar.
    clock->setFixedWidth(clock->widthFor(QStringLiteral("0000/00/00 00:00:00")));
    pnlMessage->addWidget(guide, 1);
    pnlMessage->addWidget(clock);
    pnlMessagePanel0 = guide;
    pnlMessagePanel1 = clock;
    setStatusBar(pnlMessage);
}
