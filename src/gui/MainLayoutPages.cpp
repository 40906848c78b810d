// The main window's controls in their design-time state: the ticket list page.

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
    gridLoto6 = stringGrid(g, "gridLoto6", QRect(10, 49, 601, 396), 7,
                           {122, 75, 75, 75, 75, 75, 75}, 28, 24, true);
}
