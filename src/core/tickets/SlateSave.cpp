#include "core/tickets/SlateSave.h"

#include "core/common/ComType.h"
#include "core/common/Formats.h"

#include <algorithm>

QVector<int> drawnDrawsOf(const QVector<LotoLine> &lines, int comingDraw)
{
    QVector<int> drawn;
    for (const LotoLine &line : lines) {
        if (line.draw() < comingDraw && !drawn.contains(line.draw()))
            drawn.append(line.draw());
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

SlateSaveDone saveSlate(Slate &slate, const QString &programFolder, const ClientFileReader &read)
{
    // The unsaved lines by draw, the draws in the order of their first line.
    QVector<int> draws;
    QVector<QVector<LotoLine>> linesOfDraw;
    const QVector<int> places = slate.unsaved();
    for (const int place : places) {
        const LotoLine line = slate.line(place);
        qsizetype at = draws.indexOf(line.draw());
        if (at < 0) {
            at = draws.size();
            draws.append(line.draw());
            linesOfDraw.append(QVector<LotoLine>());
        }
        linesOfDraw[at].append(line);
    }
    SlateSaveDone done;
    QVector<TicketAppend> appends;
    for (int i = 0; i < draws.size(); ++i) {
        appends.append(
            {ticketFilePath(programFolder, draws.at(i)), ticketLinesText(linesOfDraw.at(i))});
        done.files.append(shownTicketFile(draws.at(i)));
        done.linesPerDraw.append({QString::number(draws.at(i)), int(linesOfDraw.at(i).size())});
    }
    appendTicketLines(appends, commitStaged, read); // every file gets its lines or none does
    for (const int place : places)
        slate.markSaved(place, {slate.line(place).draw()});
    return done;
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
