#include "core/platform/Version.h"

#include <BuildInfo.h>

#ifdef Q_OS_WIN
#include <QCoreApplication>
#include <qt_windows.h>
#include <vector>
#endif

QString readFileVersion()
{
#ifdef Q_OS_WIN
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
#else
    return QStringLiteral(LOTO6_VERSION_TEXT);
#endif
}
