#pragma once

#include <QFileDevice>
#include <QString>

// Japanese text for a failed file operation, e.g.
// "ファイル「client/700.csv」に書き込めません（アクセスが拒否されました）。"
// what: the failed action with its particle ("を開けません", "に書き込めません", ...).
QString fileErrorMessage(const QString &what, const QString &path, const QFileDevice &file);

// The reason of a file error in Japanese, followed by the system's own words.
QString fileErrorReason(const QFileDevice &file);
