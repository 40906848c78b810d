#pragma once

#include "gui/pages/Page.h"

class PageContext;
class QTableView;

// The page "抽選数字照会" (TabSheet6): the draws of the loaded history in a list that a header
// click sorts. The list shows the context's history list, which a new history brings back to file
// order.
class HistoryPage : public Page
{
    Q_OBJECT
public:
    explicit HistoryPage(PageContext &context, QWidget *parent = nullptr);

    QString guide() const override;

    // 0 for file order, +k ascending by column k - 1, -k descending.
    int historySortState() const { return m_historySortState; }
    // Shows a newly loaded history from its first row.
    void showFromTop();

    void viewHistoryColumnClick(int column);

protected:
    void buildControls() override;

private:
    int viewHistoryCompare(int textOrder) const;
    QColor viewHistoryCustomDrawItem(int row) const;
    void sortHistory();

    PageContext &m_context;
    QTableView *viewHistory = nullptr;
    int m_historySortState = 0;
};
