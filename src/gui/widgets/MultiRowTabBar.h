#pragma once

#include <QTabBar>
#include <QTabWidget>
#include <QVector>

// A tab bar that wraps its tabs onto several rows when they do not fit, as the page control
// of a Windows dialog does: the rows fill the whole width, the row holding the selected tab
// lies next to the page, and a tab lights up under the mouse.
class MultiRowTabBar : public QTabBar
{
    Q_OBJECT
public:
    explicit MultiRowTabBar(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The place of tab i as drawn (tabRect() keeps QTabBar's single-row idea).
    QRect wrappedTabRect(int index) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void tabLayoutChange() override;

private:
    int rowHeight() const;
    int availableWidth() const;
    QVector<QVector<int>> rows() const;
    QVector<QRect> layoutTabs() const;
    int tabAtPoint(const QPoint &point) const;

    int m_hover = -1;
};

// Ctrl+Tab and Ctrl+Shift+Tab change the tab widget's page from whatever has the focus in
// its window, as on Windows (a spin box, a list or a control outside the tab widget takes the
// keys for itself otherwise). Lives as long as the tab widget.
void changePagesFromAnywhere(QTabWidget *tabs);

// The page control of the main window: a tab widget whose tabs wrap onto several rows, whose
// pages change by Ctrl+Tab from anywhere in its window.
class PageControl : public QTabWidget
{
    Q_OBJECT
public:
    explicit PageControl(QWidget *parent = nullptr);
};
