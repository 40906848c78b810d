// The program's start-up as a process, for the start-up benchmark: the same sequence as the
// program (application, main window, first showing with the results load), then it prints
// its peak resident memory (KiB) and ends at once: taking the window down again is no part
// of a start.

#include "gui/Main.h"

#include <QApplication>
#include <QFile>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    TMainForm form(args.value(1));
    form.show();
    QCoreApplication::processEvents();
    // VmHWM belongs to this program image alone; getrusage would also count the memory of the
    // process that started it, from before the exec.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                std::printf("%s\n", line.mid(6).trimmed().split(' ').value(0).constData());
    }
    std::fflush(stdout);
    std::_Exit(0);
}
