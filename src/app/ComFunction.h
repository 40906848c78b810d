#pragma once

#include <QString>
#include <functional>

class QWidget;

// Routines shared by the window's handlers: the message boxes, the error report, the wait
// cursor, the catch-up between steps of a long operation, and the program folder.

inline const QString kAppTitle = QStringLiteral("ロト６ヨルネ");

// "エラーメッセージ", error icon, OK.
void showErrorMessage(QWidget *parent, const QString &text);
// "ガイドメッセージ", exclamation icon, OK: guidance, refusals and success reports.
void showGuideMessage(QWidget *parent, const QString &text);
// "確認メッセージ", exclamation icon, Yes/No with No as default. True only for Yes.
bool askConfirmation(QWidget *parent, const QString &text);

// The application-wide error report: the text (a full stop appended when it has none) under
// the application title, error icon, OK.
void reportError(QWidget *parent, const QString &text);

// Runs a handler that can fail. A DomainError (or any other exception) ends it and is shown
// by the error report; nothing crosses the event loop. Returns false when it failed.
bool runGuarded(QWidget *parent, const std::function<void()> &handler);

// Runs a step that can fail and returns the error's text instead of raising it (empty when
// it succeeded), for callers that must tidy up before the error report is shown.
QString captureError(const std::function<void()> &step);

// Lets pending window messages run so that the screen stays current between steps.
void catchUp();

// The folder of the running program, with a trailing "/".
QString defaultProgramFolder();

// Shows the hourglass cursor for its lifetime, on every way out.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// Hands a local file to the desktop, which opens it with the program the user chose for it.
// The result says whether the desktop accepted it; the program carries on either way.
bool ShellOpen(const QString &path);
// Hands a web address to the user's browser, which decides itself whether to fetch it fresh.
bool ShellOpenUrl(const QString &url);
