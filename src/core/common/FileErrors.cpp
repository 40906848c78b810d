#include "core/common/FileErrors.h"

#include "core/common/FileInUse.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

QString fileErrorReason(const QFileDevice &file)
{
    QString reason;
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        reason = QStringLiteral("アクセスが拒否されました");
        break;
    case QFileDevice::ResourceError:
        reason = QStringLiteral("ディスクの空き容量またはシステムの資源が不足しています");
        break;
    case QFileDevice::ReadError:
        reason = QStringLiteral("読み込み中にエラーが発生しました");
        break;
    case QFileDevice::WriteError:
        reason = QStringLiteral("書き込み中にエラーが発生しました");
        break;
    case QFileDevice::OpenError:
        reason = QStringLiteral("ファイルを開けませんでした");
        break;
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
        reason = QStringLiteral("ファイルを置き換えられませんでした");
        break;
    case QFileDevice::RemoveError:
        reason = QStringLiteral("ファイルを削除できませんでした");
        break;
    case QFileDevice::TimeOutError:
        reason = QStringLiteral("時間切れになりました");
        break;
    default:
        reason = QStringLiteral("ファイル操作に失敗しました");
        break;
    }
    const QString system = file.errorString();
    if (!system.isEmpty())
        reason += QStringLiteral("：") + system;
    return reason;
}

namespace
{

// "ファイル「…」<what>（<reason>）。", unless another program holds the file open (Windows
// refuses to replace or remove it then): that message names the program instead.
QString failureMessage(const QString &what, const QString &path, const QFileDevice &file,
                       const QString &reason)
{
    if (!file.isOpen() && !file.fileName().isEmpty())
        if (const auto held = fileHeldOpenMessage(file.fileName(), path))
            return *held;
    return QStringLiteral("ファイル「%1」%2（%3）。")
        .arg(QDir::toNativeSeparators(path), what, reason);
}

// The bytes free for the player in the folder that holds path; -1 when unknown.
qint64 bytesFreeBeside(const QString &path)
{
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    return storage.isValid() ? storage.bytesAvailable() : -1;
}

} // namespace

QString fileErrorMessage(const QString &what, const QString &path, const QFileDevice &file)
{
    return failureMessage(what, path, file, fileErrorReason(file));
}

QString writeFailureReason(const QFileDevice &file, qint64 needed, qint64 available)
{
    if (available >= 0 && available < needed)
        return QStringLiteral("ディスクの空き容量が足りません");
    return fileErrorReason(file);
}

QString writeErrorMessage(const QString &what, const QString &path, const QFileDevice &file,
                          qint64 needed)
{
    return failureMessage(what, path, file,
                          writeFailureReason(file, needed, bytesFreeBeside(file.fileName())));
}
