#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// A second start of the program asks the running one to come to the front: the running
// program listens under a name of its own for the user, the program file and its data folder
// (the single-instance guard's name), and a second start sends it one word before it ends.
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

signals:
    void frontRequested();

private:
    QLocalServer m_server;
};
