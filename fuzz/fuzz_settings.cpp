// Fuzzes the settings readers with arbitrary INI content: any file reads as some values,
// never a crash.
#include "app/Settings.h"

#include <QFile>
#include <QTemporaryDir>

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
    (void)settings.readPickSettings();
    (void)settings.readDownloadSettings();
    return 0;
}
