#include "ContinuedPurchase.h"

#include "core/common/DomainError.h"
#include "core/tickets/SlateSave.h"

ContinuedSave continuedSave(const QString &programFolder, const QVector<ExpectedDraw> &draws,
                            const QVector<LotoLine> &lines)
{
    if (lines.isEmpty() || draws.isEmpty())
        throw DomainError(QStringLiteral("保存する対象のデータがありません。"));
    ContinuedSave save;
    for (const ExpectedDraw &draw : draws) {
        QVector<LotoLine> ofDraw;
        for (const LotoLine &line : lines) {
            const std::optional<LotoLine> moved = line.forDraw(draw.number);
            if (!moved)
                throw DomainError(QStringLiteral("開催回が決まっていないため、保存できません。"));
            ofDraw.append(*moved);
        }
        save.appends.append({ticketFilePath(programFolder, draw.number), ticketLinesText(ofDraw)});
    }
    const QString first = QStringLiteral("第%1回").arg(draws.first().number);
    const QString span = draws.size() == 1 ? first + QStringLiteral("に")
                                           : QStringLiteral("%1～第%2回の%3回分、各")
                                                 .arg(first)
                                                 .arg(draws.last().number)
                                                 .arg(draws.size());
    save.report = span + QStringLiteral("%1口を保存しました（%2）。")
                             .arg(lines.size())
                             .arg(purchaseText(int(lines.size() * draws.size())));
    return save;
}
