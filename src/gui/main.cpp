#include "gui/Main.h"
#include "core/platform/DataFolder.h"
#include "core/platform/EndRequest.h"
#include "core/platform/SingleInstance.h"
#include "gui/services/ComFunction.h"
#include "gui/services/FrontRequests.h"
#include "gui/services/QtTranslations.h"
#include "gui/widgets/Pictures.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Pelmora"));
    QCoreApplication::setApplicationName(QStringLiteral("Loto6Yorune"));
    // Every window carries the program's icon; the desktop matches it with the menu entry.
    QApplication::setWindowIcon(applicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("loto6yorune"));
    installJapaneseQtTexts();

    // A second start of the same program file ends at once, silently, and brings the running
    // window to the front.
    const QString programFile = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    SingleInstanceGuard guard(programFile);
    if (!guard.acquire()) {
        FrontRequests::ask(programFile);
        return 0;
    }
    FrontRequests frontRequests(programFile);

    // Beside the program when that folder is writable, else the player's own data folder.
    const DataFolders folders = chooseDataFolders(
        defaultProgramFolder(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    // Nor does a start on a data folder that another instance is using.
    if (!guard.acquireDataFolder(folders.dataFolder))
        return 0;
    for (const QString &error : folders.errors)
        showErrorMessage(nullptr, error);

    TMainForm mainForm(folders.dataFolder, folders.installFolder);
    QObject::connect(&frontRequests, &FrontRequests::frontRequested, &mainForm,
                     &TMainForm::bringToFront);
    const EndRequestWatcher endRequests([&mainForm] { mainForm.close(); });
    mainForm.show();
    return app.exec();
}
