#include "Main.h"
#include "ComFunction.h"
#include "QtTranslations.h"
#include "SingleInstance.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Pelmora"));
    QCoreApplication::setApplicationName(QStringLiteral("Loto6Yorune"));
    installJapaneseQtTexts();

    // A second start of the same program file ends at once, silently.
    SingleInstanceGuard guard(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    if (!guard.acquire())
        return 0;

    TMainForm mainForm;
    mainForm.show();
    return app.exec();
}
