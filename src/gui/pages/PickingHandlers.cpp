// Handlers of the number board: 43 toggle buttons, at most six down, and the row of six
// pictures showing the picked numbers in ascending order.

#include "core/picking/DuplicateLines.h"
#include "gui/Main.h"
#include "gui/services/ComFunction.h"
#include "gui/widgets/Pictures.h"
#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/StringGrid.h"

#include <QGroupBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace
{

const QString kSixAlreadyPicked =
    QStringLiteral("既に６個の数字を選択しています。これでよろしければ「決定」ボタンを"
                   "クリックしてください。\n\nまた、変更する場合は、選択されている数字を解除"
                   "するか、「クリア」ボタンをクリックしてください。");

// A picked number stands out: sunk in a navy frame on a pale ground, as a pressed key. The
// number the keyboard is on has a dotted frame.
const QString kNumberButtonStyle =
    QStringLiteral("QToolButton { border: 1px solid transparent; border-radius: 4px; }"
                   "QToolButton:hover { border-color: rgb(120, 160, 220); }"
                   "QToolButton:checked { border: 2px solid rgb(0, 0, 128);"
                   " background-color: rgb(255, 236, 150); }"
                   "QToolButton:focus { border: 2px dotted rgb(0, 0, 0); }");

// The board is one stop of the Tab order, as a group of radio buttons is: Tab reaches the
// number the keyboard was last on, the arrow keys move among the numbers (Up and Down within
// a column of ten, Left and Right across the columns), and Space or Enter presses the number.
class BoardKeys : public QObject
{
public:
    explicit BoardKeys(TMainForm *form) : QObject(form), m_form(form)
    {
        for (int n = 1; n <= kLotoCount; ++n) {
            m_form->speedButton(n)->setFocusPolicy(n == 1 ? Qt::TabFocus : Qt::NoFocus);
            m_form->speedButton(n)->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int n = watched->property("tag").toInt();
        const int row = (n - 1) % 10;
        int next = 0;
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
            next = row > 0 ? n - 1 : 0;
            break;
        case Qt::Key_Down:
            next = row < 9 ? n + 1 : 0;
            break;
        case Qt::Key_Left:
            next = n - 10;
            break;
        case Qt::Key_Right:
            next = n + 10;
            break;
        default:
            return false;
        }
        if (next >= kLotoMin && next <= kLotoMax) {
            QToolButton *target = m_form->speedButton(next);
            target->setFocusPolicy(Qt::TabFocus);
            target->setFocus(Qt::TabFocusReason);
            m_form->speedButton(n)->setFocusPolicy(Qt::NoFocus);
        }
        return true;
    }

private:
    TMainForm *m_form;
};

} // namespace

void TMainForm::connectPicking()
{
    for (int n = 1; n <= kLotoCount; ++n) {
        QToolButton *button = speedButton(n);
        button->setStyleSheet(kNumberButtonStyle);
        connect(button, &QToolButton::clicked, this,
                [this, button] { ComSet_SpeedBtnClick(button); });
    }
    new BoardKeys(this);
    connect(btnRiset, &QPushButton::clicked, this, &TMainForm::btnRisetClick);
    connect(btnSelect, &QPushButton::clicked, this,
            [this] { guarded(&TMainForm::btnSelectClick); });
    connect(btnCancel, &QPushButton::clicked, this,
            [this] { guarded(&TMainForm::btnCancelClick); });
    gridSelectItem->setCellPainter(
        [this](QPainter *painter, const QRect &rect, int row, int column) {
            gridSelectItemDrawCell(painter, rect, row, column);
        });
    // Repeated lines are drawn in red (repeats of other unsaved slate lines or of saved
    // lines), lines saved from the slate in grey. This runs while the slate is painted: a
    // ticket file that cannot be read counts as no lines and is told in the status line, once
    // each time the marks are worked out.
    gridSelectItem->setRowMarkSource([this] {
        QStringList unreadable;
        const QVector<SlateLineCheck> checks = checkSlate(&unreadable);
        if (!unreadable.isEmpty())
            setStatusText(unreadable.join(QStringLiteral("　")));
        QVector<StringGrid::RowMark> marks;
        for (const SlateLineCheck &check : checks) {
            marks.append(check.state == SlateLineCheck::State::Repeat ? StringGrid::RowMark::Warned
                         : check.state == SlateLineCheck::State::Saved
                             ? StringGrid::RowMark::Muted
                             : StringGrid::RowMark::Plain);
        }
        return marks;
    });
    connect(gridSelectItem->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { guarded(&TMainForm::showSlateNotice); });
    connect(btnSave, &QPushButton::clicked, this, [this] { guarded(&TMainForm::btnSaveClick); });
    connect(btnAutoCalc, &QPushButton::clicked, this,
            [this] { guarded(&TMainForm::btnAutoCalcClick); });
    editAutoSelectMax->setKeyFilter(editSelectNumKeyPress);
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
