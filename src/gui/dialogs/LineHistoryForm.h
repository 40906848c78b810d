#pragma once

#include "core/results/PastDraws.h"

#include <QDialog>
#include <memory>

namespace Ui
{
class LineHistoryForm;
}

// What one line would have won in every draw of the history: wins and winnings per tier,
// the draws of the top tiers, and the spend and return over all draws.
class LineHistoryForm : public QDialog
{
    Q_OBJECT
public:
    // history: the draws as loaded, with their prizes; line: the numbers to start with,
    // checked at once when they make a line.
    LineHistoryForm(const PastDraws &history, const QString &line, QWidget *parent = nullptr);
    ~LineHistoryForm() override;

    // Checks the line in the field; an invalid line is refused with a message naming the fault.
    void btnLineHistoryExecClick();

private:
    void showResult(NumberSet line);

    PastDraws m_history;
    std::unique_ptr<Ui::LineHistoryForm> m_ui;
};
