#pragma once

#include "core/common/ComType.h"
#include "core/picking/PickRules.h"
#include "core/results/PastDraws.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class AppSettings;
class HistoryModel;
class QLabel;
class QWidget;
class TSplashForm;

// What the pages of the main window share: the data folder, the settings, the parsed history
// and its model, the program-wide pick values, the busy state, the status text and the
// application-wide error report. A page reaches nothing else of the window; what one page
// tells another goes through signals that the window connects.
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
    HistoryModel *history() const { return m_history; }
    // The loaded history in numbers, with the prizes of each draw.
    const PastDraws &pastDraws() const { return m_pastDraws; }
    void setPastDraws(PastDraws draws) { m_pastDraws = std::move(draws); }

    // Program-wide values: the count table of the loaded history, the exclusion set in force
    // and the stored pick options.
    BaseCountTable &baseCountTable() { return m_baseCountTable; }
    ExclusionSet &exclusionSet() { return m_exclusionSet; }
    PickSettings &pickSettings() { return m_pickSettings; }

    // The small waiting window, the page control (which takes no input during a long
    // operation) and the guidance panel of the status bar, as the window made them.
    TSplashForm *splash() const { return m_splash; }
    QWidget *pageControl() const { return m_pageControl; }
    void setWindowParts(QWidget *pageControl, QLabel *statusPanel);
    void setSplash(TSplashForm *splash) { m_splash = splash; }

    QString statusText() const;
    void setStatusText(const QString &text);

    // Runs a handler through the application-wide error report, over the window of from.
    void guarded(QWidget *from, const std::function<void()> &handler) const;
    // A slot that runs a page's handler so.
    template <typename Page> auto guardedSlot(Page *page, void (Page::*handler)()) const
    {
        return [this, page, handler] { guarded(page, [page, handler] { (page->*handler)(); }); };
    }

    // The pick method the options page shows and the threshold typed there, as they are now:
    // the rule of the main page's line generator.
    struct PickChoice {
        PickMethod method;
        QString thresholdText;
    };
    PickChoice pickChoice() const { return m_pickChoice(); }
    void setPickChoiceSource(std::function<PickChoice()> source)
    {
        m_pickChoice = std::move(source);
    }

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

private:
    QString m_dataFolder;
    QString m_installFolder;
    std::unique_ptr<AppSettings> m_settings;
    HistoryModel *m_history;
    PastDraws m_pastDraws;
    BaseCountTable m_baseCountTable{};
    ExclusionSet m_exclusionSet{};
    PickSettings m_pickSettings;
    TSplashForm *m_splash = nullptr;
    QWidget *m_pageControl = nullptr;
    QLabel *m_statusPanel = nullptr;
    std::function<PickChoice()> m_pickChoice;
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
