#include "gui/widgets/LayoutKit.h"

#include "core/common/ComType.h"
#include "core/picking/NumberTyping.h"

#include "gui/widgets/SpinEdit.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QApplication>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>

namespace layout
{

void installJapaneseFonts()
{
    // The window is drawn in the fonts of a Japanese Windows, named as Windows names them in
    // any language, then its newer Japanese fonts; elsewhere (and under Wine, which sees the
    // system's fonts) the IPA fonts stand in for them.
    static const bool installed = [] {
        const QStringList ipaGothic = {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                                       QStringLiteral("Noto Sans CJK JP")};
        const QStringList ipaMincho = {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝"),
                                       QStringLiteral("Noto Serif CJK JP")};
#ifdef Q_OS_WIN
        const QStringList gothic =
            QStringList{QStringLiteral("MS Gothic"), QStringLiteral("Meiryo"),
                        QStringLiteral("Yu Gothic")} +
            ipaGothic;
        const QStringList mincho =
            QStringList{QStringLiteral("MS Mincho"), QStringLiteral("Yu Mincho")} + ipaMincho;
        const QStringList pMincho =
            QStringList{QStringLiteral("MS PMincho"), QStringLiteral("Yu Mincho")} + ipaMincho;
        const QStringList century = {QStringLiteral("Century Schoolbook"),
                                     QStringLiteral("Times New Roman")};
#else
        const QStringList gothic = ipaGothic;
        const QStringList mincho = ipaMincho;
        const QStringList pMincho = QStringList{QStringLiteral("IPAPMincho")} + ipaMincho;
        const QStringList century = {QStringLiteral("Century Schoolbook L"), QStringLiteral("C059"),
                                     QStringLiteral("DejaVu Serif")};
#endif
        QFont::insertSubstitutions(kGothic, gothic);
        QFont::insertSubstitutions(kMincho, mincho);
        QFont::insertSubstitutions(kPMincho, pMincho);
        QFont::insertSubstitutions(QStringLiteral("Century"), century);
        return true;
    }();
    Q_UNUSED(installed);
}

QFont makeFont(int pixels, bool bold, const QString &family)
{
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void setTextColour(QWidget *w, const QColor &colour)
{
    // A disabled control keeps the style's grey, so that it looks disabled; only a panel
    // keeps its colour, as the number panels tell by it what they show even as a mere view.
    const bool keepWhenDisabled = qobject_cast<PanelLabel *>(w) != nullptr;
    QPalette pal = w->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        pal.setColor(QPalette::Active, role, colour);
        pal.setColor(QPalette::Inactive, role, colour);
        if (keepWhenDisabled)
            pal.setColor(QPalette::Disabled, role, colour);
    }
    w->setPalette(pal);
}

void applyStyle(QWidget *w, int pixels, bool bold, const QColor &textColour)
{
    w->setFont(makeFont(pixels, bold));
    if (textColour.isValid())
        setTextColour(w, textColour);
}

QLabel *label(QWidget *parent, const char *name, int left, int top, const QString &text,
              const QColor &colour, int pixels, bool bold)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    applyStyle(l, pixels, bold, colour);
    l->adjustSize();
    l->move(left, top);
    return l;
}

QGroupBox *groupBox(QWidget *parent, const char *name, const QRect &place, const QString &caption,
                    const QColor &colour)
{
    auto *g = new QGroupBox(caption, parent);
    g->setObjectName(QLatin1String(name));
    g->setGeometry(place);
    applyStyle(g, 15, true, colour);
    auto *look = new GroupBoxStyle(QStyleFactory::create(g->style()->name()));
    look->setParent(g);
    g->setStyle(look);
    return g;
}

QPushButton *button(QWidget *parent, const char *name, const QRect &place, const QString &caption,
                    const QColor &colour, const QString &hint)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(place);
    applyStyle(b, 15, false, colour);
    if (!hint.isEmpty())
        b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

PanelLabel *panel(QWidget *parent, const char *name, const QRect &place, Qt::Alignment align)
{
    auto *p = new PanelLabel(parent);
    p->setObjectName(QLatin1String(name));
    p->setGeometry(place);
    p->setLowered(true);
    p->setAlignment(align | Qt::AlignVCenter);
    p->setMargin(2);
    applyStyle(p, 15, false, colour::black);
    return p;
}

SpinEdit *spinEdit(QWidget *parent, const char *name, const QRect &place, int minimum, int maximum,
                   int value, int maxLength, Qt::Alignment align, const QString &hint)
{
    auto *s = new SpinEdit(parent);
    s->setObjectName(QLatin1String(name));
    s->setGeometry(place);
    s->setRange(minimum, maximum);
    s->setMaxLength(maxLength);
    s->setValue(value);
    s->setAlignment(align);
    applyStyle(s, 15);
    if (!hint.isEmpty())
        s->setToolTip(hint);
    return s;
}

QGroupBox *captionlessGroup(QWidget *parent, const char *name)
{
    auto *g = new QGroupBox(parent);
    g->setObjectName(QLatin1String(name));
    g->setGeometry(6, 3, 621, 454);
    return g;
}

StringGrid *stringGrid(QWidget *parent, const char *name, const QRect &place, int columns,
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

void applyGridHabits(QAbstractItemView *view)
{
    view->setTabKeyNavigation(false);
    QPalette pal = view->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    view->setPalette(pal);
}

namespace
{

// How long a first digit typed on the board waits for a second one.
constexpr int kTypingPauseMs = 1000;

// The digit of a key of the main keys or the keypad, or -1.
int digitOf(const QKeyEvent *key)
{
    if (key->modifiers() & ~Qt::KeypadModifier)
        return -1;
    return key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9 ? key->key() - Qt::Key_0 : -1;
}

class NumberGridKeys : public QObject
{
public:
    NumberGridKeys(const std::function<QWidget *(int)> &numberAt, Qt::Orientation numbersRun,
                   QObject *owner, const std::function<void(int)> &typedNumber)
        : QObject(owner), m_numberAt(numberAt), m_numbersRun(numbersRun), m_typedNumber(typedNumber)
    {
        for (int n = kLotoMin; n <= kLotoMax; ++n) {
            QWidget *number = m_numberAt(n);
            number->setFocusPolicy(n == kLotoMin ? Qt::TabFocus : Qt::NoFocus);
            number->installEventFilter(this);
            m_numbers.insert(number, n);
        }
        m_pause.setSingleShot(true);
        m_pause.setInterval(kTypingPauseMs);
        connect(&m_pause, &QTimer::timeout, this, [this] {
            // A digit left waiting while the keyboard went elsewhere is dropped.
            if (!m_numbers.contains(QApplication::focusWidget()))
                m_typing.cancel();
            else if (const std::optional<int> n = m_typing.finish())
                press(*n);
        });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        int n = m_numbers.value(watched);
        if (m_typedNumber) {
            if (const int digit = digitOf(key); digit >= 0) {
                typeDigit(digit);
                return true;
            }
            if (m_typing.isWaiting()) {
                // Another key first ends the number typed; Escape drops it, and Space or Enter
                // only end it.
                m_pause.stop();
                if (key->key() == Qt::Key_Escape) {
                    m_typing.cancel();
                    return true;
                }
                if (const std::optional<int> typed = m_typing.finish()) {
                    press(*typed);
                    n = *typed;
                }
                if (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
                    key->key() == Qt::Key_Enter)
                    return true;
            }
        }
        const int next = neighbour(n, key->key());
        if (next < 0)
            return false; // not an arrow key
        if (next >= kLotoMin && next <= kLotoMax)
            moveTo(next);
        return true;
    }

private:
    void typeDigit(int digit)
    {
        for (const int n : m_typing.typeDigit(digit))
            press(n);
        if (!m_typing.isWaiting()) {
            m_pause.stop();
            return;
        }
        if (const int first = m_typing.waitingDigit().value_or(0); first >= kLotoMin)
            moveTo(first); // the keyboard shows the number that the pause would press
        m_pause.start();
    }

    void press(int n)
    {
        moveTo(n);
        m_typedNumber(n);
    }

    void moveTo(int n)
    {
        QWidget *target = m_numberAt(n);
        for (auto it = m_numbers.constBegin(); it != m_numbers.constEnd(); ++it) {
            if (it.value() != n)
                static_cast<QWidget *>(it.key())->setFocusPolicy(Qt::NoFocus);
        }
        target->setFocusPolicy(Qt::TabFocus);
        target->setFocus(Qt::TabFocusReason);
    }

    // The number an arrow key moves to from n (0: none there), or -1 for another key.
    int neighbour(int n, int key) const
    {
        if (m_numbersRun == Qt::Vertical)
            return wrappedNeighbour(n, key);
        switch (key) { // numbers along rows of ten
        case Qt::Key_Up:
            return n - 10;
        case Qt::Key_Down:
            return n + 10;
        case Qt::Key_Left:
            return n - 1;
        case Qt::Key_Right:
            return n + 1;
        default:
            return -1;
        }
    }

    // Numbers down columns of ten, as on the board: Up and Down run through the numbers in
    // order, Left and Right along the row of the screen; at the end of a row the next row
    // begins, and after the last number the first comes again (and the other way round).
    static int wrappedNeighbour(int n, int key)
    {
        const int row = (n - 1) % 10;
        switch (key) {
        case Qt::Key_Up:
            return n > kLotoMin ? n - 1 : kLotoMax;
        case Qt::Key_Down:
            return n < kLotoMax ? n + 1 : kLotoMin;
        case Qt::Key_Right:
            if (n + 10 <= kLotoMax)
                return n + 10;
            return row < 9 ? row + 2 : kLotoMin; // the start of the next row
        case Qt::Key_Left: {
            if (n - 10 >= kLotoMin)
                return n - 10;
            const int previousRow = (row + 9) % 10;
            const int last = previousRow + 1 + 40; // the end of the previous row
            return last <= kLotoMax ? last : last - 10;
        }
        default:
            return -1;
        }
    }

    std::function<QWidget *(int)> m_numberAt;
    Qt::Orientation m_numbersRun;
    std::function<void(int)> m_typedNumber;
    QHash<QObject *, int> m_numbers;
    NumberTyping m_typing;
    QTimer m_pause;
};

} // namespace

void makeNumberGridOneTabStop(const std::function<QWidget *(int)> &numberAt,
                              Qt::Orientation numbersRun, QObject *owner,
                              const std::function<void(int)> &typedNumber)
{
    new NumberGridKeys(numberAt, numbersRun, owner, typedNumber);
}

void makeOneTabStop(const QList<QRadioButton *> &group)
{
    const auto update = [group] {
        const bool anyChecked = std::any_of(group.begin(), group.end(),
                                            [](const QRadioButton *r) { return r->isChecked(); });
        for (QRadioButton *radio : group) {
            const bool stop = anyChecked ? radio->isChecked() : radio == group.first();
            // A click still gives the focus; only Tab passes the others by.
            radio->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
        }
    };
    for (QRadioButton *radio : group)
        QObject::connect(radio, &QRadioButton::toggled, radio, update);
    update();
}

QTableWidget *readOnlyTable(const char *name, int rows, const QStringList &headers)
{
    auto *table = new QTableWidget(rows, static_cast<int>(headers.size()));
    applyGridHabits(table);
    table->setObjectName(QLatin1String(name));
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return table;
}

int setColumnWidths(QTableWidget *table, const QVector<int> &widths)
{
    int sum = 0;
    for (int column = 0; column < widths.size(); ++column) {
        table->setColumnWidth(column, widths.at(column));
        sum += widths.at(column);
    }
    return sum;
}

QTableWidgetItem *tableItem(const QString &text, Qt::Alignment alignment)
{
    auto *cell = new QTableWidgetItem(text);
    cell->setTextAlignment(alignment | Qt::AlignVCenter);
    return cell;
}

void fitToScreen(QWidget *window, const QSize &preferred)
{
    const QWidget *anchor = window->parentWidget() ? window->parentWidget()->window() : window;
    constexpr int kFrame = 8; // each side
    const QSize room =
        anchor->screen()->availableGeometry().size() -
        QSize(2 * kFrame, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * kFrame);
    window->resize(preferred.boundedTo(room).expandedTo(window->minimumSizeHint()));
}

QSize fittedWindowSize(const QSize &natural, const QSize &room, int scrollBarExtent)
{
    QSize fitted = natural.boundedTo(room);
    if (fitted.height() < natural.height())
        fitted.setWidth(qMin(natural.width() + scrollBarExtent, room.width()));
    if (fitted.width() < natural.width())
        fitted.setHeight(qMin(fitted.height() + scrollBarExtent, room.height()));
    return fitted;
}

void placeLastInTabOrder(QWidget *widget)
{
    // The focus chain runs round through the window, and Tab follows it from stop to stop, from
    // the last back to the first: the widget is to come right after the last other stop.
    QWidget *window = widget->window();
    QWidget *last = nullptr;
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if (w != widget && (w->focusPolicy() & Qt::TabFocus))
            last = w;
    }
    // First in the chain, it comes after the last stop already (and Qt would not move it).
    if (!last || widget->previousInFocusChain() == window)
        return;
    QWidget::setTabOrder(last, widget); // Qt moves only widgets that take the focus
}

} // namespace layout
