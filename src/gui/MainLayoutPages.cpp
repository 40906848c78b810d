// The main window's controls in their design-time state: the check and ticket list pages.

#include "gui/Main.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/Pictures.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace layout;

namespace
{

QGroupBox *captionlessGroup(QWidget *parent, const char *name)
{
    auto *g = new QGroupBox(parent);
    g->setObjectName(QLatin1String(name));
    g->setGeometry(6, 3, 621, 454);
    return g;
}

StringGrid *grid(QWidget *parent, const char *name, const QRect &place, int columns,
                 const QVector<int> &widths, int rowHeight, int pixels, bool bold)
{
    auto *g = new StringGrid(columns, parent);
    g->setObjectName(QLatin1String(name));
    g->setGeometry(place);
    applyStyle(g, pixels, bold, colour::black);
    g->setColumnWidths(widths);
    g->setRowHeight(rowHeight);
    g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    g->viewport()->setCursor(Qt::PointingHandCursor);
    return g;
}

} // namespace

void TMainForm::buildCheckPage()
{
    QGroupBox *g = captionlessGroup(TabSheet5, "GroupBox4");
    GroupBox4 = g;
    Label3 = label(g, "Label3", 18, 21, QStringLiteral("開催回"));
    editSelectNum =
        spinEdit(g, "editSelectNum", QRect(73, 18, 58, 24), 1, 9999, 700, 4, Qt::AlignCenter);
    btnExec =
        button(g, "btnExec", QRect(135, 17, 100, 25), QStringLiteral("照合開始"), colour::navy);
    btnExec->setIcon(buttonIcon(ButtonPicture::SheetWithRedArrow));
    pnlHitGuide = panel(g, "pnlHitGuide", QRect(243, 19, 366, 22), Qt::AlignHCenter);
    pnlHitGuide->setProperty("tag", 0);
    gridHitSel = grid(g, "gridHitSel", QRect(10, 49, 599, 396), 8,
                      {75, 32, 32, 32, 32, 32, 32, 303}, 22, 19, false);
}

void TMainForm::buildTicketPage()
{
    QGroupBox *g = captionlessGroup(TabSheet4, "GroupBox6");
    GroupBox6 = g;
    Label8 = label(g, "Label8", 18, 21, QStringLiteral("開催回"));
    editLoto6Num =
        spinEdit(g, "editLoto6Num", QRect(73, 18, 58, 24), 1, 9999, 700, 4, Qt::AlignCenter);
    pnlSeaGuide = panel(g, "pnlSeaGuide", QRect(139, 19, 260, 22), Qt::AlignHCenter);
    btnOneDelete = button(g, "btnOneDelete", QRect(406, 17, 100, 25), QStringLiteral("１行取消"),
                          colour::red, QStringLiteral("申込み数字を１行除外（削除）します。"));
    btnOneDelete->setIcon(buttonIcon(ButtonPicture::GreenTick, 18));
    btnOneDelete->setIconSize(QSize(18, 18));
    btnAllDelete = button(g, "btnAllDelete", QRect(510, 17, 100, 25), QStringLiteral("全て取消"),
                          colour::red, QStringLiteral("申込み数字を全て除外（削除）します。"));
    btnAllDelete->setIcon(buttonIcon(ButtonPicture::GreenTick, 19));
    btnAllDelete->setIconSize(QSize(18, 19));
    gridLoto6 = grid(g, "gridLoto6", QRect(10, 49, 601, 396), 7, {122, 75, 75, 75, 75, 75, 75}, 28,
                     24, true);
}
