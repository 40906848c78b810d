#include "core/analysis/TrendCounts.h"

#include "core/common/DomainError.h"

#include <algorithm>

QStringList trendKindTexts()
{
    return {
        QStringLiteral("抽選数字の傾向グラフ(直近１０回分)"),
        QStringLiteral("抽選数字の傾向グラフ(直近２０回分)"),
        QStringLiteral("抽選数字の傾向グラフ(直近３０回分)"),
        QStringLiteral("抽選数字の傾向グラフ(直近４０回分)"),
        QStringLiteral("抽選数字の傾向グラフ(直近５０回分)"),
        QStringLiteral("抽選数字の傾向グラフ(全データ)"),
        QStringLiteral("基本数字①の個別傾向グラフ(全データ)"),
        QStringLiteral("基本数字②の個別傾向グラフ(全データ)"),
        QStringLiteral("基本数字③の個別傾向グラフ(全データ)"),
        QStringLiteral("基本数字④の個別傾向グラフ(全データ)"),
        QStringLiteral("基本数字⑤の個別傾向グラフ(全データ)"),
        QStringLiteral("基本数字⑥の個別傾向グラフ(全データ)"),
    };
}

int trendDrawCount(int kind, int historyRows)
{
    if (kind == kFirstPositionKind - 1)
        return historyRows;
    return qMin(10 * (kind + 1), historyRows);
}

TrendValues countAppearances(const QVector<DrawRecord> &rows, int drawCount)
{
    TrendValues values{};
    const int last = qMin(drawCount, static_cast<int>(rows.size()));
    for (int r = 0; r < last; ++r) {
        for (const QString &text : rows.at(r).main) {
            bool ok = false;
            const int n = text.trimmed().toInt(&ok);
            if (!ok || n < kLotoMin || n > kLotoMax)
                throw DomainError(
                    QStringLiteral("抽選数字「%1」(第%2回)は 1 から 43 の数ではありません")
                        .arg(text, rows.at(r).caption.trimmed()));
            ++values[n - 1];
        }
    }
    return values;
}

TrendValues trendValues(int kind, const QVector<DrawRecord> &rows, const BaseCountTable &counts)
{
    if (isAppearanceKind(kind))
        return countAppearances(rows, trendDrawCount(kind, static_cast<int>(rows.size())));
    TrendValues values{};
    if (kind >= kFirstPositionKind && kind < kTrendKinds) {
        const auto &row = counts.at(kind - kFirstPositionKind);
        std::copy(row.begin(), row.end(), values.begin());
    }
    return values;
}
