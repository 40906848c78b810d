#pragma once

#include <QLabel>
#include <QProxyStyle>
#include <QToolButton>
#include <QWidget>

class QTabBar;
class QPainter;

// The program's mark of the keyboard's place: a dotted frame two pixels wide inside the
// rectangle, in the given colour (the text's).
void drawFocusFrame(QPainter *painter, const QRect &rect, const QColor &colour);

// A panel: text in a bevelled frame. It may also serve as a button (it emits clicked). A
// checkable panel is a check box to a screen reader, checked while it is lowered.
class PanelLabel : public QLabel
{
    Q_OBJECT
public:
    explicit PanelLabel(QWidget *parent = nullptr);

    // Raised (normal) or lowered (sunk) bevel.
    void setLowered(bool lowered);
    bool isLowered() const;
    void setCheckable(bool checkable) { m_checkable = checkable; }
    bool isCheckable() const { return m_checkable; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    // With the keyboard on it, Space or Enter presses it and a dotted frame shows it.
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_checkable = false;
};

// A number of the board: its disc, and a picked number stands out, sunk in a navy frame on a
// pale ground as a pressed key. The number the keyboard is on has the dotted frame, and the
// one under the mouse a light frame.
class NumberButton : public QToolButton
{
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The look of a captioned group box as on the program's home system: the frame line runs
// through the middle of the caption, which interrupts it, so that no line passes under the
// controls placed just below the caption.
class GroupBoxStyle : public QProxyStyle
{
    Q_OBJECT
public:
    explicit GroupBoxStyle(QStyle *base);

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex *option, SubControl part,
                         const QWidget *widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget) const override;
};

// The application's style with the keyboard focus drawn plainly: a focused push button or
// tool button gets a dotted frame two pixels wide inside its edge, and every focus frame of
// the style (check boxes, radio buttons, item views) is drawn two pixels wide.
class FocusFrameStyle : public QProxyStyle
{
    Q_OBJECT
public:
    explicit FocusFrameStyle(QStyle *base);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;

    // Puts the style over the application's own, once per process.
    static void install();
};

// A panel of the status bar. Its text is drawn whole in the panel's font or, when that is too
// wide, in a font up to two pixels smaller; only a text too wide even then is cut short with
// "…", and the panel's tooltip then shows it whole.
class StatusPanel : public QLabel
{
    Q_OBJECT
public:
    explicit StatusPanel(QWidget *parent = nullptr);

    // The room the text has, and the font and text it is drawn with there.
    QRect textRect() const;
    QFont shownFont() const;
    QString shownText() const;
    // Width the panel needs to show text whole in its own font.
    int widthFor(const QString &text) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
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
