#pragma once

#include "core/results/PastDraws.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// What one line would have won in every draw of the history: wins and winnings per tier,
// the draws of the top tiers, and the spend and return over all draws.
class LineHistoryForm : public QDialog
{
    Q_OBJECT
public:
    // history: the draws as loaded; programFolder (trailing "/") gives the prize data; line:
    // the numbers to start with, checked at once when they make a line.
    LineHistoryForm(const QVector<DrawRecord> &history, const QString &programFolder,
                    const QString &line, QWidget *parent = nullptr);

    // Checks the line in the field; an invalid line is refused with a message naming the fault.
    void btnLineHistoryExecClick();

    QLineEdit *editLineHistory = nullptr;
    QPushButton *btnLineHistoryExec = nullptr;
    QTableWidget *gridLineHistory = nullptr;
    QLabel *lblLineHistorySummary = nullptr;

private:
    void showResult(NumberSet line);

    PastDraws m_history;
};
