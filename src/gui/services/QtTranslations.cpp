#include "gui/services/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>
#include <memory>

bool installJapaneseQtTexts()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    const QString name = QStringLiteral("qtbase_ja");
    if (app->findChild<QTranslator *>(name, Qt::FindDirectChildrenOnly))
        return true;
    const QStringList folders = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                 QCoreApplication::applicationDirPath() +
                                     QStringLiteral("/translations")};
    for (const QString &folder : folders) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(name, folder))
            continue;
        translator->setObjectName(name);
        translator->setParent(app); // lives as long as the application
        QCoreApplication::installTranslator(translator.release());
        return true;
    }
    return false;
}

void keepQtDialogStateOffDisk()
{
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    // Qt's dialog reads and writes QSettings(UserScope, "QtProject") in the native format,
    // whose path is its own: the program's settings (an INI file by name) are not moved.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
#endif
}
