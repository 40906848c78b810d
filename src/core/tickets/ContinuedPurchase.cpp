#include "ContinuedPurchase.h"

#include "core/common/DomainError.h"
#include "core/tickets/SlateSave.h"

ContinuedSave continuedSave(const QString &programFolder, const QVector<ExpectedDraw> &draws,
                            const QVector<QStringList> &rows)
{
    if (rows.isEmpty() || draws.isEmpty())
        throw DomainError(QStringLiteral("保存する対象のデータがありません。"));
    ContinuedSave save;
    for (const ExpectedDraw &draw : draws) {
        const QString number = QString::number(draw.number);
        QVector<QStringList> lines = rows;
        for (QStringList &line : lines)
            line[0] = number;
        const std::optional<QString> path = ticketFilePath(programFolder, number);
        if (!path)
            throw DomainError(QStringLiteral("開催回が決まっていないため、保存できません。"));
        save.appends.append({*path, slateLinesText(lines)});
    }
    const QString first = QStringLiteral("第%1回").arg(draws.first().number);
    const QString span = draws.size() == 1 ? first + QStringLiteral("に")
                                           : QStringLiteral("%1～第%2回の%3回分、各")
                                                 .arg(first)
                                                 .arg(draws.last().number)
                                                 .arg(draws.size());
    save.report = span + QStringLiteral("%1口を保存しました（%2）。")
                             .arg(rows.size())
                             .arg(purchaseText(int(rows.size() * draws.size())));
    return save;
}
