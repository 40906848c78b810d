#include "TestSupport.h"

#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/dialogs/Splash.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QToolButton>

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
    if (m_look)
        m_look();
    QAbstractButton *defaultButton = box->defaultButton();
    // The text as written, without the line breaks the box was given to show it in.
    m_boxes.append(
        {box->windowTitle(), QString(box->text()).remove(QChar::LineSeparator), box->icon(),
         defaultButton ? box->standardButton(defaultButton) : QMessageBox::NoButton, box->text()});
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
    // INI files on every system, so that on Windows too each test has settings of its own
    // rather than the registry that every test program shares.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    // Where Qt itself would keep settings of its own (they must not appear there).
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    return dir.path() + QStringLiteral("/Pelmora/Loto6Yorune.ini");
}

LockedPath::LockedPath(const QString &path) : m_path(path)
{
    m_permissions = QFile::permissions(path);
    const bool folder = QFileInfo(path).isDir();
    QFile::setPermissions(path, folder ? QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser |
                                             QFile::ExeUser
                                       : QFile::ReadOwner | QFile::ReadUser);
    if (writable() &&
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0)
        m_immutable = true;
    m_locked = !writable();
}

LockedPath::~LockedPath()
{
    if (m_immutable)
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
    QFile::setPermissions(m_path, m_permissions);
}

bool LockedPath::writable() const
{
    if (QFileInfo(m_path).isDir()) {
        QFile probe(m_path + QStringLiteral("/probe"));
        if (!probe.open(QIODevice::WriteOnly))
            return false;
        probe.remove();
        return true;
    }
    QFile file(m_path);
    return file.open(QIODevice::ReadWrite | QIODevice::Append);
}

QMap<QString, QByteArray> folderSnapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        const QByteArray sum =
            file.open(QIODevice::ReadOnly)
                ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                : QByteArray("unreadable");
        files.insert(QDir(folder).relativeFilePath(path), sum);
    }
    return files;
}

QToolButton *speedButton(const TMainForm &form, int n)
{
    return control<QToolButton>(form, QStringLiteral("SpeedButton%1").arg(n));
}

PanelLabel *numberPanel(const TMainForm &form, int n)
{
    return control<PanelLabel>(form, QStringLiteral("Panel%1").arg(n));
}

QLabel *pickedImage(const TMainForm &form, int k)
{
    return control<QLabel>(form, QStringLiteral("Image%1").arg(k));
}

TSplashForm *splashWindow(const TMainForm &form)
{
    return control<TSplashForm>(form, QStringLiteral("SplashForm"));
}

PageContext &pageContext(const TMainForm &form)
{
    return *control<PageContext>(form, QStringLiteral("PageContext"));
}

void pick(TMainForm &form, std::initializer_list<int> numbers)
{
    for (int n : numbers)
        speedButton(form, n)->click();
}

bool paintedIn(StringGrid *grid, int row, const QColor &colour)
{
    const QImage image = grid->viewport()->grab().toImage();
    const QRect cells = grid->visualRect(grid->cells()->index(row, 1))
                            .united(grid->visualRect(grid->cells()->index(row, 6)));
    for (int y = cells.top(); y <= cells.bottom(); ++y) {
        for (int x = cells.left(); x <= cells.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - colour.red()) + qAbs(c.green() - colour.green()) +
                    qAbs(c.blue() - colour.blue()) <
                40)
                return true;
        }
    }
    return false;
}

bool paintedRed(StringGrid *grid, int row)
{
    return paintedIn(grid, row, QColor(255, 0, 0));
}

void decide(TMainForm &form, std::initializer_list<int> numbers)
{
    pick(form, numbers);
    control<QPushButton>(form, "btnSelect")->click();
}

std::array<std::array<int, 44>, 6> bundledPositionCounts()
{
    std::array<std::array<int, 44>, 6> counts{};
    for (const QByteArray &line : bundledFile(QStringLiteral("Loto6Number.csv")).split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split(',');
        if (fields.size() < 8)
            break;
        for (int p = 0; p < 6; ++p)
            ++counts[p][fields.at(2 + p).toInt()];
    }
    return counts;
}

WindowTest::WindowTest() = default;
WindowTest::~WindowTest() = default;

void WindowTest::startWindow()
{
    if (!m_folder)
        m_folder = std::make_unique<ProgramFolder>();
    m_form.reset(); // the window before, if any, goes first
    m_form = std::make_unique<TMainForm>(m_folder->path());
    m_form->show();
}

void WindowTest::init()
{
    m_settingsDir = std::make_unique<QTemporaryDir>();
    m_iniPath = isolateSettings(*m_settingsDir);
    prepare();
}

void WindowTest::cleanup()
{
    m_form.reset();
    m_folder.reset();
}
