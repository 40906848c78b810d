#include "gui/services/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
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
