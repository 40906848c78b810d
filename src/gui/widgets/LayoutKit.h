#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class QAbstractItemView;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTableWidgetItem;
class QWidget;
class PanelLabel;
class SpinEdit;
class StringGrid;
class QIcon;

// Small helpers that build controls in their design-time state: fonts given as character
// height in pixels, colours by name, places in pixels relative to the parent.
namespace layout
{

namespace colour
{
inline const QColor black(0, 0, 0);
inline const QColor white(255, 255, 255);
inline const QColor navy(0, 0, 128);
inline const QColor blue(0, 0, 255);
inline const QColor red(255, 0, 0);
inline const QColor fuchsia(255, 0, 255);
inline const QColor teal(0, 128, 128);
inline const QColor gray(128, 128, 128);
inline const QColor silver(192, 192, 192);
inline const QColor stripe(150, 245, 150); // the light green of striped rows
} // namespace colour

inline const QString kGothic = QStringLiteral("ＭＳ ゴシック");
inline const QString kMincho = QStringLiteral("ＭＳ 明朝");
inline const QString kPMincho = QStringLiteral("ＭＳ Ｐ明朝");

// Maps the Windows font names to the Japanese fonts of this system (once per process).
void installJapaneseFonts();

QFont makeFont(int pixels, bool bold = false, const QString &family = kGothic);
// Sets a control's font and text colour (window text when colour is invalid).
void applyStyle(QWidget *w, int pixels, bool bold = false, const QColor &textColour = QColor());
void setTextColour(QWidget *w, const QColor &colour);

QLabel *label(QWidget *parent, const char *name, int left, int top, const QString &text,
              const QColor &colour = colour::black, int pixels = 15, bool bold = false);
QGroupBox *groupBox(QWidget *parent, const char *name, const QRect &place, const QString &caption,
                    const QColor &colour);
QPushButton *button(QWidget *parent, const char *name, const QRect &place, const QString &caption,
                    const QColor &colour, const QString &hint = QString());
PanelLabel *panel(QWidget *parent, const char *name, const QRect &place, Qt::Alignment align);
SpinEdit *spinEdit(QWidget *parent, const char *name, const QRect &place, int minimum, int maximum,
                   int value, int maxLength, Qt::Alignment align, const QString &hint = QString());
// The group box without a caption that fills a list page.
QGroupBox *captionlessGroup(QWidget *parent, const char *name);
// A list page's grid: the column widths, row height and font given, a vertical scroll bar
// always, none across.
StringGrid *stringGrid(QWidget *parent, const char *name, const QRect &place, int columns,
                       const QVector<int> &widths, int rowHeight, int pixels, bool bold);

// The keyboard and look every grid and list of the program shares, as on Windows: Tab and
// Shift+Tab leave it for the next or previous control while the arrow keys move within it,
// and its selected row keeps the same highlight when the grid or its window is not active.
void applyGridHabits(QAbstractItemView *view);

// Makes Tab reach the widget right after the last other stop of its window, and go on from it
// to the first: pages added to a tab widget after a dialog's buttons were made come before the
// buttons again.
void placeLastInTabOrder(QWidget *widget);

// A group of radio buttons is one stop of the Tab order, as on Windows: Tab lands on the
// checked button (on the first while none is), and the arrow keys move the choice itself.
void makeOneTabStop(const QList<QRadioButton *> &group);

// The 43 widgets of a number grid (numberAt(1)..numberAt(43)) are one stop of the Tab order, as
// a group of radio buttons is: Tab reaches the number the keyboard was last on, and the arrow
// keys move among the numbers. The numbers run down columns of ten (Qt::Vertical, the board:
// Up and Down run through the numbers in order, Left and Right along the row, and both go on
// to the next row at the end of one and round from the last number to the first) or along
// rows of ten (Qt::Horizontal: Left and Right along, Up and Down to the row above or below).
// Space or Enter stays with the widget. With typedNumber, a number typed on the grid as one
// or two digits (see NumberTyping; a lone first digit waits about a second) takes the
// keyboard to it and is handed to typedNumber.
void makeNumberGridOneTabStop(const std::function<QWidget *(int)> &numberAt,
                              Qt::Orientation numbersRun, QObject *owner,
                              const std::function<void(int)> &typedNumber = {});

// A table of the program's own dialogs: the header texts, no row numbers, no editing.
QTableWidget *readOnlyTable(const char *name, int rows, const QStringList &headers);
// Sets the widths of the table's first columns, in order; returns their sum.
int setColumnWidths(QTableWidget *table, const QVector<int> &widths);
// A cell of such a table, vertically centred.
QTableWidgetItem *tableItem(const QString &text, Qt::Alignment alignment = Qt::AlignRight);

// Sizes a window to `preferred`, or smaller where the available area of its screen (its
// parent's screen, before it is shown) leaves less room, with room kept for the title bar and
// the frame; never below the window's minimum size. The program's dialogs lay out their
// contents to shrink that far, so each opens whole on a small screen.
void fitToScreen(QWidget *window, const QSize &preferred);

// The size of a window whose contents scroll: `natural` where `room` holds it; otherwise as
// much as the room gives, with the scroll bar's width (or height) added across the cut side
// where the room has it to spare.
QSize fittedWindowSize(const QSize &natural, const QSize &room, int scrollBarExtent);

} // namespace layout
