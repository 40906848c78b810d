#include "SyntheticHistory.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <array>

SyntheticHistory makeSyntheticHistory(int drawCount)
{
    QRandomGenerator random(20001005u);
    SyntheticHistory history;
    history.draws.reserve(drawCount * 40);
    history.prizes.reserve(drawCount * 70);
    const QDate first(2000, 10, 5);
    for (int draw = drawCount; draw >= 1; --draw) {
        std::array<int, 43> pool;
        for (int n = 0; n < 43; ++n)
            pool[static_cast<size_t>(n)] = n + 1;
        std::shuffle(pool.begin(), pool.end(), random);
        // A draw's six numbers stand in ascending order, as the program requires; the seventh
        // is the bonus.
        std::sort(pool.begin(), pool.begin() + 6);
        const QDate date = first.addDays(3LL * (draw - 1));
        history.draws +=
            QByteArray::number(draw) + ',' + date.toString(QStringLiteral("yyyy/MM/dd")).toLatin1();
        for (int k = 0; k < 7; ++k)
            history.draws += ',' + QByteArray::number(pool[static_cast<size_t>(k)]);
        history.draws += "\r\n";

        history.prizes += QByteArray::number(draw);
        for (int tier = 0; tier < 5; ++tier) {
            history.prizes += ',' + QByteArray::number(random.bounded(1000, 600000000)) + ',' +
                              QByteArray::number(random.bounded(0, 200000));
        }
        history.prizes += ',' + QByteArray::number(random.bounded(0, 900000000)) + "\r\n";
    }
    return history;
}

void writeSyntheticHistory(const QString &programFolder, const SyntheticHistory &history)
{
    QDir().mkpath(programFolder + QStringLiteral("/download"));
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(programFolder + QStringLiteral("/download/") + name);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    };
    write(QStringLiteral("Loto6Number.csv"), history.draws);
    write(QStringLiteral("Loto6Data.csv"), history.prizes);
}
