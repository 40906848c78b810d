#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// A second start of the program asks the running one to come to the front: the running
// program listens under a name of its own for the user and the program file, and a second
// start sends it one word before it ends.
class FrontRequests : public QObject
{
    Q_OBJECT
public:
    // Listens for the program file of that name (the running instance, which holds the
    // single-instance guard, so a name left by a crashed run is its own to take over).
    explicit FrontRequests(const QString &executableFileName, QObject *parent = nullptr);

    bool isListening() const { return m_server.isListening(); }

    // Asks the running instance of the program file to come to the front. True when it took
    // the request; false when none listens (it may still be starting).
    static bool ask(const QString &executableFileName);

    // Beside the single-instance lock in the user's runtime folder; on Windows a pipe named
    // after the program file and the user.
    static QString serverName(const QString &executableFileName);

signals:
    void frontRequested();

private:
    QLocalServer m_server;
};
