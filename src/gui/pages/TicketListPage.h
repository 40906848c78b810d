#pragma once

#include "core/tickets/LotoLine.h"
#include "gui/pages/Page.h"

#include <QStringList>
#include <QVector>

class PageContext;
class PanelLabel;
class QGroupBox;
class QLabel;
class QPainter;
class QPushButton;
class SpinEdit;
class StringGrid;

// The page "申込数字照会・取消し" (TabSheet4): the stored lines of a draw, listed, and
// cancelled one at a time or all together.
class TicketListPage : public Page
{
    Q_OBJECT
public:
    explicit TicketListPage(PageContext &context, QWidget *parent = nullptr);

    QString guide() const override;
    void activated() override;
    // Lists the file again, as it is now, keeping the current row: when the player comes back
    // to the window, another program may have changed or deleted it. A file that cannot be
    // read is told in the status line, not in a box, which would take the activation away.
    void windowActivated() override;

    // A load sets the coming draw, whose lines are then listed. What could not be read is
    // returned for the player, not shown: the check and the list read the same file, and the
    // load tells it once. A page not built yet takes the draw when it is.
    QString setDrawNumber(int draw);

    // The draw number typed, read once; its lines are then listed.
    void editLoto6NumChange();
    void btnOneDeleteClick();
    void btnAllDeleteClick();

protected:
    void buildControls() override;

private:
    // Lists the lines of m_draw in its ticket file.
    void listLines();
    // A cancel refused because the file changed since it was listed: says so and lists again.
    void showListOutdated();
    void gridLoto6DrawCell(QPainter *painter, const QRect &rect, int row, int column);

    PageContext &m_context;
    QGroupBox *GroupBox6 = nullptr;
    QLabel *Label8 = nullptr;
    SpinEdit *editLoto6Num = nullptr;
    PanelLabel *pnlSeaGuide = nullptr;
    QPushButton *btnOneDelete = nullptr, *btnAllDelete = nullptr;
    StringGrid *gridLoto6 = nullptr;
    // The draw whose lines are listed: as given, or as typed. kNoDraw names no file.
    int m_draw = kNoDraw;
    // The lines gridLoto6 shows, as the file listed them: a cancel removes only what the player
    // was shown.
    QVector<QStringList> m_listed;
    // The listed rows that are not valid lines, drawn in red.
    QList<int> m_invalidRows;
};
