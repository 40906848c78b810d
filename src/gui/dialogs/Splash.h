#pragma once

#include <QDialog>

class QLabel;

// The small waiting window shown during start-up, the download and the export.
class TSplashForm : public QDialog
{
    Q_OBJECT
public:
    explicit TSplashForm(QWidget *parent = nullptr);

    QLabel *lblTitle;

    // Shows the window with the given text, not modal, and paints it at once.
    void showWithText(const QString &text);
};

// Shows the splash window for its lifetime and hides it on every way out.
class SplashScope
{
public:
    SplashScope(TSplashForm *splash, const QString &text);
    ~SplashScope();
    SplashScope(const SplashScope &) = delete;
    SplashScope &operator=(const SplashScope &) = delete;

    // Hides the window before the scope ends: the message that tells how the operation
    // ended stands alone.
    void close();

private:
    TSplashForm *m_splash;
};
