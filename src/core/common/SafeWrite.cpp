#include "core/common/SafeWrite.h"

#include "core/common/DomainError.h"
#include "core/common/FileErrors.h"
#include "core/common/FileInUse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#ifdef Q_OS_WIN
#include <io.h>
#include <qt_windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <unistd.h>
#endif

namespace
{

const QString kStagedPrefix = QStringLiteral("~loto6yorune-");
const QString kStagedSuffix = QStringLiteral(".tmp");
constexpr int kStagedRandomChars = 6;

// The file a write of path replaces: a link is written through to the file it names, as the
// player who made the link means.
QString writtenFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
}

// The bytes on the disk itself, not in a cache that a power cut would lose.
bool flushToDisk(QFile &file)
{
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    return handle == INVALID_HANDLE_VALUE || FlushFileBuffers(handle);
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// One rename that replaces an existing target; the system's words when it fails.
bool renameOver(const QString &from, const QString &to, QString *systemError)
{
#ifdef Q_OS_WIN
    if (MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(from).utf16()),
                    reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(to).utf16()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    *systemError = qt_error_string(static_cast<int>(GetLastError()));
    return false;
#else
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    *systemError = qt_error_string(errno);
    return false;
#endif
}

} // namespace

StagedFile::StagedFile(StagedFile &&other) noexcept
    : m_target(std::move(other.m_target)), m_shownPath(std::move(other.m_shownPath)),
      m_temporary(std::exchange(other.m_temporary, QString()))
{
}

StagedFile &StagedFile::operator=(StagedFile &&other) noexcept
{
    if (this != &other) {
        if (!m_temporary.isEmpty())
            QFile::remove(m_temporary);
        m_target = std::move(other.m_target);
        m_shownPath = std::move(other.m_shownPath);
        m_temporary = std::exchange(other.m_temporary, QString());
    }
    return *this;
}

StagedFile::~StagedFile()
{
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
}

StagedFile stageWholeFile(const QString &path, const QByteArray &content, const QString &shownPath)
{
    const QString target = writtenFile(path);
    // A file the player made read-only stays as it is, although a rename could replace it.
    QFile existing(target);
    if (QFileInfo::exists(target) && !existing.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        throw DomainError(
            fileErrorMessage(QStringLiteral("に書き込めません"), shownPath, existing));
    existing.close();

    QTemporaryFile file(QFileInfo(target).absolutePath() + QLatin1Char('/') + kStagedPrefix +
                        QString(kStagedRandomChars, QLatin1Char('X')) + kStagedSuffix);
    file.setAutoRemove(false);
    if (!file.open())
        throw DomainError(fileErrorMessage(QStringLiteral("に書き込めません"), shownPath, file));
    StagedFile staged;
    staged.m_target = target;
    staged.m_shownPath = shownPath;
    staged.m_temporary = file.fileName(); // removed with `staged` from here on
    if (file.write(content) != content.size() || !flushToDisk(file))
        throw DomainError(
            writeErrorMessage(QStringLiteral("に書き込めません"), shownPath, file, content.size()));
    file.close();
    // The copy gets the permissions of the file it replaces (a new file those of any other).
    file.setPermissions(existing.exists() ? existing.permissions()
                                          : QFile::ReadOwner | QFile::WriteOwner |
                                                QFile::ReadGroup | QFile::ReadOther);
    return staged;
}

void commitStaged(StagedFile &file)
{
    QString systemError;
    if (renameOver(file.m_temporary, file.m_target, &systemError)) {
        file.m_temporary.clear();
        return;
    }
    if (const auto held = fileHeldOpenMessage(file.m_target, file.m_shownPath))
        throw DomainError(*held);
    throw DomainError(
        QStringLiteral("ファイル「%1」を保存できません（ファイルを置き換えられませんでし"
                       "た：%2）。")
            .arg(QDir::toNativeSeparators(file.m_shownPath), systemError));
}

void writeWholeFile(const QString &path, const QByteArray &content, const QString &shownPath)
{
    StagedFile file = stageWholeFile(path, content, shownPath);
    commitStaged(file);
}

void removeWholeFile(const QString &path, const QString &shownPath)
{
    QFile file(path);
    if (!file.remove())
        throw DomainError(fileErrorMessage(QStringLiteral("を削除できません"), shownPath, file));
    // Some file systems take the removal and drop it when the folder refuses it (Wine's Windows
    // on a folder that cannot change): a file still there is not called removed.
    if (QFileInfo::exists(path))
        throw DomainError(
            QStringLiteral("ファイル「%1」を削除できません（フォルダーが変更を受け付けず、"
                           "ファイルが残っています）。")
                .arg(QDir::toNativeSeparators(shownPath)));
}

bool isStagedCopyName(const QString &name)
{
    if (name.size() != kStagedPrefix.size() + kStagedRandomChars + kStagedSuffix.size() ||
        !name.startsWith(kStagedPrefix) || !name.endsWith(kStagedSuffix))
        return false;
    for (const QChar c : name.mid(kStagedPrefix.size(), kStagedRandomChars)) {
        if (!c.isLetterOrNumber() || c.unicode() > 127)
            return false;
    }
    return true;
}

void removeStagedLeftovers(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &name :
         dir.entryList({kStagedPrefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden)) {
        if (isStagedCopyName(name))
            QFile::remove(dir.filePath(name));
    }
}
