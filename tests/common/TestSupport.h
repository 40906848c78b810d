#pragma once

#include <QByteArray>
#include <QMessageBox>
#include <QObject>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

// Shared helpers of the window tests.

// Answers the modal message boxes that appear while it lives: records each box's caption,
// text and icon, then presses the next queued answer (or the box's default button when none
// is queued). Other modal windows are left alone.
class MessageBoxWatcher : public QObject
{
    Q_OBJECT
public:
    struct Box {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButton defaultButton;
    };

    explicit MessageBoxWatcher(QObject *parent = nullptr);

    void queueAnswer(QMessageBox::StandardButton answer) { m_answers.enqueue(answer); }
    const QList<Box> &boxes() const { return m_boxes; }
    QStringList texts() const;
    void clear() { m_boxes.clear(); }

private:
    void poll();

    QTimer m_timer;
    QQueue<QMessageBox::StandardButton> m_answers;
    QList<Box> m_boxes;
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

// The bundled results files of the source tree.
QString bundledDataFolder();
QByteArray bundledFile(const QString &name);

// Points the user's settings at a fresh temporary folder (call before creating windows).
// Returns the path of the INI file the program then uses.
QString isolateSettings(const QTemporaryDir &dir);
