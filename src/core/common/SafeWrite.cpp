#include "core/common/SafeWrite.h"

#include "core/common/DomainError.h"
#include "core/common/FileErrors.h"

#include <QDir>

void stageWholeFile(QSaveFile &file, const QByteArray &content, const QString &shownPath)
{
    if (!file.open(QIODevice::WriteOnly))
        throw DomainError(fileErrorMessage(QStringLiteral("に書き込めません"), shownPath, file));
    if (file.write(content) != content.size() || !file.flush()) {
        const QString reason =
            writeFailureReason(file, content.size(), bytesFreeBeside(file.fileName()));
        file.cancelWriting();
        throw DomainError(QStringLiteral("ファイル「%1」に書き込めません（%2）。")
                              .arg(QDir::toNativeSeparators(shownPath), reason));
    }
}

void commitStaged(QSaveFile &file, const QString &shownPath)
{
    if (!file.commit())
        throw DomainError(QStringLiteral("ファイル「%1」を保存できません（%2）。")
                              .arg(QDir::toNativeSeparators(shownPath),
                                   writeFailureReason(file, 1, bytesFreeBeside(file.fileName()))));
}

void writeWholeFile(const QString &path, const QByteArray &content, const QString &shownPath)
{
    QSaveFile file(path);
    stageWholeFile(file, content, shownPath);
    commitStaged(file, shownPath);
}
