#include "core/platform/DataFolder.h"

#include "core/common/DomainError.h"
#include "core/common/FileErrors.h"
#include "core/common/FileIdentity.h"
#include "core/common/FileNames.h"
#include "core/common/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace
{

QString withSlash(const QString &folder)
{
    QString path = QDir::cleanPath(folder);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

// Copies the bundled results files that the player's download/ lacks.
void seed(const QString &from, const QString &to, QStringList *errors)
{
    const QStringList names = QDir(from).entryList(QDir::Files, QDir::Name);
    for (const QString &name : names) {
        if (QFileInfo::exists(to + name))
            continue; // the player's own copy, perhaps newer: never replaced
        QFile source(from + name);
        if (!source.open(QIODevice::ReadOnly)) {
            errors->append(fileErrorMessage(QStringLiteral("を開けません"), from + name, source));
            continue;
        }
        try {
            // A half-written copy would count as present next time, so it goes in whole or not.
            writeWholeFile(to + name, source.readAll(), QDir::toNativeSeparators(to + name));
        } catch (const DomainError &e) {
            errors->append(e.message());
        }
    }
}

// True for a copy that Windows' installer put there: its folder belongs to the installer even
// where this user could write there, so that the player's data never lands among the program's
// files. A copy installed for one player lies in the player's own folder (%LOCALAPPDATA%\Programs
// or one the player chose) with the uninstaller beside it; one in a "Program Files" folder is
// installed for everybody (an administrator, or Wine, could write there).
bool installedCopy(const QString &program)
{
#ifdef Q_OS_WIN
    if (QFileInfo::exists(program + QStringLiteral("uninstall.exe")))
        return true;
    for (const char *variable : {"ProgramFiles", "ProgramW6432", "ProgramFiles(x86)"}) {
        const QString folder = qEnvironmentVariable(variable);
        if (!folder.isEmpty() && program.startsWith(withSlash(folder), Qt::CaseInsensitive))
            return true;
    }
#else
    Q_UNUSED(program);
#endif
    return false;
}

} // namespace

bool canWriteIn(const QString &folder)
{
    QTemporaryFile probe(withSlash(folder) + QStringLiteral("write-probe-XXXXXX"));
    return probe.open(); // removed again when probe goes
}

DataFolders chooseDataFolders(const QString &programFolder, const QString &perUserFolder)
{
    DataFolders folders;
    const QString program = withSlash(programFolder);
    const QString shared = withSlash(program + kInstalledShareFolder);
    const bool installedUnderPrefix = QFileInfo(shared + kDownloadFolder).isDir();
    folders.installFolder = installedUnderPrefix ? shared : program;

    if (!installedUnderPrefix && !installedCopy(program) && canWriteIn(program)) {
        folders.dataFolder = program;
        folders.portable = true;
        return folders;
    }

    if (perUserFolder.isEmpty()) {
        folders.dataFolder = program;
        folders.errors.append(QStringLiteral("データを保存するフォルダが見つかりません。"));
        return folders;
    }
    folders.dataFolder = withSlash(perUserFolder);
    const QString download = folders.dataFolder + kDownloadFolder;
    if (!QDir().mkpath(download)) {
        folders.errors.append(QStringLiteral("フォルダ「%1」を作成できません。")
                                  .arg(QDir::toNativeSeparators(download)));
        return folders;
    }
    seed(folders.installFolder + kDownloadFolder, download, &folders.errors);
    return folders;
}

bool isInProgramData(const QString &path, const QString &dataFolder, const QString &installFolder)
{
    // Compared as the file system has them, links resolved; a folder not there yet as written.
    const auto real = [](const QString &folder) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        return QDir::cleanPath(canonical.isEmpty() ? QFileInfo(folder).absoluteFilePath()
                                                   : canonical) +
               QLatin1Char('/');
    };
    // The file the name reaches: a link is followed to its target, also one whose target is
    // not there yet (the write would create it there).
    QFileInfo file(path);
    for (int hops = 0; file.isSymLink() && hops < 40; ++hops)
        file = QFileInfo(QDir(file.absolutePath()).absoluteFilePath(file.symLinkTarget()));
    const QString target = real(file.absolutePath());
    const QStringList folders = {dataFolder + kClientFolder.chopped(1),
                                 dataFolder + kDownloadFolder.chopped(1),
                                 installFolder + kDownloadFolder.chopped(1)};
    for (const QString &folder : folders) {
        if (target.startsWith(real(folder), kFileNameCase))
            return true;
    }
    // The same file or folder reached another way.
    const std::optional<FileIdentity> fileId = fileIdentity(file.absoluteFilePath());
    const std::optional<FileIdentity> folderId = fileIdentity(file.absolutePath());
    for (const QString &folder : folders) {
        const std::optional<FileIdentity> id = fileIdentity(folder);
        if (!id)
            continue;
        if (folderId && *folderId == *id)
            return true;
        if (!fileId)
            continue;
        const QDir dir(folder);
        const QStringList names = dir.entryList(QDir::Files | QDir::System | QDir::Hidden);
        for (const QString &name : names) {
            if (fileIdentity(dir.filePath(name)) == fileId)
                return true;
        }
    }
    return false;
}
