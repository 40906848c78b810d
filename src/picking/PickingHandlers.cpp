// Handlers of the number board: 43 toggle buttons, at most six down, and the row of six
// pictures showing the picked numbers in ascending order.

#include "app/ComFunction.h"
#include "app/Main.h"
#include "app/Pictures.h"
#include "app/StringGrid.h"
#include "picking/DuplicateLines.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace
{

const QString kSixAlreadyPicked =
    QStringLiteral("既に６個の数字を選択しています。これでよろしければ「決定」ボタンを"
                   "クリックしてください。\n\nまた、変更する場合は、選択されている数字を解除"
                   "するか、「クリア」ボタンをクリックしてください。");

// A picked number stands out: sunk in a navy frame on a pale ground, as a pressed key.
const QString kNumberButtonStyle =
    QStringLiteral("QToolButton { border: 1px solid transparent; border-radius: 4px; }"
                   "QToolButton:hover { border-color: rgb(120, 160, 220); }"
                   "QToolButton:checked { border: 2px solid rgb(0, 0, 128);"
                   " background-color: rgb(255, 236, 150); }");

} // namespace

void TMainForm::connectPicking()
{
    for (int n = 1; n <= kLotoCount; ++n) {
        QToolButton *button = speedButton(n);
        button->setStyleSheet(kNumberButtonStyle);
        connect(button, &QToolButton::clicked, this,
                [this, button] { ComSet_SpeedBtnClick(button); });
    }
    connect(btnRiset, &QPushButton::clicked, this, &TMainForm::btnRisetClick);
    connect(btnSelect, &QPushButton::clicked, this,
            [this] { guarded(&TMainForm::btnSelectClick); });
    connect(btnCancel, &QPushButton::clicked, this,
            [this] { guarded(&TMainForm::btnCancelClick); });
    gridSelectItem->setCellPainter(
        [this](QPainter *painter, const QRect &rect, int row, int column) {
            gridSelectItemDrawCell(painter, rect, row, column);
        });
    // Repeated lines are drawn in red: repeats of other slate lines or of saved lines. This runs
    // while the slate is painted: a ticket file that cannot be read counts as no lines and is
    // told in the status line, once each time the marks are worked out.
    gridSelectItem->setRowWarningSource([this] {
        QStringList unreadable;
        QVector<bool> repeats = duplicateRows(slateRows(), m_dataFolder, &unreadable);
        if (!unreadable.isEmpty())
            setStatusText(unreadable.join(QStringLiteral("　")));
        return repeats;
    });
}

// Runs after the button has toggled itself (a click, or a press by the line generator).
void TMainForm::ComSet_SpeedBtnClick(QToolButton *sender)
{
    if (sender == nullptr)
        return;
    int picked = GroupBox1->property("tag").toInt();
    if (sender->isChecked()) {
        if (picked >= kPicksPerLine) {
            showGuideMessage(this, kSixAlreadyPicked);
            sender->setChecked(false);
            return;
        }
        ++picked;
    } else {
        --picked;
    }
    GroupBox1->setProperty("tag", picked);
    refreshPickedImages();
}

void TMainForm::refreshPickedImages()
{
    for (int k = 1; k <= kPicksPerLine; ++k) {
        image(k)->clear();
        image(k)->setProperty("tag", 0);
    }
    int k = 1;
    for (int n = 1; n <= kLotoCount && k <= kPicksPerLine; ++n) {
        if (!speedButton(n)->isChecked())
            continue;
        image(k)->setPixmap(numberDisc(n));
        image(k)->setProperty("tag", n);
        ++k;
    }
}

void TMainForm::btnRisetClick()
{
    GroupBox1->setProperty("tag", 0);
    for (int k = 1; k <= kPicksPerLine; ++k) {
        image(k)->clear();
        image(k)->setProperty("tag", 0);
    }
    for (int n = 1; n <= kLotoCount; ++n)
        speedButton(n)->setChecked(false); // by program: no toggle handler runs
}
