#pragma once

#include "core/picking/DuplicateLines.h"
#include "core/picking/PickRules.h"
#include "core/tickets/Slate.h"
#include "gui/pages/Page.h"

#include <QDate>
#include <QSet>
#include <QStringList>
#include <QVector>
#include <memory>
#include <optional>

class PageContext;
class PanelLabel;
class QFileDialog;
class QFileIconProvider;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QToolButton;
class SpinEdit;
class StringGrid;
struct SlateLineCheck;

inline const QString kMainPageGuide =
    QStringLiteral("１～４３までの数字の中から、異なる６個の数字を選択してください。");

// The page "ロト６予想メイン" (TabSheet1): the number board with the six pictures of the
// picked numbers, the line generator "＄ヨルネ＄", and the slate of the lines decided for the
// coming draw, with their save and their CSV export.
class MainPage : public Page
{
    Q_OBJECT
public:
    explicit MainPage(PageContext &context, QWidget *parent = nullptr);
    ~MainPage() override;

    QString guide() const override;
    void activated() override;

    void InitMainControls(const QStringList &ticketHeader);
    // A load sets the number of the coming draw (kNoDraw: none), and the newest draw with
    // results, against which the page tells a history left behind by the calendar.
    void setComingDraw(int draw);
    void setNewestDraw(int number, const QDate &date);
    // Works out the slate's marks and totals again: the ticket files may have changed.
    void refreshSlate();
    // The selected slate line, else the numbers picked on the board, as "01 02 ...".
    QString currentLineText() const;

    // The line generator is offered, or not, by the pick method; its line count.
    void setAutomaticPicking(bool enabled);
    void setRunLineCount(const QString &lines);
    // The method and threshold of the options page, which the line generator follows.
    void setPickChoice(const PickChoice &choice) { m_pickChoice = choice; }

    void ComSet_SpeedBtnClick(QToolButton *sender);
    void btnRisetClick();
    void btnSelectClick();
    void btnCancelClick();
    void btnAutoCalcClick();
    void btnSaveClick();
    void menuFileCsvSaveClick();
    // "継続購入として保存...": the slate's unsaved lines for several draws in a row, chosen in
    // ContinuedSaveForm; the lines are then shown as saved.
    void saveContinued();

protected:
    bool event(QEvent *event) override;

signals:
    // The player asked for the newest results (the notice's button, or the question before a
    // line for a draw that is over by the calendar).
    void downloadRequested();

private:
    // The coming draw as editNewNum shows it, and as an export names its file: empty for none.
    QString comingDrawText() const;
    // Shows or hides the notice of a history left behind, as the calendar says today.
    void showHistoryLag();
    // Before lines are decided or saved for draws that are over by the calendar: the player
    // downloads (false), goes on for those draws (true), or cancels (false). A save asks each
    // time; deciding asks once for a draw until the history changes.
    bool confirmPastDraws(const QVector<int> &draws, bool saving);
    QToolButton *speedButton(int n) const;
    QLabel *image(int k) const;
    void buildControls();
    void connectControls();
    // Rebuilds Image1..Image6 from the number buttons that are down, in ascending order.
    void refreshPickedImages();
    // Shows number n (0: none) in Image<k>.
    void showPicked(int k, int n);
    // Shows the slate's line at that row of gridSelectItem (a blank row for an empty slate).
    void showSlateLine(int row);
    // The places of the slate's lines not saved yet; none, after telling the player, when the
    // slate is empty or every line is saved.
    QVector<int> unsavedLines();
    // Lines left on the slate for a draw that has its results by now: the player chooses to
    // save them for the coming draw instead (the slate shows them so), as they are, or not
    // at all (false).
    bool settleDrawnDraws(const QVector<int> &unsaved);
    // Shows the slate's lines saved: grey, counted in "（保存済みn口）".
    void showSaved();
    // Reviews the slate against its ticket files once after each change of either; the count
    // "n口" (with "（保存済みm口）" once lines are saved), the price (200 yen a line), the row
    // marks and the notice read that review.
    void recheckSlate();
    // The status text names what the current slate line repeats; a notice about a repeat
    // gives way to the page's guidance once the current line repeats nothing.
    void showSlateNotice();
    void gridSelectItemDrawCell(QPainter *painter, const QRect &rect, int row, int column);

    PageContext &m_context;
    PickChoice m_pickChoice;
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
    QFileDialog *dlgSave = nullptr;                  // made by the first CSV export
    std::unique_ptr<QFileIconProvider> m_entryKinds; // the kinds of entry dlgSave lists
    QString m_lastSavedFolder;                       // where the last CSV export of this run went
    Slate m_slate;                                   // the lines gridSelectItem shows, one a row
    SlateReview m_review;                            // the slate against its files, last worked out
    QString m_repeatNotice;                          // the repeat notice this page last showed
    QFrame *frmStaleHistory = nullptr;
    QLabel *lblStaleHistory = nullptr;
    QPushButton *btnStaleDownload = nullptr;
    int m_comingDraw = kNoDraw; // the draw lines are decided for, as editNewNum shows it
    int m_newestNumber = 0;     // of the loaded history
    QDate m_newestDate;
    QSet<int> m_pastDrawsAccepted; // draws over by the calendar the player went on with
};
