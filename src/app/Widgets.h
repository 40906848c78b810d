#pragma once

#include <QLabel>
#include <QWidget>

class QTabBar;

// A panel: text in a bevelled frame. It may also serve as a button (it emits clicked).
class PanelLabel : public QLabel
{
    Q_OBJECT
public:
    explicit PanelLabel(QWidget *parent = nullptr);

    // Raised (normal) or lowered (sunk) bevel.
    void setLowered(bool lowered);
    bool isLowered() const;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// A tab strip over a client area, whose children lie below the tabs. Changing the selected
// tab emits currentChanged; the children stay as they are.
class TabControl : public QWidget
{
    Q_OBJECT
public:
    explicit TabControl(QWidget *parent = nullptr);

    QTabBar *tabBar() const { return m_tabs; }
    void setTabs(const QStringList &captions);
    int currentIndex() const;
    int count() const;

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QTabBar *m_tabs;
    bool m_replacing = false;
};
