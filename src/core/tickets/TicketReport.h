#pragma once

#include "core/results/PastDraws.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <cstdint>

// The player's spend and return: every line of every ticket file, grouped by the draw it
// names. It only reads the files.

struct ReportDraw {
    int draw = 0;
    QString date;       // empty while the draw has no result
    bool drawn = false; // the history holds the draw
    int lines = 0;
    std::array<int, kPrizeTiers> wins{};
    std::int64_t winnings = 0; // the paid amounts of the wins
    int unpaidWins = 0;        // wins of a tier nobody else won (amount 0)

    std::int64_t spend() const;
};

struct TicketReport {
    QVector<ReportDraw> draws; // newest first
    int invalidLines = 0;      // lines that are not valid lines (see readTicketLine)
    int skippedFiles = 0;      // "*.csv" files not named by a draw number, left out (claimed.csv
                               // is the program's own and not counted)
    QStringList
        unreadable; // ticket files that could not be read: "client/2040.csv を読めません：…"
    // Totals over the drawn draws only.
    int lines = 0;
    std::int64_t spend = 0;
    std::int64_t winnings = 0;
    int unpaidWins = 0;
    int pendingLines = 0; // lines of draws without a result, left out of the totals

    std::int64_t balance() const { return winnings - spend; }
    // Winnings as a percentage of the spend; 0 without a line.
    double returnRate() const;
};

// Reads every ticket file of the folder, as the check page does: the files named by a draw
// number as the program names them ("2038.csv"); any other file (a copy such as
// "2038 - コピー.csv") is left out, so that no line is counted twice. The line of six commas that a
// cancel leaves is no line at all. A file that cannot be read (also one that is no regular file)
// is left out and named in unreadable: the report shows what it could read, and says what not.
TicketReport buildTicketReport(const QString &clientFolder, const PastDraws &history);
