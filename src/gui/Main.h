#pragma once

#include "core/common/ComType.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

class QAction;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPainter;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class QTableView;
class QTimer;
class QToolButton;
class QChartView;
class QCollatorSortKey;
class QColor;
class QPainter;
class QRect;
class HistoryModel;
class HistoryPage;
class PickOptionsPage;
class TicketListPage;
class CheckPage;
class TrendChartPage;
class PrizesPage;
class PageContext;
class PanelLabel;
class SpinEdit;
class StringGrid;
class TabControl;
class TAboutForm;
class TSplashForm;
class AppSettings;
struct ResultsData;
struct SlateLineCheck;

// The tag of a slate row that a save has stored.
inline constexpr int kSavedLineTag = 1;

inline const QString kMainPageGuide =
    QStringLiteral("１～４３までの数字の中から、異なる６個の数字を選択してください。");

// The main window. Its working data lives in its controls (the history rows, the grids, the
// edits and the control tags); besides them it keeps only the program-wide values named
// below. The handlers are defined in the files of their subsystem.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    // dataFolder keeps download/ and client/; installFolder holds what the program ships (the
    // manual). Both default to the program's own folder; an empty installFolder is dataFolder.
    explicit TMainForm(const QString &dataFolder = QString(),
                       const QString &installFolder = QString(), QWidget *parent = nullptr);
    ~TMainForm() override;

    QString dataFolder() const;
    QString installFolder() const;
    TSplashForm *splash() const { return m_splash; }
    TAboutForm *about() const { return m_about; }

    // Program-wide values.
    const BaseCountTable &baseCountTable() const;
    const ExclusionSet &exclusionSet() const;
    const PickSettings &pickSettings() const;
    const QString &fileVersionText() const { return m_fileVersionText; }
    int historySortState() const;
    HistoryModel *historyModel() const;

    // The control families, looked up by name: "SpeedButton" + n, "Panel" + n, "Image" + k.
    QToolButton *speedButton(int n) const;
    PanelLabel *numberPanel(int n) const;
    QLabel *image(int k) const;

    // Shows the window, un-minimised, in front of the others (a second start asks for it).
    void bringToFront();

    // True while a long operation lets window messages run; closing and reloading wait.
    bool isBusy() const;

    // ---- Application shell ----
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

    // ---- Draw results ----
    void btnMmsUpdateClick();
    void menuCommandDownloadClick();

    // ---- Number picking ----
    void ComSet_SpeedBtnClick(QToolButton *sender);
    void btnRisetClick();
    void btnSelectClick();
    void btnCancelClick();
    void btnAutoCalcClick();

    // ---- Tickets and checking ----
    void btnSaveClick();
    void menuFileCsvSaveClick();

    // ---- Controls ----
    QTabWidget *pctrlMain = nullptr;
    QWidget *TabSheet1 = nullptr;
    QStatusBar *pnlMessage = nullptr;
    QLabel *pnlMessagePanel0 = nullptr, *pnlMessagePanel1 = nullptr;
    QTimer *Timer1 = nullptr;
    QFileDialog *dlgSave = nullptr; // made by the first CSV export

    QMenu *menuFile = nullptr, *menuCommand = nullptr, *menuHelp = nullptr;
    QAction *menuFileCsvSave = nullptr, *menuFileExit = nullptr, *menuCommandDownload = nullptr,
            *menuCommandDownloadSettings = nullptr, *menuCommandEnterResult = nullptr,
            *menuHelpManual = nullptr, *menuHelpHomePage = nullptr, *menuHelpAbout = nullptr;
    QAction *menuCommandLineHistory = nullptr, *menuCommandTicketReport = nullptr,
            *menuCommandRandomnessTest = nullptr, *menuCommandStatistics = nullptr;

    // Page 1 "ロト６予想メイン"
    QLabel *Label4 = nullptr;
    QLineEdit *editNewNum = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QPushButton *btnRiset = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label2 = nullptr;
    SpinEdit *editAutoSelectMax = nullptr;
    QPushButton *btnAutoCalc = nullptr;
    QGroupBox *GroupBox3 = nullptr;
    QPushButton *btnSelect = nullptr, *btnCancel = nullptr, *btnSave = nullptr;
    PanelLabel *pnlSelectMax = nullptr, *pnlSelectMoney = nullptr;
    StringGrid *gridSelectItem = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Layout (MainLayout*.cpp): builds every control in its design-time state.
    void buildWindow();
    void buildMenu();
    void buildStatusBar();
    void buildMainPage();
    void connectHandlers();
    // Each subsystem binds its own control events (defined in its folder).
    void connectPicking();
    void connectHelpAndDownload();
    void connectExtraCommands();

    // Draw results
    void applyResults(ResultsData &&results);
    void setStatusText(const QString &text);

    // ---- private: number picking ----
    // Rebuilds Image1..Image6 from the number buttons that are down, in ascending order.
    void refreshPickedImages();
    // The slate's lines (its rows), none when column 0 of the first row is empty.
    QVector<QStringList> slateRows() const;
    // Each slate row against the others and the saved lines (see checkSlateLines).
    QVector<SlateLineCheck> checkSlate(QStringList *unreadable = nullptr) const;
    // Sets the count "n口" (with "（保存済みm口）" once lines are saved) and the price (200 yen
    // a line) from the slate's rows.
    void updateSlateTotals();
    // The status text names what the current slate line repeats; a notice about a repeat
    // gives way to the page's guidance once the current line repeats nothing.
    void showSlateNotice();
    void gridSelectItemDrawCell(QPainter *painter, const QRect &rect, int row, int column);

    // ---- private: tickets and checking ----

    // ---- private: help, about and download ----
    // Fetches both results files, checks them and replaces the local copies together.
    // True when both were replaced; never raises. On failure *explanation (when given) tells
    // why, in the words that follow "ダウンロードに失敗しました。".
    bool DownloadResults(QString *explanation = nullptr);

    // Runs a handler through the application-wide error report.
    void guarded(void (TMainForm::*handler)());

    PageContext *m_context;
    PickOptionsPage *m_optionsPage = nullptr;
    CheckPage *m_checkPage = nullptr;
    TrendChartPage *m_chartPage = nullptr;
    TicketListPage *m_ticketPage = nullptr;
    HistoryPage *m_historyPage = nullptr;
    PrizesPage *m_prizesPage = nullptr;
    TAboutForm *m_about = nullptr;
    TSplashForm *m_splash = nullptr;
    HistoryModel *m_history = nullptr;

    QString m_fileVersionText;

    bool m_shown = false;
};
