#include "Widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

PanelLabel::PanelLabel(QWidget *parent) : QLabel(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
}

void PanelLabel::setLowered(bool lowered)
{
    setFrameShadow(lowered ? QFrame::Sunken : QFrame::Raised);
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
