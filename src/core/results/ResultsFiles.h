#pragma once

#include "core/common/ComType.h"
#include "core/platform/DataFolder.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <cstdint>

// The two results files in the folder "download/" beside the program:
//   Loto6Number.csv  draw number, date, six main numbers, bonus (nine fields, newest first)
//   Loto6Data.csv    draw number, then amount and winner count of tiers 1..5, carry-over
// Both are read strictly: a line must have exactly its number of fields.

inline const QString kNumberFileName = QStringLiteral("Loto6Number.csv");
inline const QString kDataFileName = QStringLiteral("Loto6Data.csv");

constexpr int kDrawFields = 9;
constexpr int kPrizeFields = 12;

// One draw as the history list shows it: every column as display text.
struct DrawRecord {
    int number = 0;                          // the draw number as read
    QString caption;                         // the same, "%5d"
    QString date;                            // "YYYY/MM/DD"
    std::array<QString, kPicksPerLine> main; // ①..⑥, two digits
    QString bonus;                           // two digits

    // Column c of the history list: 0 caption, 1 date, 2..7 main numbers, 8 bonus.
    QString column(int c) const;
};

// One line of prize data: its figures as read, shown by the prize table as text. The text is
// made only when asked for: a history holds thousands of lines that the table may never show.
struct PrizeRecord {
    int draw = 0;
    // Per tier the amount per line and the number of winning lines, then the carry-over.
    std::array<double, kPrizeFields - 1> figures{};

    // Field k as the prize table shows it: the draw number, then "¥1,234" for an amount (the
    // carry-over too) and "1,234" for a number of lines.
    QString operator[](int k) const;
    QStringList texts() const;
    bool operator==(const PrizeRecord &other) const
    {
        return draw == other.draw && figures == other.figures;
    }
};

// The figures of one prize line: the draw number and the amount paid per line at tiers 1..5
// (0 where nobody won), read by the same rules as parsePrizeLine.
struct PrizeAmounts {
    int draw = 0;
    std::array<std::int64_t, kPrizeTiers> amount{};
};

struct ResultsData {
    QVector<DrawRecord> draws;
    QVector<PrizeRecord> prizes;
    QVector<PrizeAmounts> amounts; // the same lines in figures
    BaseCountTable counts{};
    int newestDraw = 0; // number of the first row's draw, the newest with results
    int comingDraw = 0; // number of the draw after the first row; 0 when no int can hold it
};

enum class ResultsStatus {
    Loaded,
    NumberFileMissing, // missing or without a single line
    DataFileMissing,
};

// One line of each file. Throws DomainError (without the file and line) on a malformed line;
// a main number outside 1..43 is an error, the bonus is shown as it is.
DrawRecord parseDrawLine(const QString &line);
PrizeRecord parsePrizeLine(const QString &line);

// One draw's figures as both files hold them, and its line of each file as the program writes
// it: plain decimal numbers, the date as "YYYY/MM/DD", no line end.
struct DrawFigures {
    qint64 number = 0;
    QDate date;
    std::array<int, kPicksPerLine> main{};
    int bonus = 0;
    std::array<qint64, kPrizeTiers> amounts{};
    std::array<qint64, kPrizeTiers> winners{};
    qint64 carryOver = 0;
};
QByteArray drawLineOf(const DrawFigures &draw);
QByteArray prizeLineOf(const DrawFigures &draw);

PrizeAmounts parsePrizeAmounts(const QString &line);
// Every line of Loto6Data.csv; a malformed line throws DomainError naming the file and line.
QVector<PrizeAmounts> parsePrizeAmountLines(const QStringList &lines);

// Counts the main numbers per position; throws DomainError for a number outside 1..43.
BaseCountTable countBaseNumbers(const QVector<DrawRecord> &draws);

// Parses both files completely. Malformed content throws DomainError naming the file, the
// draw and line number ("Loto6Data.csv の第2036回（2 行目）を…"; the line alone when its draw
// number does not read) and the bad text; nothing is returned half-filled.
ResultsStatus parseResults(const QStringList &numberLines, const QStringList &dataLines,
                           ResultsData *out);

// When the two files do not list the same draws in the same order (a pair that never belonged
// together), the player's words for the first difference; empty when they belong together.
QString pairMismatch(const ResultsData &data);

// A results file larger than this is no results file (the whole history is well under 1 MiB)
// and is refused before it is read.
constexpr qint64 kMaxResultsFileBytes = 16 * 1024 * 1024;

// Reads and parses both files of a download folder (path with trailing "/"). A file larger
// than kMaxResultsFileBytes throws DomainError with a message of its own.
ResultsStatus readResultsFolder(const QString &downloadFolder, ResultsData *out);
