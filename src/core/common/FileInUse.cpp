#include "core/common/FileInUse.h"

#include "core/common/DomainError.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <QStringList>
#include <qt_windows.h>
#include <restartmanager.h>
#include <vector>

namespace
{

// True when opening the file for replacing fails because another handle does not share it.
bool heldOpen(const std::wstring &path)
{
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return false;
    }
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// The programs that hold the file, as Windows' Restart Manager names them (this one left out).
QStringList holders(const std::wstring &path)
{
    QStringList names;
    DWORD session = 0;
    WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
    if (RmStartSession(&session, 0, key) != ERROR_SUCCESS)
        return names;
    LPCWSTR files[] = {path.c_str()};
    UINT needed = 0;
    UINT count = 0;
    DWORD reasons = 0;
    if (RmRegisterResources(session, 1, files, 0, nullptr, 0, nullptr) == ERROR_SUCCESS &&
        RmGetList(session, &needed, &count, nullptr, &reasons) == ERROR_MORE_DATA && needed > 0) {
        std::vector<RM_PROCESS_INFO> info(needed);
        count = needed;
        if (RmGetList(session, &needed, &count, info.data(), &reasons) == ERROR_SUCCESS) {
            for (UINT i = 0; i < count; ++i) {
                const QString name = QString::fromWCharArray(info[i].strAppName).trimmed();
                if (info[i].Process.dwProcessId != GetCurrentProcessId() && !name.isEmpty() &&
                    !names.contains(name))
                    names.append(name);
            }
        }
    }
    RmEndSession(session);
    return names;
}

} // namespace
#endif

std::optional<QString> fileHeldOpenMessage(const QString &path, const QString &shownPath)
{
#ifdef Q_OS_WIN
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    if (!heldOpen(native))
        return std::nullopt;
    const QStringList programs = holders(native);
    const QString who =
        programs.isEmpty()
            ? QStringLiteral("ほかのプログラム（表計算ソフトやウイルス対策ソフトなど）")
            : QStringLiteral("「%1」").arg(programs.join(QStringLiteral("」「")));
    return QStringLiteral("ファイル「%1」は%2が開いているため、書き換えられません。"
                          "そのプログラムでファイルを閉じてから、もう一度お試しください。")
        .arg(QDir::toNativeSeparators(shownPath), who);
#else
    Q_UNUSED(path);
    Q_UNUSED(shownPath);
    return std::nullopt;
#endif
}

void ensureNotHeldOpen(const QString &path, const QString &shownPath)
{
    if (const auto message = fileHeldOpenMessage(path, shownPath))
        throw DomainError(*message);
}
