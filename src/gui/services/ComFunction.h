#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QFontMetrics;
class QWidget;

// Routines shared by the window's handlers: the message boxes, the error report, the wait
// cursor, the catch-up between steps of a long operation, and the program folder.

inline const QString kAppTitle = QStringLiteral("ロト６ヨルネ");

// "エラーメッセージ", error icon, OK.
void showErrorMessage(QWidget *parent, const QString &text);
// "ガイドメッセージ", exclamation icon, OK: guidance and refusals.
void showGuideMessage(QWidget *parent, const QString &text);
// "ガイドメッセージ", information icon, OK: a success or plain information.
void showInfoMessage(QWidget *parent, const QString &text);
// "確認メッセージ", exclamation icon, Yes/No with No as default. True only for Yes.
bool askConfirmation(QWidget *parent, const QString &text);

// A message box's text broken into lines at most `width` wide in `metrics`, each break a line
// separator (U+2028) inserted. A paragraph (a line of the text) that does not fit is broken at
// a Japanese phrase boundary: after 。、！？： or a closing bracket, before an opening one, where
// kana give way to kanji, katakana, digits or Latin letters, or after a blank; never inside a
// run of Latin letters and digits, never before a character that may not begin a line (。、ー
// small kana, closing brackets…), and never so that one or two characters are carried over
// onto a line of their own. A phrase wider than a whole line is broken between characters.
QString breakMessageText(const QString &text, const QFontMetrics &metrics, int width);

// "確認メッセージ", exclamation icon, Yes/No/Cancel with Cancel as default: a choice between
// two ways on, or neither. labels, when given, name the buttons in that order.
enum class Choice { Yes, No, Cancel };
Choice askChoice(QWidget *parent, const QString &text, const QStringList &labels = {});

// The application-wide error report: the text (a full stop appended when it has none) under
// the application title, error icon, OK.
void reportError(QWidget *parent, const QString &text);

// Runs a handler that can fail. A DomainError (or any other exception) ends it and is shown
// by the error report; nothing crosses the event loop. Returns false when it failed.
bool runGuarded(QWidget *parent, const std::function<void()> &handler);

// The slot of a member handler that can fail: it runs through runGuarded, over the window of
// receiver. Every handler of the window, its pages and dialogs is guarded by one of these two.
template <typename Receiver> auto guardedSlot(Receiver *receiver, void (Receiver::*handler)())
{
    return [receiver, handler] {
        runGuarded(receiver->window(), [receiver, handler] { (receiver->*handler)(); });
    };
}

// Runs a step that can fail and returns the error's text instead of raising it (empty when
// it succeeded), for callers that must tidy up before the error report is shown.
QString captureError(const std::function<void()> &step);

// Lets pending window messages run so that the screen stays current between steps.
void catchUp();

// The folder of the running program, with a trailing "/".
QString defaultProgramFolder();

// Shows the hourglass cursor for its lifetime, on every way out; the busy cursor (an arrow with
// the hourglass) while the player can still stop the operation.
class WaitCursor
{
public:
    explicit WaitCursor(Qt::CursorShape shape = Qt::WaitCursor);
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// Keeps the player's mouse and key input away from a widget and everything in it for its
// lifetime, while it stays enabled: a long operation blocks the page control this way, so the
// pages keep their colours (a disabled page greys the board, the pictures and the lists just
// while the player watches the operation's progress). Without a widget it keeps the input
// away from every window. Either way the input to `passes` (a button that stops the operation)
// gets through: within a blocked widget only the mouse, its access key and the keys that press
// a button or cancel (Space, Enter, Esc), so that the focus stays on it and the page stays.
// Painting, timers and the network go on.
class InputBlock : public QObject
{
public:
    explicit InputBlock(QWidget *blocked, QObject *passes = nullptr);
    ~InputBlock() override;
    InputBlock(const InputBlock &) = delete;
    InputBlock &operator=(const InputBlock &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_blocked;
    QObject *m_passes;
};

// Enter on a focused push or tool button presses it, as Space does and as on Windows. A
// dialog's buttons that become its default when focused press themselves; others would
// otherwise pass Enter on to the dialog, which pressed its default button instead. Installed
// on the application by the main window, for every window.
class EnterPressesButtons : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Hands a local file to the desktop, which opens it with the program the user chose for it.
// The result says whether the desktop accepted it; the program carries on either way.
bool ShellOpen(const QString &path);
// Hands a web address to the user's browser, which decides itself whether to fetch it fresh.
bool ShellOpenUrl(const QString &url);
