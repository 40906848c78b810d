#pragma once

#include "core/results/DrawCalendar.h"
#include "core/results/PastDraws.h"

#include <QDate>
#include <QDialog>
#include <memory>

struct TicketReport;
namespace Ui
{
class TicketReportForm;
}

// The spend and return of every saved line, draw by draw, with the totals and a chart of the
// cumulative spend and winnings; on a second tab the prizes won with their claim deadlines.
// It reads the ticket files and never writes one; ticking a prize as claimed writes
// client/claimed.csv.
class TicketReportForm : public QDialog
{
    Q_OBJECT
public:
    // history: the draws as loaded, with their prizes; programFolder (trailing "/") holds
    // "client/"; today counts the days left to claim each prize.
    TicketReportForm(const PastDraws &history, const QString &programFolder,
                     QWidget *parent = nullptr, const QDate &today = japanToday());
    ~TicketReportForm() override;

private:
    void fillTable(const TicketReport &report);
    void fillChart(const TicketReport &report);
    void describeChart(const TicketReport &report);

    std::unique_ptr<Ui::TicketReportForm> m_ui;
};

// "購入 n口 ¥x　当選金 ¥y　収支 ¥z　回収率 r%", the balance z with its sign.
QString ticketReportTotalsText(const TicketReport &report);
