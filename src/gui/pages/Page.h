#pragma once

#include <QString>
#include <QWidget>

// A page of the main window's page control. The page knows what the status bar tells the
// player while it is up and what it must read again when it comes up, so the window's page
// change holds nothing of any page.
class Page : public QWidget
{
public:
    using QWidget::QWidget;

    // The guidance of the status bar while the page is up.
    virtual QString guide() const = 0;
    // The page was brought up: what it shows may have changed while it was hidden.
    virtual void activated() {}
    // The window came back to the front with the page up: another program may have changed
    // the files it shows.
    virtual void windowActivated() {}
};
