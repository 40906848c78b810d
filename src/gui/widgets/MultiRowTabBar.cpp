#include "gui/widgets/MultiRowTabBar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace
{
// Room beside a tab's caption, both sides together: the tabs are sized to their captions.
constexpr int kTabPadding = 14;
} // namespace

MultiRowTabBar::MultiRowTabBar(QWidget *parent) : QTabBar(parent)
{
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    setExpanding(false);
    setDrawBase(false);
    setMouseTracking(true);
    connect(this, &QTabBar::currentChanged, this, [this] {
        updateGeometry();
        update();
    });
}

int MultiRowTabBar::rowHeight() const
{
    return fontMetrics().height() + 10;
}

int MultiRowTabBar::availableWidth() const
{
    const QWidget *owner = parentWidget();
    const int w = owner ? owner->width() : width();
    return qMax(w - 4, 50);
}

QVector<QVector<int>> MultiRowTabBar::rows() const
{
    QVector<QVector<int>> result;
    QVector<int> row;
    int used = 0;
    const int limit = availableWidth();
    for (int i = 0; i < count(); ++i) {
        const int w = fontMetrics().horizontalAdvance(tabText(i)) + kTabPadding;
        if (!row.isEmpty() && used + w > limit) {
            result.append(row);
            row.clear();
            used = 0;
        }
        row.append(i);
        used += w;
    }
    if (!row.isEmpty())
        result.append(row);
    return result;
}

QVector<QRect> MultiRowTabBar::layoutTabs() const
{
    QVector<QVector<int>> allRows = rows();
    QVector<QRect> rects(count());
    if (allRows.isEmpty())
        return rects;
    // The row with the selected tab moves next to the page (the bottom row).
    for (int r = 0; r < allRows.size(); ++r) {
        if (allRows.at(r).contains(currentIndex())) {
            allRows.append(allRows.takeAt(r));
            break;
        }
    }
    const int h = rowHeight();
    const int limit = availableWidth();
    const bool justify = allRows.size() > 1;
    for (int r = 0; r < allRows.size(); ++r) {
        const QVector<int> &row = allRows.at(r);
        QVector<int> widths;
        int used = 0;
        for (int i : row) {
            widths.append(fontMetrics().horizontalAdvance(tabText(i)) + kTabPadding);
            used += widths.last();
        }
        const int extra = justify ? limit - used : 0;
        int x = 2;
        for (int k = 0; k < row.size(); ++k) {
            int w = widths.at(k) + extra / static_cast<int>(row.size());
            if (justify && k == row.size() - 1)
                w = limit + 2 - x;
            rects[row.at(k)] = QRect(x, r * h, w, h);
            x += w;
        }
    }
    return rects;
}

QRect MultiRowTabBar::wrappedTabRect(int index) const
{
    return layoutTabs().value(index);
}

QSize MultiRowTabBar::sizeHint() const
{
    const int rowCount = qMax(1, static_cast<int>(rows().size()));
    return QSize(availableWidth() + 4, rowCount * rowHeight());
}

QSize MultiRowTabBar::minimumSizeHint() const
{
    return sizeHint();
}

int MultiRowTabBar::tabAtPoint(const QPoint &point) const
{
    const QVector<QRect> rects = layoutTabs();
    for (int i = 0; i < rects.size(); ++i)
        if (rects.at(i).contains(point))
            return i;
    return -1;
}

void MultiRowTabBar::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    const QVector<QRect> rects = layoutTabs();
    const auto paintTab = [&](int i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        option.rect = rects.at(i);
        option.position = QStyleOptionTab::Middle;
        if (i == m_hover && isEnabled() && i != currentIndex())
            option.state |= QStyle::State_MouseOver;
        else
            option.state &= ~QStyle::State_MouseOver;
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        // A style keeps its own room beside the caption (24 px in Windows' styles), more than
        // the tabs are sized with: the caption is laid out over a rect widened by the
        // difference, so that it shows whole in the tab's own width in any font.
        // The focus frame keeps to the tab itself.
        const int room = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
        const int widen = qMax(0, (room - kTabPadding + 1) / 2);
        QStyleOptionTab label = option;
        label.state &= ~QStyle::State_HasFocus;
        label.rect.adjust(-widen, 0, widen, 0);
        painter.drawControl(QStyle::CE_TabBarTabLabel, label);
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect frame;
            frame.QStyleOption::operator=(option);
            const int inset = 1 + style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
            frame.rect = option.rect.adjusted(inset + 1, inset, -inset - 1, -inset);
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
        }
    };
    for (int i = 0; i < count(); ++i) {
        if (i != currentIndex())
            paintTab(i); // the selected tab is drawn last, over its neighbours
    }
    if (currentIndex() >= 0)
        paintTab(currentIndex());
}

void MultiRowTabBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const int index = tabAtPoint(event->position().toPoint());
    if (index >= 0 && isTabEnabled(index))
        setCurrentIndex(index);
    event->accept();
}

void MultiRowTabBar::mouseMoveEvent(QMouseEvent *event)
{
    const int index = tabAtPoint(event->position().toPoint());
    if (index != m_hover) {
        m_hover = index;
        update();
    }
    event->accept();
}

void MultiRowTabBar::leaveEvent(QEvent *event)
{
    m_hover = -1;
    update();
    QTabBar::leaveEvent(event);
}

void MultiRowTabBar::resizeEvent(QResizeEvent *event)
{
    QTabBar::resizeEvent(event);
    update();
}

void MultiRowTabBar::tabLayoutChange()
{
    QTabBar::tabLayoutChange();
    updateGeometry();
}

namespace
{

// Watches the key presses of the whole application for those of the tab widget's window.
class CtrlTabFilter : public QObject
{
public:
    explicit CtrlTabFilter(QTabWidget *tabs) : QObject(tabs), m_tabs(tabs)
    {
        qApp->installEventFilter(this); // goes with the tab widget
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        int step = 0;
        if (key->key() == Qt::Key_Tab && modifiers == Qt::ControlModifier)
            step = 1;
        else if ((key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Tab) &&
                 modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
            step = -1;
        auto *widget = qobject_cast<QWidget *>(watched);
        const int count = m_tabs->count();
        if (step == 0 || !widget || widget->window() != m_tabs->window() || !m_tabs->isEnabled() ||
            count == 0)
            return false;
        m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + count) % count);
        return true;
    }

private:
    QTabWidget *m_tabs;
};

} // namespace

void changePagesFromAnywhere(QTabWidget *tabs)
{
    new CtrlTabFilter(tabs);
}

PageControl::PageControl(QWidget *parent) : QTabWidget(parent)
{
    auto *tabs = new MultiRowTabBar(this);
    tabs->setObjectName(QStringLiteral("pctrlMainTabs"));
    setTabBar(tabs);
    changePagesFromAnywhere(this);
}
