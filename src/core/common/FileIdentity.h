#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Which file a path reaches, as the file system knows it: its device and its number there
// (inode; on Windows the volume serial number and the file index). Two paths with one identity
// are one file, whatever links or mounts lie between them.
struct FileIdentity {
    quint64 device = 0;
    quint64 node = 0;
    bool operator==(const FileIdentity &other) const
    {
        return device == other.device && node == other.node;
    }
};

// The identity of the file or folder that path reaches, links followed; nothing when there is
// none (or it cannot be asked).
std::optional<FileIdentity> fileIdentity(const QString &path);
