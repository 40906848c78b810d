// A continued save into ten draws' ticket files, killed at random moments: run by
// tools/savekill.sh, which kills the saving process with SIGKILL and then checks the folder as
// the next start finds it.
//
//   loto6_savekill save <folder>            saves one line for draws 2039..2048, again and
//                                           again, until it is killed
//   loto6_savekill check <folder> [--raw]   completes a save cut short as the start does
//                                           (--raw: looks without completing it), then says
//                                           "ok <saves>" when every file holds as many lines
//                                           and no temporary file is left, else "mixed ..."

#include "core/common/DomainError.h"
#include "core/results/DrawCalendar.h"
#include "core/tickets/ContinuedPurchase.h"
#include "core/tickets/TicketWrite.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <cstdio>

namespace
{

constexpr int kDraws = 10;

int save(const QString &folder)
{
    QVector<ExpectedDraw> draws;
    for (int i = 0; i < kDraws; ++i)
        draws.append({2039 + i, QDate(2025, 9, 29).addDays(i * 3)});
    const QVector<LotoLine> lines{*LotoLine::fromText(QStringLiteral("2039,01,02,03,04,05,06"))};
    for (;;)
        appendTicketLines(continuedSave(folder, draws, lines).appends);
}

int check(const QString &folder, bool raw)
{
    const QString client = folder + kClientFolder;
    if (!raw)
        finishTicketSave(client);
    QStringList counts;
    bool same = true;
    int first = -1;
    for (int i = 0; i < kDraws; ++i) {
        const int lines = static_cast<int>(
            readAllTicketLines(client + QString::number(2039 + i) + QStringLiteral(".csv")).size());
        counts.append(QString::number(lines));
        same = same && (first < 0 || lines == first);
        if (first < 0)
            first = lines;
    }
    // Anything but the ten files (and, unrepaired, the journal and the staged copies) is a file
    // left over.
    QStringList left = QDir(client).entryList(QDir::Files | QDir::Hidden);
    left.removeIf([raw](const QString &name) {
        return isTicketFileName(name) || name == kTicketJournalName ||
               (raw && isStagedCopyName(name));
    });
    const bool ok = same && left.isEmpty();
    std::printf("%s %s%s\n", ok ? "ok" : "mixed", qPrintable(counts.join(QLatin1Char(' '))),
                left.isEmpty() ? "" : qPrintable(QStringLiteral(" left: ") + left.join(' ')));
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString folder = QDir(args.at(2)).absolutePath() + QLatin1Char('/');
    try {
        if (args.at(1) == QLatin1String("save"))
            return save(folder);
        return check(folder, args.contains(QStringLiteral("--raw")));
    } catch (const DomainError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 3;
    }
}
