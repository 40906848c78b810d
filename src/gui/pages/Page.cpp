#include "gui/pages/Page.h"

#include "gui/AccessibleNames.h"

Page::Page(QWidget *parent, Build build) : QWidget(parent), m_built(build == Build::Now) {}

void Page::build()
{
    if (m_built)
        return;
    m_built = true;
    buildControls();
    nameForScreenReaders(this);
    // Controls made while the page is already up are shown as those made before it came up
    // would be: all but those the page hid.
    if (isVisible()) {
        for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (!child->isWindow() && !child->testAttribute(Qt::WA_WState_ExplicitShowHide))
                child->show();
    }
}

void Page::showEvent(QShowEvent *event)
{
    build();
    QWidget::showEvent(event);
}

QStringList ticketGridHeader()
{
    return {QStringLiteral("開催回"), QStringLiteral("①"), QStringLiteral("②"), QStringLiteral("③"),
            QStringLiteral("④"),      QStringLiteral("⑤"), QStringLiteral("⑥")};
}
