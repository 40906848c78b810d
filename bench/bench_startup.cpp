// The program's start-up as a process, for the start-up benchmark: the same sequence as the
// program (application, main window, first showing with the results load), then it prints
// its peak resident memory in KiB and ends.

#include "app/Main.h"

#include <QApplication>
#include <cstdio>
#include <sys/resource.h>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    TMainForm form(args.value(1));
    form.show();
    QCoreApplication::processEvents();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
}
