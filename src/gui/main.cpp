#include "gui/Main.h"
#include "core/platform/DataFolder.h"
#include "core/platform/EndRequest.h"
#include "core/platform/ErrorOutput.h"
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

    // Beside the program when that folder is writable, else the player's own data folder.
    const DataFolders folders = chooseDataFolders(
        defaultProgramFolder(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));

    // A second start of the same program file on the same data folder ends at once, silently,
    // and brings the running window to the front. A copy with a data folder of its own starts.
    const QString programFile = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const QString instance = SingleInstanceGuard::instanceName(programFile, folders.dataFolder);
    SingleInstanceGuard guard(instance);
    if (!guard.acquire()) {
        FrontRequests::ask(instance);
        return 0;
    }
    FrontRequests frontRequests(instance);
    frontRequests.answerAsHolderOf(folders.dataFolder);

    // Nor does a start on a data folder that another instance is using, from another session
    // or another computer (a portable folder on a stick, a shared folder); it says why. A lock
    // that a crash on another computer left can be taken over by the player; one that an
    // instance of this computer left is taken over, said in the status bar.
    DataFolderHolder holder;
    QString startNote;
    const HolderQuestion answers = [&folders](qint64 pid) {
        return FrontRequests::askHolder(folders.dataFolder, pid);
    };
    switch (guard.acquireDataFolder(folders.dataFolder, &holder, answers)) {
    case DataFolderLock::Taken:
        break;
    case DataFolderLock::TakenOver:
        startNote = dataFolderTakenOverText();
        writeErrorLine(startNote + QStringLiteral("（プロセス %1）").arg(holder.pid));
        break;
    case DataFolderLock::HeldHere: {
        const QString text = dataFolderHolderText(folders.dataFolder, holder) +
                             QStringLiteral("\nそちらを終了してから、もう一度起動してください。");
        writeErrorLine(text);
        showErrorMessage(nullptr, text);
        return 1;
    }
    case DataFolderLock::HeldElsewhere: {
        const QString text =
            dataFolderHolderText(folders.dataFolder, holder) +
            QStringLiteral(
                "\nそのコンピューターでロト６ヨルネが動いていないことを確かめてください。"
                "使用中の記録を解除して起動しますか？");
        writeErrorLine(text);
        if (!askConfirmation(nullptr, text))
            return 1;
        if (!guard.takeDataFolderOver(folders.dataFolder)) {
            showErrorMessage(nullptr, QStringLiteral("使用中の記録を解除できませんでした。"));
            return 1;
        }
        break;
    }
    }
    for (const QString &error : folders.errors)
        showErrorMessage(nullptr, error);

    TMainForm mainForm(folders.dataFolder, folders.installFolder);
    QObject::connect(&frontRequests, &FrontRequests::frontRequested, &mainForm,
                     &TMainForm::bringToFront);
    const EndRequestWatcher endRequests([&mainForm] { mainForm.close(); });
    mainForm.show();
    if (!startNote.isEmpty())
        mainForm.showStatusNote(startNote);
    return app.exec();
}
