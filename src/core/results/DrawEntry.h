#pragma once

#include "core/common/ComType.h"
#include "core/results/ResultsFiles.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <array>
#include <optional>

// A draw typed in by the player, for when the results cannot be downloaded. It is added on
// top of both results files, or corrects the newest draw there while that is one the player
// typed in; a later download replaces it with the official one.

// The texts as typed. Empty prize texts mean 0; full-width digits and grouping commas in
// amounts are read as the player means them.
struct DrawEntry {
    QString date;
    std::array<QString, kPicksPerLine> numbers;
    QString bonus;
    std::array<QString, kPrizeTiers> amounts; // 1等..5等, yen
    std::array<QString, kPrizeTiers> winners; // 1等..5等
    QString carryOver;
};

struct NewestDraw {
    int number = 0;
    QDate date;
};

// The draw of the highest number in a loaded history, whatever order its rows are in; number
// 0 and no date when it holds none.
NewestDraw newestDrawOf(const QVector<DrawRecord> &history);

// The top of the results files in downloadFolder (path with trailing "/"): the newest draw, the
// one before it (its number one less, with the date of the second line; without a date when
// there is none), and the newest draw's texts from both files for a correction (nothing when the
// first line of Loto6Data.csv is not that draw's). Throws DomainError when Loto6Number.csv cannot
// be read.
struct ResultsTop {
    NewestDraw newest;
    NewestDraw previous;
    std::optional<DrawEntry> newestEntry;
};
ResultsTop readResultsTop(const QString &downloadFolder);

// The lines of the draw after `previous`, in the formats of the results files (without line
// ends). Throws DomainError naming the field that is refused: the six main numbers must be
// different numbers of 1..43, the bonus a number of 1..43 that is none of them, the date
// later than previous's and not after today, amounts, winners and carry-over whole numbers
// of 0 up to their highest figures above.
struct EntryLines {
    QByteArray numberLine;
    QByteArray prizeLine;
};
EntryLines entryLines(const DrawEntry &entry, const NewestDraw &previous, const QDate &today);

// What cannot be true of the entry's figures (see implausibleFigures in HistoryCheck.h), for
// the player to confirm or mend; nothing when all is plausible. Throws DomainError as
// entryLines does.
std::optional<QString> implausibleEntry(const DrawEntry &entry, const NewestDraw &previous,
                                        const QDate &today);

// Whether an amount or winner count of a tier was left empty (and would be stored as 0).
bool hasEmptyPrizeField(const DrawEntry &entry);

enum class EntryPlace {
    AfterNewest,     // a new draw on top of both files
    ReplacingNewest, // a correction of the newest draw
};

// Stores the entry in both results files of downloadFolder, through the safe replacement of
// both, and returns the pair stored as the loader reads it. Throws DomainError; the files are
// then unchanged.
ResultsData storeEnteredDraw(const QString &downloadFolder, const DrawEntry &entry,
                             EntryPlace place, const QDate &today);
