#include "ComFunction.h"

#include "DomainError.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

namespace
{

QMessageBox::StandardButton showBox(QWidget *parent, QMessageBox::Icon icon, const QString &caption,
                                    const QString &text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void showErrorMessage(QWidget *parent, const QString &text)
{
    showBox(parent, QMessageBox::Critical, QStringLiteral("エラーメッセージ"), text,
            QMessageBox::Ok, QMessageBox::Ok);
}

void showGuideMessage(QWidget *parent, const QString &text)
{
    showBox(parent, QMessageBox::Warning, QStringLiteral("ガイドメッセージ"), text, QMessageBox::Ok,
            QMessageBox::Ok);
}

bool askConfirmation(QWidget *parent, const QString &text)
{
    return showBox(parent, QMessageBox::Warning, QStringLiteral("確認メッセージ"), text,
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void reportError(QWidget *parent, const QString &text)
{
    QString shown = text;
    if (!shown.endsWith(QStringLiteral("。")) && !shown.endsWith(QLatin1Char('.')))
        shown += QStringLiteral("。");
    showBox(parent, QMessageBox::Critical, kAppTitle, shown, QMessageBox::Ok, QMessageBox::Ok);
}

QString captureError(const std::function<void()> &step)
{
    try {
        step();
    } catch (const DomainError &e) {
        return e.message().isEmpty() ? QStringLiteral("エラーが発生しました") : e.message();
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    }
    return QString();
}

bool runGuarded(QWidget *parent, const std::function<void()> &handler)
{
    const QString error = captureError(handler);
    if (error.isEmpty())
        return true;
    reportError(parent, error);
    return false;
}

void catchUp()
{
    QCoreApplication::processEvents();
}

QString defaultProgramFolder()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

WaitCursor::WaitCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

InputBlock::InputBlock(QWidget *blocked) : m_blocked(blocked)
{
    qApp->installEventFilter(this);
}

InputBlock::~InputBlock()
{
    qApp->removeEventFilter(this);
}

bool InputBlock::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin: {
        auto *widget = qobject_cast<QWidget *>(watched);
        return widget && (widget == m_blocked || m_blocked->isAncestorOf(widget));
    }
    default:
        return false;
    }
}

bool EnterPressesButtons::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & ~Qt::KeypadModifier))
        return false;
    auto *button = qobject_cast<QAbstractButton *>(watched);
    if (!button || !button->hasFocus() || !button->isEnabled() ||
        qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button))
        return false;
    if (const auto *push = qobject_cast<QPushButton *>(button);
        push && (push->autoDefault() || push->isDefault()))
        return false;
    button->click();
    return true;
}

bool ShellOpen(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool ShellOpenUrl(const QString &url)
{
    return QDesktopServices::openUrl(QUrl(url));
}
