#include "TestSupport.h"

#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/dialogs/Splash.h"
#include "gui/widgets/StringGrid.h"
#include "gui/widgets/Widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>
#include <QToolButton>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace
{

// The bundled history is older than today: a question before a line for a draw over by the
// calendar is answered "go on" in every window test, unless a watcher asked to see it.
bool g_askPastTheCalendar = false;

bool isPastDrawQuestion(const QMessageBox *box)
{
    return box && box->text()
                      .remove(QChar::LineSeparator)
                      .contains(QStringLiteral("暦では抽選が終わっています"));
}

void goOnPastTheCalendar()
{
    auto *timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (g_askPastTheCalendar || !isPastDrawQuestion(box))
            return;
        box->button(QMessageBox::No)->click();
    });
    timer->start(10);
}
Q_COREAPP_STARTUP_FUNCTION(goOnPastTheCalendar)

} // namespace

void MessageBoxWatcher::askPastTheCalendar()
{
    m_asksPastTheCalendar = g_askPastTheCalendar = true;
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    if (m_asksPastTheCalendar)
        g_askPastTheCalendar = false;
}

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
    if (!g_askPastTheCalendar && isPastDrawQuestion(box))
        return; // answered "go on" (see goOnPastTheCalendar)
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

namespace
{
#ifdef Q_OS_WIN
// Under Wine a Windows program reaches the system's own file names through two functions that
// Wine adds to kernel32; on Windows they are missing, and both give an empty text.
template <typename Function> Function wineFunction(const char *name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

QString systemNameOf(const QString &windowsPath)
{
    const auto convert =
        wineFunction<char *(__cdecl *)(const wchar_t *)>("wine_get_unix_file_name");
    const QString native = QDir::toNativeSeparators(windowsPath);
    char *name = convert ? convert(reinterpret_cast<const wchar_t *>(native.utf16())) : nullptr;
    const QString result = name ? QString::fromUtf8(name) : QString();
    if (name)
        HeapFree(GetProcessHeap(), 0, name);
    return result;
}

QString windowsNameOf(const QString &systemPath)
{
    const auto convert = wineFunction<wchar_t *(__cdecl *)(const char *)>("wine_get_dos_file_name");
    wchar_t *name = convert ? convert(systemPath.toUtf8().constData()) : nullptr;
    const QString result = name ? QString::fromWCharArray(name) : QString();
    if (name)
        HeapFree(GetProcessHeap(), 0, name);
    return result;
}
#endif

// Sets or clears the immutable attribute, which stops root too; false where it cannot be had.
// Under Wine true means only that the change was started.
// A Windows program under Wine runs the system's chattr on the file's own name there.
bool setImmutable(const QString &path, bool on)
{
    const QString flag = on ? QStringLiteral("+i") : QStringLiteral("-i");
#ifdef Q_OS_WIN
    const QString program = windowsNameOf(QStringLiteral("/usr/bin/chattr"));
    const QString target = systemNameOf(path);
    if (program.isEmpty() || target.isEmpty())
        return false;
    // Started by its own file name: Wine runs a system program so, not through a search.
    std::wstring application = program.toStdWString();
    std::wstring line = QStringLiteral("chattr %1 \"%2\"").arg(flag, target).toStdWString();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.data(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return false;
    // Wine cannot wait for a system program: the caller sees when it has worked.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
#else
    return QProcess::execute(QStringLiteral("chattr"), {flag, path}) == 0;
#endif
}
} // namespace

LockedPath::LockedPath(const QString &path) : m_path(path)
{
    m_permissions = QFile::permissions(path);
    const bool folder = QFileInfo(path).isDir();
    QFile::setPermissions(path, folder ? QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser |
                                             QFile::ExeUser
                                       : QFile::ReadOwner | QFile::ReadUser);
    if (writable() && setImmutable(path, true)) {
        m_immutable = true;
        waitForAttribute(true);
    }
    m_locked = !writable();
}

// The attribute goes first: while it stands, the permissions cannot change, and a file left
// read-only is one that Windows will not delete.
LockedPath::~LockedPath()
{
    if (m_immutable && setImmutable(m_path, false))
        waitForAttribute(false);
    QFile::setPermissions(m_path, m_permissions);
}

// Waits, at most 15 seconds, until the attribute is as asked: under Wine chattr runs on its own.
void LockedPath::waitForAttribute(bool on) const
{
    QDeadlineTimer deadline(15000);
    while (attributeAllowsChange() == on && !deadline.hasExpired())
        QThread::msleep(20);
}

// Under Wine the immutable attribute lands while the program goes on. The folder probe of
// writable() takes two steps, and an attribute landing between them would leave the probe
// file in the locked folder, where the next probe finds it writable. So under Wine a folder
// is asked in one step that changes nothing: whether its times can be set to what they are.
// Owners may set times without write permission, so this tells the attribute only.
bool LockedPath::attributeAllowsChange() const
{
#ifdef Q_OS_WIN
    if (QFileInfo(m_path).isDir()) {
        const std::wstring path = QDir::toNativeSeparators(m_path).toStdWString();
        HANDLE folder = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (folder == INVALID_HANDLE_VALUE)
            return false;
        FILETIME created, accessed, written;
        const bool changed = GetFileTime(folder, &created, &accessed, &written) &&
                             SetFileTime(folder, &created, &accessed, &written);
        CloseHandle(folder);
        return changed;
    }
#endif
    return writable();
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

bool runningUnderWine()
{
#ifdef Q_OS_WIN
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
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

QStringList heldProperties(const QObject &root)
{
    QStringList names;
    QList<const QObject *> objects{&root};
    for (const QObject *object : root.findChildren<QObject *>())
        objects.append(object);
    for (const QObject *object : objects) {
        for (const QByteArray &name : object->dynamicPropertyNames()) {
            if (name != "tag" && !names.contains(QString::fromLatin1(name)))
                names.append(QString::fromLatin1(name));
        }
    }
    return names;
}

void decide(TMainForm &form, std::initializer_list<int> numbers)
{
    pick(form, numbers);
    const bool active = form.isActiveWindow();
    control<QPushButton>(form, "btnSelect")->click();
    // Back from a question about a draw over by the calendar, the window takes the keyboard
    // again, as a desktop gives it back.
    if (active && !form.isActiveWindow())
        QApplication::setActiveWindow(&form);
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
