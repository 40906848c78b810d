#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// A second start of the program asks the running one to come to the front: the running
// program listens under a name of its own for the user, the program file and its data folder
// (the single-instance guard's name), and a second start sends it one word before it ends.
//
// A start that finds the data folder's lock asks the process it names whether it holds the
// folder: the holder listens under a name of the folder and its own process number, for every
// user and every copy of the program, and a process that merely got the number of an instance
// that has ended does not answer there.
class FrontRequests : public QObject
{
    Q_OBJECT
public:
    // Listens under the guard's name (the running instance holds the single-instance guard,
    // so a name left by a crashed run is its own to take over).
    explicit FrontRequests(const QString &name, QObject *parent = nullptr);

    bool isListening() const { return m_server.isListening(); }

    // Asks the running instance of that guard's name to come to the front. True when it took
    // the request; false when none listens (it may still be starting).
    static bool ask(const QString &name);

    // Beside the single-instance lock in the user's runtime folder; on Windows a pipe named
    // after the guard's name and the user.
    static QString serverName(const QString &name);

    // Answers as the holder of dataFolder from now on (before it takes the lock, so that no
    // start that finds the lock goes unanswered).
    void answerAsHolderOf(const QString &dataFolder);
    // Whether the process pid of this computer answers as the holder of dataFolder.
    static bool askHolder(const QString &dataFolder, qint64 pid);
    static QString holderServerName(const QString &dataFolder, qint64 pid);

signals:
    void frontRequested();

private:
    QLocalServer m_server;
    QLocalServer m_holder;
};
