#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>

MessageBoxWatcher::MessageBoxWatcher(QObject *parent) : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxWatcher::poll);
    m_timer.start(10);
}

QStringList MessageBoxWatcher::texts() const
{
    QStringList result;
    for (const Box &box : m_boxes)
        result.append(box.text);
    return result;
}

void MessageBoxWatcher::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || box->property("answeredByWatcher").toBool())
        return;
    box->setProperty("answeredByWatcher", true);
    QAbstractButton *defaultButton = box->defaultButton();
    m_boxes.append({box->windowTitle(), box->text(), box->icon(),
                    defaultButton ? box->standardButton(defaultButton) : QMessageBox::NoButton});
    QAbstractButton *press = defaultButton;
    if (!m_answers.isEmpty()) {
        if (QAbstractButton *wanted = box->button(m_answers.dequeue()))
            press = wanted;
    }
    if (press)
        press->click();
    else
        box->reject();
}

ProgramFolder::ProgramFolder(bool withBundledHistory)
{
    QDir root(m_dir.path());
    root.mkdir(QStringLiteral("download"));
    root.mkdir(QStringLiteral("client"));
    if (withBundledHistory) {
        for (const QString &name :
             {QStringLiteral("Loto6Number.csv"), QStringLiteral("Loto6Data.csv")})
            QFile::copy(bundledDataFolder() + name, path() + QStringLiteral("download/") + name);
    }
}

QString ProgramFolder::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

void ProgramFolder::write(const QString &relative, const QByteArray &content) const
{
    QFile out(file(relative));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(out.fileName()));
    out.write(content);
}

QByteArray ProgramFolder::read(const QString &relative) const
{
    QFile in(file(relative));
    if (!in.open(QIODevice::ReadOnly))
        return QByteArray();
    return in.readAll();
}

QString bundledDataFolder()
{
    return QStringLiteral(LOTO6_BUNDLED_DATA_DIR "/");
}

QByteArray bundledFile(const QString &name)
{
    QFile file(bundledDataFolder() + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("bundled file %s missing", qPrintable(name));
    return file.readAll();
}

QString isolateSettings(const QTemporaryDir &dir)
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    return dir.path() + QStringLiteral("/Pelmora/Loto6Yorune.ini");
}
