#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// Turns a request to end the program from outside (SIGTERM from a logout, a service manager or
// kill; SIGHUP when its terminal goes; SIGINT from Ctrl+C) into an ordinary close of the main
// window, so the settings are written as when the player closes it. Without this the system
// would end the process on the spot. On Windows the desktop already closes windows through
// their messages, and nothing is watched. A second request ends the program at once, as
// without the watcher. One watcher a process.
class EndRequestWatcher : public QObject
{
    Q_OBJECT
public:
    explicit EndRequestWatcher(std::function<void()> close, QObject *parent = nullptr);
    ~EndRequestWatcher() override;

private:
    void received();

    std::function<void()> m_close;
    QSocketNotifier *m_notifier = nullptr;
};
