#pragma once

#include <QFileDevice>
#include <QString>

// Japanese text for a failed file operation, e.g.
// "ファイル「client/700.csv」に書き込めません（アクセスが拒否されました）。"
// what: the failed action with its particle ("を開けません", "に書き込めません", ...).
QString fileErrorMessage(const QString &what, const QString &path, const QFileDevice &file);

// The reason of a file error in Japanese, followed by the system's own words.
QString fileErrorReason(const QFileDevice &file);

// The reason of a failed write of `needed` bytes into a folder with `available` bytes free (-1
// when unknown): a disk without room for them is said to be full, whatever words the system
// found for it (a write cut short by a full disk is often reported as an unknown error).
QString writeFailureReason(const QFileDevice &file, qint64 needed, qint64 available);

// As fileErrorMessage, for a write of `needed` bytes into the file: a disk without room for
// them is said to be full.
QString writeErrorMessage(const QString &what, const QString &path, const QFileDevice &file,
                          qint64 needed);
