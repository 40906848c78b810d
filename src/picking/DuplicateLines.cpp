#include "DuplicateLines.h"

#include "app/ComType.h"
#include "results/PastDraws.h"
#include "tickets/TicketFile.h"

#include <QFileInfo>
#include <QHash>

namespace
{

// The numbers of a row (cells 1..6) as a set; 0 when a cell holds no number of 1..43.
NumberSet numbersOf(const QStringList &cells)
{
    NumberSet line = 0;
    for (int k = 1; k <= kPicksPerLine; ++k) {
        bool ok = false;
        const int n = cells.value(k).trimmed().toInt(&ok);
        if (!ok || n < kLotoMin || n > kLotoMax)
            return 0;
        line |= numberBit(n);
    }
    return line;
}

// The lines saved for the draw, as number sets.
QVector<NumberSet> savedLines(const QString &draw, const QString &programFolder)
{
    QVector<NumberSet> lines;
    const auto path = ticketFilePath(programFolder, draw);
    if (!path || !QFileInfo::exists(*path))
        return lines;
    for (const QStringList &saved : readAllTicketLines(*path)) {
        if (saved.value(0) == draw)
            lines.append(numbersOf(saved));
    }
    return lines;
}

} // namespace

QVector<SlateLineCheck> checkSlateLines(const QVector<QStringList> &slateRows,
                                        const QVector<bool> &savedFromSlate,
                                        const QString &programFolder)
{
    QHash<QString, QVector<NumberSet>> saved; // per draw, read when first needed
    const auto isSaved = [&](const QString &draw, NumberSet line) {
        if (!saved.contains(draw))
            saved.insert(draw, savedLines(draw, programFolder));
        return saved.value(draw).contains(line);
    };
    QVector<QString> draws;
    QVector<NumberSet> lines;
    for (const QStringList &row : slateRows) {
        draws.append(row.value(0).trimmed());
        lines.append(numbersOf(row));
    }

    QVector<SlateLineCheck> checks(slateRows.size());
    for (int row = 0; row < slateRows.size(); ++row) {
        if (draws[row].isEmpty() || lines[row] == 0)
            continue;
        if (savedFromSlate.value(row) && isSaved(draws[row], lines[row]))
            checks[row].state = SlateLineCheck::State::Saved;
    }
    for (int row = 0; row < slateRows.size(); ++row) {
        SlateLineCheck &check = checks[row];
        if (draws[row].isEmpty() || lines[row] == 0 || check.state == SlateLineCheck::State::Saved)
            continue;
        for (int other = 0; other < slateRows.size() && check.sameAs < 0; ++other) {
            if (other != row && checks[other].state != SlateLineCheck::State::Saved &&
                draws[other] == draws[row] && lines[other] == lines[row])
                check.sameAs = other;
        }
        if (check.sameAs >= 0 || isSaved(draws[row], lines[row]))
            check.state = SlateLineCheck::State::Repeat;
    }
    return checks;
}

namespace
{

const QString kRepeatNotice = QStringLiteral("同じ組合せが既にあります");

} // namespace

QString repeatNotice(const SlateLineCheck &check)
{
    if (check.state != SlateLineCheck::State::Repeat)
        return QString();
    const QString what = check.sameAs >= 0 ? QStringLiteral("%1口目").arg(check.sameAs + 1)
                                           : QStringLiteral("保存済みの申込み数字");
    return kRepeatNotice + QStringLiteral("（%1と同じ）。").arg(what);
}

bool isRepeatNotice(const QString &text)
{
    return text.startsWith(kRepeatNotice);
}
