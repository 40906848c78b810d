#include "core/tickets/SlateSave.h"

#include "core/common/ComType.h"
#include "core/common/Formats.h"

#include <algorithm>

QVector<int> drawnDrawsOf(const QVector<QStringList> &rows, int comingDraw)
{
    QVector<int> drawn;
    for (const QStringList &row : rows) {
        bool isNumber = false;
        const int draw = row.value(0).toInt(&isNumber);
        if (isNumber && draw < comingDraw && !drawn.contains(draw))
            drawn.append(draw);
    }
    std::sort(drawn.begin(), drawn.end());
    return drawn;
}

QString drawnDrawsQuestion(const QVector<int> &drawn, int lines, int comingDraw)
{
    QStringList names;
    for (int draw : drawn)
        names.append(QStringLiteral("第%1回").arg(draw));
    const QString coming = QStringLiteral("第%1回").arg(comingDraw);
    return QStringLiteral(
               "%1は抽選が終わっていて、抽選結果があります（保存していない申込み数字 %2口）。\n"
               "次回の%3の申込みとして保存しますか？\n\n"
               "「はい」：%3として保存します。\n"
               "「いいえ」：%1のまま保存します。\n"
               "「キャンセル」：保存しません。")
        .arg(names.join(QStringLiteral("、")))
        .arg(lines)
        .arg(coming);
}

QVector<QStringList> movedToComingDraw(QVector<QStringList> rows, const QVector<int> &drawn,
                                       int comingDraw)
{
    for (QStringList &row : rows) {
        bool isNumber = false;
        const int draw = row.value(0).toInt(&isNumber);
        if (isNumber && drawn.contains(draw))
            row[0] = QString::number(comingDraw);
    }
    return rows;
}

QString purchaseText(int lines)
{
    return QStringLiteral("計%1口 %2")
        .arg(formatGrouped(lines))
        .arg(formatYen(double(lines) * kLinePriceYen));
}

QString saveSummary(const QVector<QPair<QString, int>> &linesPerDraw)
{
    QStringList parts;
    int total = 0;
    for (const auto &[draw, lines] : linesPerDraw) {
        parts.append(QStringLiteral("第%1回に%2口").arg(draw).arg(lines));
        total += lines;
    }
    return parts.join(QStringLiteral("、")) +
           QStringLiteral("を保存しました（%1）。").arg(purchaseText(total));
}
