#pragma once

#include "core/common/Formats.h"
#include "core/results/PastDraws.h"
#include "core/tickets/SavedLines.h"
#include "core/tickets/TicketFile.h"
#include "core/tickets/WinningCheck.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>

// The prizes the player's saved lines won, until when each can be claimed, and which the
// player has marked as claimed. A prize can be claimed for one year from the day after the
// draw; after that it is lost.

// The last day to claim a prize of a draw held on drawDate: the last day of the year that
// begins the day after the draw (drawn 2025/09/25: 2026/09/25; drawn 2024/02/29: 2025/02/28;
// drawn 2008/02/28, the year begins 2008/02/29 and ends 2009/02/28).
QDate claimDeadline(const QDate &drawDate);

// An unclaimed prize this many days or fewer before its deadline is one to warn of.
constexpr int kClaimWarningDays = 30;

// One winning saved line of a drawn draw.
struct PrizeClaim {
    LotoLine line;           // the winning line, of the draw it names
    QString date;            // of the draw, "YYYY/MM/DD"
    int tier = 0;            // 1..5
    std::int64_t amount = 0; // paid per line; 0 where the prize data has no amount
    QDate deadline;
    int daysLeft = 0; // from today to the deadline; negative once it has passed
    bool claimed = false;
    QDate claimedOn; // the day the player marked it claimed

    bool expired() const { return daysLeft < 0; }
    // Within kClaimWarningDays of the deadline, or past it.
    bool nearDeadline() const { return daysLeft <= kClaimWarningDays; }
};

// The winning lines of every drawn draw among the saved lines, newest draw first and a draw's
// lines in the order they were read, with the claims of client/claimed.csv marked. A line
// saved twice is two prizes, and two claims mark both.
QVector<PrizeClaim> prizeClaims(const QVector<LotoLine> &saved, const PastDraws &history,
                                const QDate &today);
// The same, read from the ticket files and claimed.csv of clientFolder.
QVector<PrizeClaim> readPrizeClaims(const QString &clientFolder, const PastDraws &history,
                                    const QDate &today);

// The same for a window that opens whatever it cannot read: a ticket file that cannot be read
// is passed over, an unreadable claimed.csv marks no prize, and each is named in unreadable.
// fromDraw > 0 reads only the ticket files of that draw and later ones.
struct PrizeClaimsReading {
    QVector<PrizeClaim> claims;
    QStringList unreadable; // "client/2040.csv を読めません：…"
    bool marksRead = true;  // claimed.csv was read (or is not there)
};
PrizeClaimsReading readPrizeClaimsNamingFailures(const QString &clientFolder,
                                                 const PastDraws &history, const QDate &today,
                                                 int fromDraw = 0);

// The amounts of the prizes not claimed yet whose deadline has not passed.
std::int64_t unclaimedTotal(const QVector<PrizeClaim> &claims);

// "あと 12 日", "本日まで" on the deadline itself, "期限切れ" after it.
QString daysLeftText(int daysLeft);

// The unclaimed prizes whose deadline is kClaimWarningDays away or less (and not passed).
struct ClaimWarning {
    int count = 0;
    int fewestDaysLeft = 0;
};
ClaimWarning claimWarning(const QVector<PrizeClaim> &claims);
// "受取期限の近い当選があります（2件、最短 あと 5 日）。", empty when there is none.
QString claimWarningText(const ClaimWarning &warning);

// client/claimed.csv (kClaimedFileName): one line per claimed line,
// "2039,05,11,19,24,38,42,2026/12/14": the draw, the six numbers and the day it was marked, CR LF.
// It is read leniently (LF line ends, empty lines, lines that are not such a line are passed over)
// and written whole and safely; a change adds or removes marks and keeps every other byte, also of
// lines it cannot read.
struct ClaimedLine {
    LotoLine line;
    QDate ticked;
};
QVector<ClaimedLine> readClaimedLines(const QString &clientFolder);

// Marks claims[index] claimed on `today`, or not claimed, as readPrizeClaims gave them: the
// line of the prize then has one mark per prize of it that is claimed. An untick takes away
// every mark beyond those, so that it sticks also when the file held more marks than the line
// has prizes (a ticket line cancelled after its prizes were ticked).
void setClaimed(const QString &clientFolder, const QVector<PrizeClaim> &claims, int index,
                bool claimed, const QDate &today);

// What the saved lines won in the given draws, one line per draw that is in the history and
// has saved lines, in ascending draw order:
//   "第2039回：５等 1口 ¥1,000（支払期限 2027/12/10）"
//   "第2039回：当選はありませんでした（12口）"
// A draw that paid several tiers names each, highest first, with the total of its lines:
//   "第2039回：４等 1口 ¥6,800、５等 2口 ¥2,000（支払期限 2027/12/10）"
// and a tier without an amount in the prize data says "金額未定" instead of the amount.
// On the deadline itself it says "（支払期限 2027/12/10、本日まで）", after it
// "（支払期限 2026/09/29、期限切れ）", as the list of prizes does.
QStringList drawNews(const QVector<LotoLine> &saved, const PastDraws &history,
                     const QVector<int> &draws, const QDate &today);

// The start-up warning for the prizes of programFolder's saved lines
// ("受取期限の近い当選があります（2件、最短 あと 5 日）。"), empty when none is near its deadline.
// Only the ticket files of draws whose prizes can still be claimed are read; a file that cannot
// be read is named behind the warning ("client/2040.csv を読めません：…").
QString readClaimWarningText(const QString &programFolder, const PastDraws &history,
                             const QDate &today);

// What the status line says after a check: the earliest deadline not passed among the winning
// lines, "支払期限：2026/09/25 まで"; "支払期限（2026/09/25）を過ぎています。" when every win's
// deadline has passed; empty without a win.
QString checkDeadlineText(const QVector<CheckResult> &results, const QDate &today);
