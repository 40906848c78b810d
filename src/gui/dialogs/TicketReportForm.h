#pragma once

#include "core/results/ResultsFiles.h"

#include <QDialog>

class QChartView;
class QLabel;
class QTableWidget;
struct TicketReport;

// The spend and return of every saved line, draw by draw, with the totals and a chart of the
// cumulative spend and winnings. It reads the ticket files and never writes one.
class TicketReportForm : public QDialog
{
    Q_OBJECT
public:
    // history: the draws as loaded; programFolder (trailing "/") holds "client/" and the prize
    // data.
    TicketReportForm(const QVector<DrawRecord> &history, const QString &programFolder,
                     QWidget *parent = nullptr);

    QTableWidget *gridTicketReport = nullptr;
    QLabel *lblTicketReportTotals = nullptr;
    QLabel *lblTicketReportNotes = nullptr;
    QChartView *chartTicketReport = nullptr;

private:
    void fillTable(const TicketReport &report);
    void fillChart(const TicketReport &report);
};

// "購入 n口 ¥x　当選金 ¥y　収支 ¥z　回収率 r%", the balance z with its sign.
QString ticketReportTotalsText(const TicketReport &report);
