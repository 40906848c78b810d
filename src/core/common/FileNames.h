#pragma once

#include <Qt>

// How the file system compares names: on Windows "2038.CSV" and "2038.csv" name one file.
#ifdef Q_OS_WIN
inline constexpr Qt::CaseSensitivity kFileNameCase = Qt::CaseInsensitive;
#else
inline constexpr Qt::CaseSensitivity kFileNameCase = Qt::CaseSensitive;
#endif
