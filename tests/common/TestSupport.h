#pragma once

#include "gui/FindControl.h"
#include "gui/Main.h"
#include "gui/PageContext.h"

#include <QApplication>
#include <QByteArray>
#include <QFileDevice>
#include <QMap>
#include <QMessageBox>
#include <QObject>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <array>
#include <functional>
#include <initializer_list>
#include <memory>

// Shared helpers of the window tests.

class PanelLabel;
class QColor;
class QLabel;
class QToolButton;
class StringGrid;
class TSplashForm;

// The parts of the main window that several tests look at, found by their objectNames: the
// board's families ("SpeedButton" + n, "Panel" + n, "Image" + k), the waiting window and the
// page context (the history loaded and the program-wide pick values).
QToolButton *speedButton(const TMainForm &form, int n);
PanelLabel *numberPanel(const TMainForm &form, int n);
QLabel *pickedImage(const TMainForm &form, int k);
TSplashForm *splashWindow(const TMainForm &form);
PageContext &pageContext(const TMainForm &form);

// Every control of type T below root, or every one named name: for checks over a family.
template <typename T> QList<T *> controls(const QObject &root, const QString &name = QString())
{
    return root.findChildren<T *>(name);
}

// The one top-level window with that objectName, as T (a window of its own, such as the
// About box, is no child of the main window). Fails as control<T>() does.
template <typename T> T *topLevelControl(const QString &name)
{
    QList<T *> found;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == name)
            if (auto *typed = qobject_cast<T *>(widget))
                found.append(typed);
    if (found.size() != 1)
        qFatal("%d top-level windows named \"%s\" of the type asked for", int(found.size()),
               qPrintable(name));
    return found.first();
}

// The push buttons in sight without an access key or with the key of another one.
QStringList accessKeyFaults(const QWidget &window);

// Whether the row's cells (columns 1 to 6) show the colour, or red, in text or ground, in the
// grid as painted.
bool paintedIn(StringGrid *grid, int row, const QColor &colour);
bool paintedRed(StringGrid *grid, int row);

// The dynamic properties that the window or any object in it holds, other than the controls'
// "tag": the state a page keeps is its own, not hung on its controls.
QStringList heldProperties(const QObject &root);

// Presses the numbers' buttons on the board, as the player does; decide() then presses "決定".
void pick(TMainForm &form, std::initializer_list<int> numbers);
void decide(TMainForm &form, std::initializer_list<int> numbers);

// Answers the modal message boxes that appear while it lives: records each box's caption,
// text and icon, then presses the next queued answer (or the box's default button when none
// is queued). Other modal windows are left alone. The bundled history is older than today, so
// the question before a line for a draw over by the calendar is answered "go on" and not
// recorded, unless a test asks to see it (askPastTheCalendar).
class MessageBoxWatcher : public QObject
{
    Q_OBJECT
public:
    struct Box {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton defaultButton;
        QString shown; // the text as the box shows it: its lines broken by U+2028
    };

    explicit MessageBoxWatcher(QObject *parent = nullptr);

    void queueAnswer(QMessageBox::StandardButton answer) { m_answers.enqueue(answer); }
    ~MessageBoxWatcher() override;
    void askPastTheCalendar();
    // Runs before each box is answered, while it is shown.
    void whileShown(std::function<void()> look) { m_look = std::move(look); }
    const QList<Box> &boxes() const { return m_boxes; }
    QStringList texts() const;
    void clear() { m_boxes.clear(); }

private:
    void poll();

    QTimer m_timer;
    QQueue<QMessageBox::StandardButton> m_answers;
    QList<Box> m_boxes;
    std::function<void()> m_look;
    bool m_asksPastTheCalendar = false;
};

// A temporary program folder: "download/" with the bundled history (unless told otherwise)
// and "client/".
class ProgramFolder
{
public:
    explicit ProgramFolder(bool withBundledHistory = true);

    QString path() const; // with trailing "/"
    QString file(const QString &relative) const { return path() + relative; }
    void write(const QString &relative, const QByteArray &content) const;
    QByteArray read(const QString &relative) const;

private:
    QTemporaryDir m_dir;
};

// A file or folder that refuses changes while this lives: by its permissions or, for root,
// whom permissions do not stop, by the immutable attribute where the file system has it.
// locked() tells whether it worked; the old state is restored at the end.
class LockedPath
{
public:
    explicit LockedPath(const QString &path);
    ~LockedPath();
    LockedPath(const LockedPath &) = delete;
    LockedPath &operator=(const LockedPath &) = delete;
    bool locked() const { return m_locked; }

private:
    bool writable() const;
    bool attributeAllowsChange() const;
    void waitForAttribute(bool on) const;
    QString m_path;
    QFileDevice::Permissions m_permissions;
    bool m_immutable = false;
    bool m_locked = false;
};

// True for a Windows program that Wine runs: where Wine's Windows differs from Windows, a test
// says so by this.
bool runningUnderWine();

// Every file below a folder with a checksum of its content, to show that nothing changed.
QMap<QString, QByteArray> folderSnapshot(const QString &folder);

// The bundled results files of the source tree.
QString bundledDataFolder();
QByteArray bundledFile(const QString &name);
// [p][n]: how often n was the main number at position p (0..5) in the bundled history.
std::array<std::array<int, 44>, 6> bundledPositionCounts();

// Points the user's settings, the program's and Qt's own, at a fresh temporary folder (call
// before creating windows). Returns the path of the INI file the program then uses.
QString isolateSettings(const QTemporaryDir &dir);

// The base of the tests of one part of the main window. Before every test function the
// settings point at a fresh temporary folder (m_iniPath), and prepare() runs; by default it
// makes a program folder with the bundled history (m_folder) and shows a main window on it
// (m_form). A test class that needs another start overrides prepare() (not as a slot), sets
// m_folder up if it likes, and calls startWindow() itself.
class WindowTest : public QObject
{
    Q_OBJECT
public:
    WindowTest();
    ~WindowTest() override;

protected:
    virtual void prepare() { startWindow(); }
    void startWindow(); // a new window on m_folder, made first when there is none

    std::unique_ptr<QTemporaryDir> m_settingsDir;
    QString m_iniPath;
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<TMainForm> m_form;

private slots:
    void init();
    void cleanup();
};
