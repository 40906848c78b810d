#pragma once

#include "core/tickets/TicketFile.h"
#include "gui/pages/Page.h"

#include <QTimer>
#include <QVector>
#include <memory>

class PageContext;
class PanelLabel;
class QGroupBox;
class QLabel;
class QPainter;
class QPushButton;
class SpinEdit;
class StringGrid;

// The page "オンラインデータ照合" (TabSheet5): the stored lines of a draw number, each checked
// against the draw it names in the history.
//
// A check runs on the program's event loop: its results are shown line by line, the first few
// each held in view for a moment, the rest in quick steps. Meanwhile the page takes no input but
// the stop button (中止, Alt+S, or Esc); a stop, or a close of the window, ends it at once and
// the results shown so far stay.
class CheckPage : public Page
{
    Q_OBJECT
public:
    explicit CheckPage(PageContext &context, QWidget *parent = nullptr);
    ~CheckPage() override;

    // Also what the status bar says again after a check without a win.
    QString guide() const override;
    void activated() override;

    // A load sets the newest draw, whose lines are then listed. What could not be read is
    // returned for the player, not shown: the check and the list read the same file, and the
    // load tells it once. A page not built yet takes the draw when it is.
    QString setDrawNumber(int draw);

    // The draw number typed, read once; its lines are then listed.
    void editSelectNumChange();
    void btnExecClick();
    void btnCheckStopClick();

protected:
    void buildControls() override;

private:
    struct CheckRun;
    // Lists every line of the ticket file of m_draw.
    void listLines();
    // Shows the next results of the check under way, or ends it once all are shown or a close
    // has been asked for.
    void showNextResults();
    // Ends the check under way: whole, with its closing message, or stopped.
    void endCheck(bool whole);
    void gridHitSelDrawCell(QPainter *painter, const QRect &rect, int row, int column);

    PageContext &m_context;
    QGroupBox *GroupBox4 = nullptr;
    QLabel *Label3 = nullptr;
    SpinEdit *editSelectNum = nullptr;
    QPushButton *btnExec = nullptr;
    QPushButton *btnCheckStop = nullptr;
    PanelLabel *pnlHitGuide = nullptr;
    StringGrid *gridHitSel = nullptr;
    // The draw whose ticket file is listed: as given, or as typed. kNoDraw names no file.
    int m_draw = kNoDraw;
    // The lines of the file as listed, one a row of gridHitSel: a row shows seven fields, while
    // a line is judged by all of its own.
    QVector<TicketLine> m_lines;
    std::unique_ptr<CheckRun> m_run; // while a check runs
    QTimer m_step;                   // to the next results of the check
};
