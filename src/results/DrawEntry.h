#pragma once

#include "app/ComType.h"

#include <QDate>
#include <QString>
#include <array>

// A draw typed in by the player, for when the results cannot be downloaded. It is added on
// top of both results files; a later download replaces it with the official one.

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

// The newest draw of the results files in downloadFolder (path with trailing "/"): the
// first line of Loto6Number.csv. Throws DomainError when it cannot be read.
struct NewestDraw {
    int number = 0;
    QDate date;
};
NewestDraw readNewestDraw(const QString &downloadFolder);

// The lines of the draw after newest, in the formats of the results files (without line
// ends). Throws DomainError naming the field that is refused: the six main numbers must be
// different numbers of 1..43, the bonus a number of 1..43 that is none of them, the date
// later than newest's, amounts and winners whole numbers of 0 or more.
struct EntryLines {
    QByteArray numberLine;
    QByteArray prizeLine;
};
EntryLines entryLines(const DrawEntry &entry, const NewestDraw &newest);

// Adds the draw after the newest one on top of both results files of downloadFolder,
// through the safe replacement of both. Throws DomainError; the files are then unchanged.
void addEnteredDraw(const QString &downloadFolder, const DrawEntry &entry);
