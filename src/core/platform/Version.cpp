#include "core/platform/Version.h"

#include <BuildInfo.h>

#ifdef Q_OS_WIN
#include <QCoreApplication>
#include <qt_windows.h>
#include <vector>
#endif

namespace
{

#ifdef Q_OS_WIN
// The FileVersion of the program file's version resource; empty when it has none.
QString resourceVersion()
{
    const std::wstring path = QCoreApplication::applicationFilePath().toStdWString();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0)
        return QString();
    std::vector<char> buffer(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, buffer.data()))
        return QString();
    wchar_t *text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(buffer.data(), L"\\StringFileInfo\\041103A4\\FileVersion",
                        reinterpret_cast<void **>(&text), &length) ||
        text == nullptr)
        return QString();
    return QString::fromWCharArray(text).trimmed();
}
#endif

} // namespace

QString readFileVersion()
{
#ifdef Q_OS_WIN
    // A program file without the resource (a test program) has the version it was built with.
    const QString version = resourceVersion();
    if (!version.isEmpty())
        return version;
#endif
    return QStringLiteral(LOTO6_VERSION_TEXT);
}
