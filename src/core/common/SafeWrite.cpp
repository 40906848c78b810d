#include "core/common/SafeWrite.h"

#include "core/common/DomainError.h"
#include "core/common/FileErrors.h"

void stageWholeFile(QSaveFile &file, const QByteArray &content, const QString &shownPath)
{
    if (!file.open(QIODevice::WriteOnly))
        throw DomainError(fileErrorMessage(QStringLiteral("に書き込めません"), shownPath, file));
    if (file.write(content) != content.size() || !file.flush()) {
        const QString message =
            writeErrorMessage(QStringLiteral("に書き込めません"), shownPath, file, content.size());
        file.cancelWriting();
        throw DomainError(message);
    }
}

void commitStaged(QSaveFile &file, const QString &shownPath)
{
    if (!file.commit())
        throw DomainError(
            writeErrorMessage(QStringLiteral("を保存できません"), shownPath, file, 1));
}

void writeWholeFile(const QString &path, const QByteArray &content, const QString &shownPath)
{
    QSaveFile file(path);
    stageWholeFile(file, content, shownPath);
    commitStaged(file, shownPath);
}
