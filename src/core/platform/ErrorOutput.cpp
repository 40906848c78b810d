#include "core/platform/ErrorOutput.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

void writeErrorLine(const QString &text)
{
    const QString line = text + QLatin1Char('\n');
#ifdef Q_OS_WIN
    // The console's code page would lose what it cannot show; the console takes UTF-16 whole.
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (error != INVALID_HANDLE_VALUE && error && GetConsoleMode(error, &mode)) {
        DWORD written = 0;
        WriteConsoleW(error, reinterpret_cast<const wchar_t *>(line.utf16()),
                      static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
#endif
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}
