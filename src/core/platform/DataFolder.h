#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps the player's data (download/ and client/) and where it finds what it
// ships (the bundled history in download/ and the manual).
//
// A portable copy (the program, its download/ and its manual in one writable folder) keeps
// everything beside the program, as it always has. An installed copy cannot write there: under
// /usr the shipped files lie in ../share/loto6yorune/ and the program folder belongs to the
// system; under "Program Files" the folder is not writable for the player, and a copy that the
// Windows installer put in the player's own folder (its uninstaller beside it) belongs to the
// installer. Such a copy keeps the player's data in the per-user folder, which it seeds on first
// start with the bundled history.
// The folders of the data folder: the results files, and the ticket files with claimed.csv.
inline const QString kDownloadFolder = QStringLiteral("download/");
inline const QString kClientFolder = QStringLiteral("client/");

struct DataFolders {
    QString dataFolder;    // download/ and client/, with a trailing "/"
    QString installFolder; // the bundled history and the manual, with a trailing "/"
    bool portable = false;
    QStringList errors; // what went wrong while preparing the data folder, for the player
};

// Where the shipped files lie when the program is installed under a prefix such as /usr,
// relative to the program's folder.
inline const QString kInstalledShareFolder = QStringLiteral("../share/loto6yorune/");

// Chooses the folders for a program in programFolder; perUserFolder is the player's own data
// folder (QStandardPaths::AppDataLocation). In the per-user folder the bundled results files
// are copied into download/ where they are missing; a file already there is never replaced.
DataFolders chooseDataFolders(const QString &programFolder, const QString &perUserFolder);

// True when a file can actually be created in folder. Permission bits are not enough: they do
// not stop an administrator, while a read-only mount or an immutable folder stops everyone.
bool canWriteIn(const QString &folder);

// Whether path (a file to be written) lies in the folders that hold the program's own data:
// "client/" or "download/" of the data folder or of the install folder (each with a trailing
// "/"), or a folder below them. The CSV export never writes there: a file it replaced could be a
// ticket file or a results file. The name is followed to the file it reaches, so a link to one
// of those files counts as the file; and a file or folder that is one of them by its identity
// (device and number: a hard link, a folder mounted elsewhere) counts as well.
bool isInProgramData(const QString &path, const QString &dataFolder, const QString &installFolder);
