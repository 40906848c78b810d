#include "core/picking/DuplicateLines.h"

#include "core/common/ComType.h"
#include "core/results/PastDraws.h"
#include "core/tickets/SavedLines.h"
#include "core/tickets/TicketFile.h"

#include <QHash>
#include <QSet>

namespace
{

// The valid lines saved for the draw, as number sets. A file that cannot be read holds none
// here; why goes to *unreadable.
QVector<NumberSet> savedLines(int draw, const QString &programFolder, QStringList *unreadable)
{
    QVector<NumberSet> lines;
    QString reason;
    for (const TicketLine &saved :
         readAllTicketLines(ticketFilePath(programFolder, draw), &reason)) {
        if (saved.line && saved.line->draw() == draw)
            lines.append(saved.line->numbers());
    }
    if (!reason.isEmpty() && unreadable)
        unreadable->append(
            unreadableFileText(QString::number(draw) + QStringLiteral(".csv"), reason));
    return lines;
}

} // namespace

QVector<SlateLineCheck> checkSlateLines(const Slate &slate, const QString &programFolder,
                                        QStringList *unreadable)
{
    QHash<int, QVector<NumberSet>> saved; // per draw, read when first needed
    QSet<int> unread;                     // the draws whose file cannot be read
    const auto inFile = [&](int draw, NumberSet numbers) {
        if (!saved.contains(draw)) {
            QStringList why;
            saved.insert(draw, savedLines(draw, programFolder, &why));
            if (!why.isEmpty())
                unread.insert(draw);
            if (unreadable)
                *unreadable += why;
        }
        return saved.value(draw).contains(numbers);
    };
    const auto isSaved = [&](const LotoLine &line) { return inFile(line.draw(), line.numbers()); };
    const QVector<LotoLine> lines = slate.lines();
    QVector<SlateLineCheck> checks(lines.size());
    for (int row = 0; row < lines.size(); ++row) {
        if (!slate.isSaved(row))
            continue;
        // Saved while one of its draws' files still holds it (or cannot tell, unread).
        checks[row].state = SlateLineCheck::State::Cancelled;
        for (const int draw : slate.savedFor(row)) {
            if (inFile(draw, lines[row].numbers()) || unread.contains(draw))
                checks[row].state = SlateLineCheck::State::Saved;
        }
    }
    for (int row = 0; row < lines.size(); ++row) {
        SlateLineCheck &check = checks[row];
        if (check.state != SlateLineCheck::State::New)
            continue;
        for (int other = 0; other < lines.size() && check.sameAs < 0; ++other) {
            if (other != row && !slate.isSaved(other) && lines[other] == lines[row])
                check.sameAs = other;
        }
        if (check.sameAs >= 0 || isSaved(lines[row]))
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

SlateReview reviewSlate(const Slate &slate, const QString &programFolder)
{
    SlateReview review;
    review.lines = checkSlateLines(slate, programFolder, &review.unreadable);
    return review;
}

QString SlateReview::countText() const
{
    const auto counted = [this](SlateLineCheck::State state) {
        return std::count_if(lines.begin(), lines.end(),
                             [state](const SlateLineCheck &c) { return c.state == state; });
    };
    QStringList kept;
    if (const auto saved = counted(SlateLineCheck::State::Saved); saved > 0)
        kept.append(QStringLiteral("保存済み%1口").arg(saved));
    if (const auto cancelled = counted(SlateLineCheck::State::Cancelled); cancelled > 0)
        kept.append(QStringLiteral("取消済み%1口").arg(cancelled));
    QString count = QString::number(lines.size()) + QStringLiteral("口");
    if (!kept.isEmpty())
        count += QStringLiteral("（%1）").arg(kept.join(QStringLiteral("、")));
    return count;
}
