#include "core/picking/DuplicateLines.h"

#include "core/common/ComType.h"
#include "core/results/PastDraws.h"
#include "core/tickets/TicketFile.h"

#include <QHash>

namespace
{

// The numbers of a slate row as a set, by the rule of every line; 0 when it is no valid line.
NumberSet numbersOf(const QStringList &cells)
{
    return readTicketLine(ticketLineOf(cells)).numbers;
}

// The valid lines saved for the draw, as number sets. A file that cannot be read holds none
// here; why goes to *unreadable.
QVector<NumberSet> savedLines(const QString &draw, const QString &programFolder,
                              QStringList *unreadable)
{
    QVector<NumberSet> lines;
    const auto path = ticketFilePath(programFolder, draw);
    if (!path)
        return lines;
    QString reason;
    for (const TicketLine &saved : readAllTicketLines(*path, &reason)) {
        if (saved.valid() && saved.draw == drawNumberKey(draw))
            lines.append(saved.numbers);
    }
    if (!reason.isEmpty() && unreadable)
        unreadable->append(QStringLiteral("client/%1.csv を読めません：%2").arg(draw, reason));
    return lines;
}

} // namespace

QVector<SlateLineCheck> checkSlateLines(const QVector<QStringList> &slateRows,
                                        const QVector<bool> &savedFromSlate,
                                        const QString &programFolder, QStringList *unreadable)
{
    QHash<QString, QVector<NumberSet>> saved; // per draw, read when first needed
    const auto isSaved = [&](const QString &draw, NumberSet line) {
        if (!saved.contains(draw))
            saved.insert(draw, savedLines(draw, programFolder, unreadable));
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
        if (savedFromSlate.value(row))
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
