#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

// A page of the main window's page control. The page knows what the status bar tells the
// player while it is up and what it must read again when it comes up, so the window's page
// change holds nothing of any page.
//
// A page that the window does not show first builds its controls only when it is first
// needed: when it comes up (or the page control turns to it while the window is hidden). Until
// then it is an empty sheet, and what the window hands it meanwhile it reads for itself when
// it is built.
class Page : public QWidget
{
public:
    enum class Build { Now, WhenFirstShown };
    explicit Page(QWidget *parent = nullptr, Build build = Build::Now);

    // The guidance of the status bar while the page is up.
    virtual QString guide() const = 0;
    // The page was brought up: what it shows may have changed while it was hidden.
    virtual void activated() {}
    // The window came back to the front with the page up: another program may have changed
    // the files it shows.
    virtual void windowActivated() {}

    bool isBuilt() const { return m_built; }
    // Builds the controls of a page built when first shown, once.
    void build();

protected:
    // The controls of a page built when first shown, filled with what the window holds now.
    virtual void buildControls() {}
    void showEvent(QShowEvent *event) override;

private:
    bool m_built;
};

// The header of the grids that list ticket lines.
QStringList ticketGridHeader();
