#include "gui/PageContext.h"

#include "core/platform/Settings.h"
#include "core/results/DrawHistory.h"
#include "gui/models/HistoryModel.h"
#include "gui/pages/Page.h"

#include <QLabel>
#include <QWidget>

PageContext::PageContext(const QString &dataFolder, const QString &installFolder, QObject *parent)
    : QObject(parent), m_dataFolder(dataFolder),
      m_installFolder(installFolder.isEmpty() ? dataFolder : installFolder),
      m_settings(std::make_unique<AppSettings>()), m_history(new DrawHistory(this)),
      m_historyList(new HistoryModel(*m_history, this))
{
    setObjectName(QStringLiteral("PageContext"));
    for (QString *folder : {&m_dataFolder, &m_installFolder}) {
        if (!folder->endsWith(QLatin1Char('/')))
            *folder += QLatin1Char('/');
    }
}

PageContext::~PageContext() = default;

void PageContext::setWindowParts(QWidget *pageControl, QLabel *statusPanel)
{
    m_pageControl = pageControl;
    m_statusPanel = statusPanel;
}

QString PageContext::statusText() const
{
    return m_statusPanel->text();
}

void PageContext::setStatusText(const QString &text)
{
    m_statusPanel->setText(text);
}

void PageContext::setBaseCountTable(const BaseCountTable &table)
{
    if (table == m_baseCountTable)
        return;
    m_baseCountTable = table;
    emit baseCountTableChanged();
}

void PageContext::setExclusionSet(const ExclusionSet &excluded)
{
    if (excluded == m_exclusionSet)
        return;
    m_exclusionSet = excluded;
    emit exclusionSetChanged();
}

void PageContext::setPickSettings(const PickSettings &settings)
{
    if (settings == m_pickSettings)
        return;
    m_pickSettings = settings;
    emit pickSettingsChanged();
}

void PageContext::bringUp(Page &page)
{
    page.build(); // a page turned to while the window is hidden
    setStatusText(page.guide());
    page.activated();
}

PageContext::BusyScope::BusyScope(PageContext &context) : m_context(context)
{
    ++m_context.m_busy;
}

PageContext::BusyScope::~BusyScope()
{
    if (--m_context.m_busy == 0 && m_context.m_closeRequested) {
        m_context.m_closeRequested = false;
        emit m_context.closeDue();
    }
}
