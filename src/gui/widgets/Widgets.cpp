#include "gui/widgets/Widgets.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QToolTip>
#include <qdrawutil.h>

namespace
{

// What a screen reader learns of a panel: its text (unless it has a name of its own) and, when
// it is checkable, that it is a check box and whether it is checked, which it can toggle.
class PanelAccessible : public QAccessibleWidget
{
public:
    explicit PanelAccessible(PanelLabel *panel) : QAccessibleWidget(panel, QAccessible::StaticText)
    {
    }

    QAccessible::Role role() const override
    {
        return panel()->isCheckable() ? QAccessible::CheckBox : QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override
    {
        const QString text = QAccessibleWidget::text(t);
        return t == QAccessible::Name && text.isEmpty() ? panel()->text() : text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (panel()->isCheckable()) {
            state.checkable = true;
            state.checked = panel()->isLowered();
        }
        return state;
    }

    QStringList actionNames() const override
    {
        if (!panel()->isCheckable())
            return QAccessibleWidget::actionNames();
        return QAccessibleWidget::actionNames() << toggleAction();
    }

    void doAction(const QString &action) override
    {
        if (action == toggleAction() && panel()->isCheckable() && panel()->isEnabled())
            emit panel()->clicked();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    PanelLabel *panel() const { return static_cast<PanelLabel *>(widget()); }
};

QAccessibleInterface *panelAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("PanelLabel") && object && object->isWidgetType())
        return new PanelAccessible(static_cast<PanelLabel *>(object));
    return nullptr;
}

} // namespace

PanelLabel::PanelLabel(QWidget *parent) : QLabel(parent)
{
    static const bool accessibleKnown = (QAccessible::installFactory(panelAccessible), true);
    Q_UNUSED(accessibleKnown)
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
}

void PanelLabel::setLowered(bool lowered)
{
    if (lowered == isLowered())
        return;
    setFrameShadow(lowered ? QFrame::Sunken : QFrame::Raised);
    if (m_checkable) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

bool PanelLabel::isLowered() const
{
    return frameShadow() == QFrame::Sunken;
}

void PanelLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled() && rect().contains(event->pos()))
        emit clicked();
}

void drawFocusFrame(QPainter *painter, const QRect &rect, const QColor &colour)
{
    painter->save();
    painter->setPen(QPen(colour, 2, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(1, 1, -1, -1));
    painter->restore();
}

void PanelLabel::keyPressEvent(QKeyEvent *event)
{
    const bool press = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                       event->key() == Qt::Key_Enter;
    if (!press || (event->modifiers() & ~Qt::KeypadModifier) || !isEnabled()) {
        QLabel::keyPressEvent(event);
        return;
    }
    emit clicked();
}

void PanelLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    drawFocusFrame(&painter, rect().adjusted(3, 3, -3, -3), palette().color(QPalette::WindowText));
}

FocusFrameStyle::FocusFrameStyle(QStyle *base) : QProxyStyle(base) {}

void FocusFrameStyle::install()
{
    if (qobject_cast<FocusFrameStyle *>(QApplication::style()))
        return;
    QApplication::setStyle(
        new FocusFrameStyle(QStyleFactory::create(QApplication::style()->name())));
}

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                    QPainter *painter, const QWidget *widget) const
{
    if (element != PE_FrameFocusRect) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    drawFocusFrame(painter, option->rect, option->palette.color(QPalette::WindowText));
}

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption *option,
                                  QPainter *painter, const QWidget *widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton && (option->state & State_HasFocus))
        drawFocusFrame(painter, option->rect.adjusted(3, 3, -3, -3),
                       option->palette.color(QPalette::ButtonText));
}

void FocusFrameStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                         QPainter *painter, const QWidget *widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ToolButton && (option->state & State_HasFocus))
        drawFocusFrame(painter, option->rect.adjusted(2, 2, -2, -2),
                       option->palette.color(QPalette::ButtonText));
}

namespace
{

constexpr int kStatusPadding = 3; // between the bevel and the text, either side
// How many pixels smaller a long text may be drawn: the window's 15-pixel text down to 10, so
// that the longest guidance of a page (44 characters) is read whole beside the clock, also on
// Windows, where the window's size grip takes a few pixels of the bar.
constexpr int kStatusShrinkBy = 5;

} // namespace

GroupBoxStyle::GroupBoxStyle(QStyle *base) : QProxyStyle(base) {}

QRect GroupBoxStyle::subControlRect(ComplexControl control, const QStyleOptionComplex *option,
                                    SubControl part, const QWidget *widget) const
{
    const QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || part != SC_GroupBoxFrame || !box || box->text.isEmpty())
        return rect;
    const QRect caption = QProxyStyle::subControlRect(control, option, SC_GroupBoxLabel, widget);
    QRect frame = option->rect;
    frame.setTop(caption.center().y());
    return frame;
}

void GroupBoxStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                       QPainter *painter, const QWidget *widget) const
{
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || !box || box->text.isEmpty() ||
        !(box->subControls & SC_GroupBoxFrame)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    // An etched frame, left open where the caption stands, then the caption over it.
    const QRect frame = subControlRect(control, option, SC_GroupBoxFrame, widget);
    const QRect caption = subControlRect(control, option, SC_GroupBoxLabel, widget);
    painter->save();
    painter->setClipRegion(QRegion(option->rect) - caption.adjusted(-2, 0, 2, 0));
    qDrawShadeRect(painter, frame, option->palette, true, 1);
    painter->restore();
    QStyleOptionGroupBox rest(*box);
    rest.subControls &= ~SC_GroupBoxFrame;
    QProxyStyle::drawComplexControl(control, &rest, painter, widget);
}

StatusPanel::StatusPanel(QWidget *parent) : QLabel(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
}

QRect StatusPanel::textRect() const
{
    return contentsRect().adjusted(kStatusPadding, 0, -kStatusPadding, 0);
}

QFont StatusPanel::shownFont() const
{
    QFont shown = font();
    const int pixels = shown.pixelSize();
    for (int smaller = 0; smaller <= kStatusShrinkBy && pixels - smaller > 0; ++smaller) {
        shown.setPixelSize(pixels - smaller);
        if (QFontMetrics(shown).horizontalAdvance(text()) <= textRect().width())
            return shown;
    }
    return font();
}

QString StatusPanel::shownText() const
{
    return QFontMetrics(shownFont()).elidedText(text(), Qt::ElideRight, textRect().width());
}

int StatusPanel::widthFor(const QString &text) const
{
    return fontMetrics().horizontalAdvance(text) + 2 * (frameWidth() + kStatusPadding);
}

void StatusPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(shownFont());
    style()->drawItemText(&painter, textRect(), int(alignment()), palette(), isEnabled(),
                          shownText(), foregroundRole());
}

bool StatusPanel::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const QString shown = shownText();
        if (shown != text())
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}

TabControl::TabControl(QWidget *parent) : QWidget(parent), m_tabs(new QTabBar(this))
{
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (!m_replacing)
            emit currentChanged(index);
    });
}

void TabControl::setTabs(const QStringList &captions)
{
    m_replacing = true;
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    for (const QString &caption : captions)
        m_tabs->addTab(caption);
    m_tabs->setCurrentIndex(captions.isEmpty() ? -1 : 0);
    m_tabs->adjustSize();
    m_replacing = false;
    update();
}

int TabControl::currentIndex() const
{
    return m_tabs->currentIndex();
}

int TabControl::count() const
{
    return m_tabs->count();
}

void TabControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, m_tabs->height() - 1, 0, 0);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

void TabControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_tabs->move(2, 0);
}

void NumberButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    if (isChecked()) {
        painter.setPen(QPen(QColor(0, 0, 128), 2));
        painter.setBrush(QColor(255, 236, 150));
        painter.drawRoundedRect(area, 4, 4);
    } else if (underMouse() && isEnabled()) {
        painter.setPen(QPen(QColor(120, 160, 220), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
    QRect place(QPoint(), iconSize());
    place.moveCenter(rect().center());
    icon().paint(&painter, place, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        drawFocusFrame(&painter, rect(), Qt::black);
    }
}
