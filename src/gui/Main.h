#pragma once

#include "gui/services/ResultsService.h"
#include "gui/services/TicketService.h"

#include <QMainWindow>
#include <QString>
#include <memory>

class CheckPage;
class HistoryPage;
class MainPage;
class PageContext;
class PickOptionsPage;
class PrizesPage;
class QAction;
class QLabel;
class QTabWidget;
class QTimer;
class TAboutForm;
class TicketListPage;
class TrendChartPage;
class TSplashForm;

// The main window, the shell around the pages: the menu, the status bar, the page control and
// its clock, start-up and close, loading the results and handing them to the pages, opening
// the dialogs, and the few connections between the pages. Each page builds and handles its
// own controls and reaches what the pages share through the page context.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    // dataFolder keeps download/ and client/; installFolder holds what the program ships (the
    // manual). Both default to the program's own folder; an empty installFolder is dataFolder.
    explicit TMainForm(const QString &dataFolder = QString(),
                       const QString &installFolder = QString(), QWidget *parent = nullptr);
    ~TMainForm() override;

    // Shows the window, un-minimised, in front of the others (a second start asks for it).
    void bringToFront();
    // Says something about the start in the status bar, until the page changes.
    void showStatusNote(const QString &text);

    // Loads the results files through the results service into the loaded history, and tells
    // the player of a missing or damaged file.
    void btnMmsUpdateClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void FormShow();
    void FormCloseQuery();
    void InitMainControls();
    void ReadFileVersion();
    void Timer1Timer();
    void pctrlMainChange();
    void menuFileExitClick();
    void menuHelpManualClick();
    void menuHelpHomePageClick();
    void menuHelpAboutClick();
    void menuCommandDownloadClick();
    // True while a long operation lets window messages run; closing and reloading wait.
    bool isBusy() const;
    // Runs a command of the main page's slate, unless another operation is under way.
    void runSlateCommand(void (MainPage::*command)());

    // Layout (MainLayout.cpp): the window, its menu, status bar and pages.
    void buildWindow();
    void buildMenu();
    void buildStatusBar();
    void connectHandlers();
    void connectHelpAndDownload();
    void connectExtraCommands();
    // The window's size with every page whole, and that size bounded by the screen's free
    // area: on a screen too small the pages scroll, and the menu and status bar stay whole.
    QSize naturalSize() const;
    void fitToScreen();

    // Hands the loaded history to the pages, after every load, download or typed draw.
    void applyResults();
    // Tells how a download ended.
    void showDownloaded(const ResultsService::Outcome &outcome);
    // Tells what a load found: the window closes without its files; a pair that does not
    // belong together or a draw that breaks the rules is said so.
    void showLoaded(bool missing, const QStringList &faults);
    // Tells what a recovery at start-up did: plain news, or a warning when the player must act.
    void showNotices(const QVector<StartNotice> &notices);

    PageContext *m_context;
    ResultsService *m_results;
    std::unique_ptr<TicketService> m_tickets;
    TAboutForm *m_about = nullptr;
    TSplashForm *m_splash = nullptr;

    QTabWidget *pctrlMain = nullptr;
    MainPage *m_mainPage = nullptr;
    PickOptionsPage *m_optionsPage = nullptr;
    CheckPage *m_checkPage = nullptr;
    TrendChartPage *m_chartPage = nullptr;
    TicketListPage *m_ticketPage = nullptr;
    HistoryPage *m_historyPage = nullptr;
    PrizesPage *m_prizesPage = nullptr;
    QLabel *pnlMessagePanel0 = nullptr, *pnlMessagePanel1 = nullptr;
    QTimer *Timer1 = nullptr;
    QAction *menuFileSave = nullptr, *menuFileCsvSave = nullptr, *menuFileExit = nullptr,
            *menuCommandDownload = nullptr, *menuCommandDownloadSettings = nullptr,
            *menuCommandEnterResult = nullptr, *menuHelpManual = nullptr,
            *menuHelpHomePage = nullptr, *menuHelpAbout = nullptr;
    QAction *menuCommandLineHistory = nullptr, *menuCommandTicketReport = nullptr,
            *menuCommandRandomnessTest = nullptr, *menuCommandStatistics = nullptr,
            *menuCommandSaveContinued = nullptr;

    QString m_fileVersionText;
    bool m_shown = false;
};
