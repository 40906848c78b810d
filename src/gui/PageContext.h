#pragma once

#include "core/common/ComType.h"
#include "core/picking/PickRules.h"

#include <QObject>
#include <QString>
#include <memory>

class AppSettings;
class DrawHistory;
class HistoryModel;
class Page;
class QLabel;
class QWidget;
class TSplashForm;

// What the pages of the main window share: the data folder, the settings, the loaded history,
// the program-wide pick values, the busy state and the status text. A page
// reaches nothing else of the window; what one page tells another goes through signals that
// the window connects.
class PageContext : public QObject
{
    Q_OBJECT
public:
    // Both folders get a trailing "/"; an empty installFolder is dataFolder.
    PageContext(const QString &dataFolder, const QString &installFolder, QObject *parent = nullptr);
    ~PageContext() override;

    const QString &dataFolder() const { return m_dataFolder; }
    const QString &installFolder() const { return m_installFolder; }
    AppSettings &settings() const { return *m_settings; }
    // The loaded history with its prizes. The results service sets it; the others read it
    // and follow its change signal.
    DrawHistory *history() const { return m_history; }
    // The same draws in the order the history list shows them, which its header sorts; the
    // trend chart counts the draws in that order.
    HistoryModel *historyList() const { return m_historyList; }

    // Program-wide values: the count table of the loaded history, the exclusion set in force
    // and the stored pick options. They change here only, and a change is signalled.
    const BaseCountTable &baseCountTable() const { return m_baseCountTable; }
    const ExclusionSet &exclusionSet() const { return m_exclusionSet; }
    const PickSettings &pickSettings() const { return m_pickSettings; }
    void setBaseCountTable(const BaseCountTable &table);
    void setExclusionSet(const ExclusionSet &excluded);
    void setPickSettings(const PickSettings &settings);
    // Changes some of the pick options: change edits a copy, which is then set.
    template <typename Change> void changePickSettings(Change change)
    {
        PickSettings changed = m_pickSettings;
        change(changed);
        setPickSettings(changed);
    }

    // The small waiting window, the page control (which takes no input during a long
    // operation) and the guidance panel of the status bar, as the window made them.
    TSplashForm *splash() const { return m_splash; }
    QWidget *pageControl() const { return m_pageControl; }
    void setWindowParts(QWidget *pageControl, QLabel *statusPanel);
    void setSplash(TSplashForm *splash) { m_splash = splash; }

    QString statusText() const;
    void setStatusText(const QString &text);
    // A page brought up: its guidance in the status bar, then what it does on coming up.
    void bringUp(Page &page);

    // True while a long operation lets window messages run; closing and reloading wait.
    bool isBusy() const { return m_busy > 0; }
    bool isCloseRequested() const { return m_closeRequested; }
    // A close asked for while busy: it runs once the last long operation has ended.
    void requestClose() { m_closeRequested = true; }

    // Marks a long operation for its lifetime.
    class BusyScope;

signals:
    // The last long operation ended with a close asked for meanwhile.
    void closeDue();
    // A program-wide value took another value.
    void baseCountTableChanged();
    void exclusionSetChanged();
    void pickSettingsChanged();

private:
    QString m_dataFolder;
    QString m_installFolder;
    std::unique_ptr<AppSettings> m_settings;
    DrawHistory *m_history;
    HistoryModel *m_historyList;
    BaseCountTable m_baseCountTable{};
    ExclusionSet m_exclusionSet{};
    PickSettings m_pickSettings;
    TSplashForm *m_splash = nullptr;
    QWidget *m_pageControl = nullptr;
    QLabel *m_statusPanel = nullptr;
    int m_busy = 0;
    bool m_closeRequested = false;
};

class PageContext::BusyScope
{
public:
    explicit BusyScope(PageContext &context);
    ~BusyScope();
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    PageContext &m_context;
};
