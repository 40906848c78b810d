#include "core/common/FileIdentity.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <sys/stat.h>
#endif

std::optional<FileIdentity> fileIdentity(const QString &path)
{
#ifdef Q_OS_WIN
    // Opened for no access at all: asking who a file is needs no right to read it.
    const std::wstring name = path.toStdWString();
    HANDLE handle =
        CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(handle, &info);
    CloseHandle(handle);
    if (!known)
        return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
#else
    struct stat info;
    if (stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileIdentity{quint64(info.st_dev), quint64(info.st_ino)};
#endif
}
