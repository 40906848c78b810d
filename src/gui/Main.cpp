#include "gui/Main.h"

#include "gui/AccessibleNames.h"
#include "gui/PageContext.h"

#include "core/platform/Settings.h"
#include "core/platform/Version.h"
#include "core/results/DrawCalendar.h"
#include "gui/dialogs/About.h"
#include "gui/dialogs/Splash.h"
#include "gui/pages/CheckPage.h"
#include "gui/pages/HistoryPage.h"
#include "gui/pages/MainPage.h"
#include "gui/pages/PickOptionsPage.h"
#include "gui/pages/PrizesPage.h"
#include "gui/pages/TicketListPage.h"
#include "gui/pages/TrendChartPage.h"
#include "gui/services/ComFunction.h"
#include "gui/services/QtTranslations.h"
#include "gui/services/ResultsService.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/Widgets.h"

#include <QApplication>
#include <QChartView>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace
{

// The stored position, unless the window's title bar would then lie off every screen (a
// monitor unplugged since): the player could neither see nor move the window, so it opens
// in the middle of the primary screen instead.
QPoint reachablePosition(const QWidget *window, const QPoint &stored)
{
    const int titleHeight = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QRect titleBar(stored, QSize(window->width(), qMax(titleHeight, 1)));
    const QList<QScreen *> screens = QGuiApplication::screens();
    for (const QScreen *screen : screens)
        if (screen->geometry().intersects(titleBar))
            return stored;
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return stored;
    const QRect free = primary->availableGeometry();
    QRect placed(QPoint(), window->frameGeometry().size());
    placed.moveCenter(free.center());
    return QPoint(qMax(placed.left(), free.left()), qMax(placed.top(), free.top()));
}

} // namespace

// FormCreate: the settings, the window position, the client folder.
TMainForm::TMainForm(const QString &dataFolder, const QString &installFolder, QWidget *parent)
    : QMainWindow(parent),
      m_context(new PageContext(dataFolder.isEmpty() ? defaultProgramFolder() : dataFolder,
                                installFolder, this)),
      m_results(new ResultsService(*m_context, this)),
      m_tickets(std::make_unique<TicketService>(*m_context))
{
    m_results->setObjectName(QStringLiteral("resultsService"));
    layout::installJapaneseFonts();
    keepQtDialogStateOffDisk();
    FocusFrameStyle::install();
    qApp->installEventFilter(new EnterPressesButtons(this)); // goes with this window
    buildWindow();
    nameForScreenReaders(this);
    connectHandlers();

    move(reachablePosition(this, m_context->settings().readWindowPosition()));
    m_context->setPickSettings(m_context->settings().readPickSettings());
    QDir().mkdir(m_context->dataFolder() + kClientFolder); // a failure shows later, per use

    m_splash = new TSplashForm(this);
    m_context->setSplash(m_splash);
    // The About box is a window of its own, as its control names repeat those of this one
    // (a child would make a name such as "Panel1" ambiguous); it goes with this window.
    m_about = new TAboutForm([this] { return m_fileVersionText; }, m_context->dataFolder());
    connect(this, &QObject::destroyed, m_about, [about = m_about] { delete about; });
    // A close asked for during a long operation runs once it has ended.
    connect(m_context, &PageContext::closeDue, this,
            [this] { QTimer::singleShot(0, this, &QWidget::close); });
    Timer1->start();
}

TMainForm::~TMainForm()
{
    delete m_results; // a download under way ends while the page context is still there
}

void TMainForm::connectHandlers()
{
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    connect(pctrlMain, &QTabWidget::currentChanged, this,
            guardedSlot(this, &TMainForm::pctrlMainChange));
    // The slate's commands act on the main page's slate from whichever page is shown.
    connect(menuFileSave, &QAction::triggered, this,
            [this] { runSlateCommand(&MainPage::btnSaveClick); });
    connect(menuFileCsvSave, &QAction::triggered, this,
            [this] { runSlateCommand(&MainPage::menuFileCsvSaveClick); });
    connect(menuCommandSaveContinued, &QAction::triggered, this,
            [this] { runSlateCommand(&MainPage::saveContinued); });
    connect(menuFileExit, &QAction::triggered, this, &TMainForm::menuFileExitClick);
    // The options page's method offers the main page's line generator, or not.
    connect(m_optionsPage, &PickOptionsPage::automaticPickingChanged, m_mainPage,
            &MainPage::setAutomaticPicking);
    connect(m_optionsPage, &PickOptionsPage::runLineCountChanged, m_mainPage,
            &MainPage::setRunLineCount);
    connect(m_optionsPage, &PickOptionsPage::pickChoiceChanged, m_mainPage,
            &MainPage::setPickChoice);
    m_mainPage->setPickChoice(m_optionsPage->pickChoice());
    connectHelpAndDownload();
    connectExtraCommands();
}

// While another operation lets messages run, a slate command would change files under it: it
// waits, and the status bar says so.
void TMainForm::runSlateCommand(void (MainPage::*command)())
{
    if (isBusy()) {
        m_context->setStatusText(
            QStringLiteral("実行中の処理が終わってから、もう一度行ってください。"));
        return;
    }
    MainPage *page = m_mainPage;
    runGuarded(this, [page, command] { (page->*command)(); });
}

bool TMainForm::isBusy() const
{
    return m_context->isBusy();
}

void TMainForm::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        FormShow();
        // A window moved to a smaller screen fits that one.
        if (QWindow *handle = windowHandle())
            connect(handle, &QWindow::screenChanged, this, &TMainForm::fitToScreen,
                    Qt::QueuedConnection);
    }
    QMainWindow::showEvent(event);
    // Once shown, the frame that the window manager gave it is known.
    QTimer::singleShot(0, this, &TMainForm::fitToScreen);
}

void TMainForm::FormShow()
{
    QString error;
    {
        SplashScope splash(m_splash, QStringLiteral("アプリケーションを起動中です。"));
        error = captureError([this] {
            ReadFileVersion();
            setWindowTitle(kAppTitle + QStringLiteral("  [for Version ") + m_fileVersionText +
                           QLatin1Char(']'));
            InitMainControls();
            // What the end of the program cut short is completed before the results are
            // loaded: the replacement of both results files, so that the pair loaded belongs
            // together, and a save into several ticket files. The load goes on with the files
            // as they are.
            showNotices(m_results->recoverAtStart());
            showNotices(m_tickets->recoverAtStart());
            btnMmsUpdateClick();
            m_optionsPage->restorePickOptions();
            {
                const QSignalBlocker quiet(pctrlMain); // bringing the page up is no page change
                pctrlMain->setCurrentWidget(m_mainPage);
            }
            m_context->setStatusText(m_mainPage->guide());
            // Until the page changes. (A history left behind is told by the main page
            // itself, beside the coming draw.)
            if (const QString warning = m_tickets->claimWarning(); !warning.isEmpty())
                m_context->setStatusText(warning);
        });
    }
    if (!error.isEmpty())
        reportError(this, error);
}

void TMainForm::showNotices(const QVector<StartNotice> &notices)
{
    for (const StartNotice &notice : notices) {
        if (notice.warning)
            reportError(this, notice.text);
        else
            showInfoMessage(this, notice.text);
    }
}

void TMainForm::ReadFileVersion()
{
    m_fileVersionText = readFileVersion();
}

void TMainForm::InitMainControls()
{
    m_context->setExclusionSet({});
    // The other pages start as they are built, when first shown.
    m_mainPage->InitMainControls(ticketGridHeader());
    m_optionsPage->InitMainControls();
}

void TMainForm::Timer1Timer()
{
    pnlMessagePanel1->setText(
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
}

void TMainForm::pctrlMainChange()
{
    m_context->bringUp(*static_cast<Page *>(pctrlMain->currentWidget()));
}

void TMainForm::FormCloseQuery()
{
    m_context->settings().writeWindowPosition(pos());
    m_context->settings().writePickSettings(m_context->pickSettings());
    m_context->settings().sync();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (isBusy()) {
        // A long operation is letting messages run: close once it has ended.
        m_context->requestClose();
        event->ignore();
        return;
    }
    FormCloseQuery();
    m_splash->hide();
    event->accept();
}

void TMainForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // The page shown reads its files again whenever the window comes back to the front.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_shown && !isBusy())
        static_cast<Page *>(pctrlMain->currentWidget())->windowActivated();
}

void TMainForm::bringToFront()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TMainForm::showStatusNote(const QString &text)
{
    m_context->setStatusText(text);
}

void TMainForm::menuFileExitClick()
{
    close();
}
