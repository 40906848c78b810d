#pragma once

#include <QDir>
#include <QFile>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

// Puts something at path that is there but is not a regular file: a FIFO, which blocks whoever
// opens it to read; on Windows, which has no FIFOs in its folders, a folder. True when made.
inline bool makeNotRegularFile(const QString &path)
{
#ifdef Q_OS_WIN
    return QDir().mkdir(path);
#else
    return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#endif
}
