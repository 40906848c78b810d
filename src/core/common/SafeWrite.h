#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <functional>

// Safe replacement of a file: the new content goes to a temporary copy and replaces the file
// only once all of it is on disk, so a failure leaves the old file as it was. Failures raise
// DomainError naming shownPath (the path as the player knows it) and the reason in Japanese.

// Opens the save file and writes the whole content into its temporary copy. The bytes are
// flushed here: a short write (a full disk) shows only then, and commit() would not report it.
void stageWholeFile(QSaveFile &file, const QByteArray &content, const QString &shownPath);

// Replaces the target with the staged copy.
void commitStaged(QSaveFile &file, const QString &shownPath);

// The step that replaces a file by its staged copy, for the writers that replace several files
// as one: the program passes commitStaged; a test passes a step that fails at the n-th file.
using CommitStep = std::function<void(QSaveFile &file, const QString &shownPath)>;

// Both steps for one file.
void writeWholeFile(const QString &path, const QByteArray &content, const QString &shownPath);
