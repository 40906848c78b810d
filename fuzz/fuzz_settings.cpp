// Fuzzes the settings readers with arbitrary INI content: any file reads as some values within
// the fields' ranges, never a crash.
#include "core/platform/Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Loto6Yorune.ini"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    const AppSettings settings(path);
    (void)settings.readWindowPosition();
    const PickSettings pick = settings.readPickSettings();
    if (pick.autoNum < kPickFieldMin || pick.autoNum > kPickFieldMax ||
        pick.rangeNum < kPickFieldMin || pick.rangeNum > kPickFieldMax)
        std::abort(); // a stored option could start a run the fields would not allow
    (void)settings.readDownloadSettings();
    return 0;
}
