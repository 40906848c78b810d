// The main window's controls in their design-time state: the window, its menu and status
// bar, and the main page. Places are pixels relative to the parent control.

#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/pages/CheckPage.h"
#include "gui/pages/HistoryPage.h"
#include "gui/pages/PickOptionsPage.h"
#include "gui/pages/PrizesPage.h"
#include "gui/pages/TicketListPage.h"
#include "gui/pages/TrendChartPage.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/MultiRowTabBar.h"
#include "gui/widgets/Pictures.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

using namespace layout;

namespace
{

QWidget *page(QTabWidget *pages, const char *name, const QString &caption)
{
    auto *sheet = new QWidget;
    sheet->setObjectName(QLatin1String(name));
    pages->addTab(sheet, caption);
    return sheet;
}

template <typename Page> Page *addPage(QTabWidget *pages, Page *page, const QString &caption)
{
    pages->addTab(page, caption);
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

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(657, 526);
    setCentralWidget(client);

    pctrlMain = new PageControl(client);
    pctrlMain->setObjectName(QStringLiteral("pctrlMain"));
    pctrlMain->setGeometry(8, 5, 640, 514);
    pctrlMain->setCursor(Qt::PointingHandCursor);
    applyStyle(pctrlMain, 15);

    buildMenu();
    buildStatusBar();
    // The pages' handlers write their guidance into the status bar.
    m_context->setWindowParts(pctrlMain, pnlMessagePanel0);
    TabSheet1 = page(pctrlMain, "TabSheet1", QStringLiteral("ロト６予想メイン"));
    m_optionsPage = addPage(pctrlMain, new PickOptionsPage(*m_context, pctrlMain),
                            QStringLiteral("予想オプション設定"));
    m_checkPage = addPage(pctrlMain, new CheckPage(*m_context, pctrlMain),
                          QStringLiteral("オンラインデータ照合"));
    m_chartPage = addPage(pctrlMain, new TrendChartPage(*m_context, pctrlMain),
                          QStringLiteral("データの傾向と分析"));
    m_ticketPage = addPage(pctrlMain, new TicketListPage(*m_context, pctrlMain),
                           QStringLiteral("申込数字照会・取消し"));
    m_historyPage =
        addPage(pctrlMain, new HistoryPage(*m_context, pctrlMain), QStringLiteral("抽選数字照会"));
    m_prizesPage = addPage(pctrlMain, new PrizesPage(pctrlMain), QStringLiteral("当選金額照会"));
    for (QWidget *sheet :
         {TabSheet1, static_cast<QWidget *>(m_optionsPage), static_cast<QWidget *>(m_chartPage),
          static_cast<QWidget *>(m_ticketPage), static_cast<QWidget *>(m_checkPage),
          static_cast<QWidget *>(m_historyPage), static_cast<QWidget *>(m_prizesPage)})
        sheet->setCursor(Qt::ArrowCursor);
    setTextColour(TabSheet1, colour::black);

    buildMainPage();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    // Client area 657 x 548 below the menu, neither resizable nor maximisable.
    setFixedSize(657, menuBar()->sizeHint().height() + 548);
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

    menuFile = bar->addMenu(QStringLiteral("ファイル(&F)"));
    menuFile->setObjectName(QStringLiteral("menuFile"));
    menuFileCsvSave = action(menuFile, "menuFileCsvSave",
                             QStringLiteral("CSV形式で名前を付けて保存（ファイル持ち出し）(&A)"));
    separator(menuFile, "N3");
    menuFileExit = action(menuFile, "menuFileExit", QStringLiteral("終了(&X)"));

    menuCommand = bar->addMenu(QStringLiteral("コマンド(&C)"));
    menuCommand->setObjectName(QStringLiteral("menuCommand"));
    menuCommandDownload = action(menuCommand, "menuCommandDownload",
                                 QStringLiteral("最新の抽選結果をダウンロード(&D)"));
    menuCommandDownloadSettings = action(menuCommand, "menuCommandDownloadSettings",
                                         QStringLiteral("ダウンロードの設定(&S)..."));
    menuCommandEnterResult =
        action(menuCommand, "menuCommandEnterResult", QStringLiteral("抽選結果の入力(&E)..."));
    separator(menuCommand, "N4");
    menuCommandLineHistory = action(menuCommand, "menuCommandLineHistory",
                                    QStringLiteral("組合せを過去の全抽選と照合(&L)..."));
    menuCommandTicketReport =
        action(menuCommand, "menuCommandTicketReport", QStringLiteral("収支レポート(&R)..."));
    menuCommandRandomnessTest =
        action(menuCommand, "menuCommandRandomnessTest", QStringLiteral("出現傾向の検定(&T)..."));
    menuCommandStatistics =
        action(menuCommand, "menuCommandStatistics", QStringLiteral("統計と理論値(&A)..."));

    menuHelp = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    menuHelp->setObjectName(QStringLiteral("menuHelp"));
    menuHelpManual = action(menuHelp, "menuHelpManual", QStringLiteral("操作手順書(&M)"));
    menuHelpHomePage =
        action(menuHelp, "menuHelpHomePage", QStringLiteral("著作権者ホームページ(&H)"));
    separator(menuHelp, "N1");
    menuHelpAbout = action(menuHelp, "menuHelpAbout", QStringLiteral("バージョン情報(&A)"));
}

void TMainForm::buildStatusBar()
{
    pnlMessage = new QStatusBar(this);
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

void TMainForm::buildMainPage()
{
    QWidget *p = TabSheet1;
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
        img->setProperty("tag", 0);
    }
    btnRiset = button(GroupBox2, "btnRiset", QRect(14, 23, 49, 29), QStringLiteral("ｸﾘｱ"),
                      colour::black, QStringLiteral("現在、選択されている数字をリセットします。"));

    GroupBox1 = groupBox(p, "GroupBox1", QRect(8, 40, 193, 417), QStringLiteral("組合せ数字"),
                         colour::blue);
    GroupBox1->setProperty("tag", 0);
    Label2 = label(GroupBox1, "Label2", 13, 23, QStringLiteral("連続申込み口数"));
    editAutoSelectMax = spinEdit(GroupBox1, "editAutoSelectMax", QRect(133, 19, 49, 24), 1, 100, 1,
                                 3, Qt::AlignRight);
    btnAutoCalc = button(GroupBox1, "btnAutoCalc", QRect(12, 47, 169, 32),
                         QStringLiteral("＄ヨルネ＄"), colour::navy,
                         QStringLiteral("予想オプション設定により、当選数字を絞り込み、より確率の"
                                        "高い当選数字を弾き出します。"));
    applyStyle(btnAutoCalc, 19, true, colour::navy);
    btnAutoCalc->setIcon(buttonIcon(ButtonPicture::PointingHand));

    for (int n = 1; n <= kLotoCount; ++n) {
        auto *b = new QToolButton(GroupBox1);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(n));
        b->setGeometry(16 + 32 * ((n - 1) / 10), 84 + 32 * ((n - 1) % 10), 33, 33);
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setIcon(QIcon(numberDisc(n)));
        b->setIconSize(QSize(32, 32));
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setCursor(Qt::PointingHandCursor);
        b->setFocusPolicy(Qt::NoFocus); // the keyboard reaches the board as one (BoardKeys)
    }

    GroupBox3 = groupBox(p, "GroupBox3", QRect(214, 79, 410, 378), QStringLiteral("申込み数字"),
                         colour::fuchsia);
    btnSelect = button(GroupBox3, "btnSelect", QRect(16, 19, 80, 25), QStringLiteral("決定"),
                       colour::blue, QStringLiteral("現在、選択されている数字を決定します。"));
    btnSelect->setIcon(buttonIcon(ButtonPicture::HandWithSheet));
    btnCancel = button(GroupBox3, "btnCancel", QRect(99, 19, 80, 25), QStringLiteral("取消"),
                       colour::red, QStringLiteral("申込み数字をキャンセルします。"));
    btnCancel->setIcon(buttonIcon(ButtonPicture::RedCross));
    btnSave = button(GroupBox3, "btnSave", QRect(182, 19, 80, 25), QStringLiteral("保存"),
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
