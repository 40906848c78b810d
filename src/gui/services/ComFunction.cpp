#include "gui/services/ComFunction.h"

#include "core/common/DomainError.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QUrl>
#include <QWindow>

namespace
{

// Characters that may not begin a line, and that may not end one.
const QString kNoLineStart = QStringLiteral("。、，．・：；？！ー）」』】〕…‥ぁぃぅぇぉっゃゅょゎ"
                                            "ァィゥェォッャュョヮヵヶ.,:;?!)]}%");
const QString kNoLineEnd = QStringLiteral("（「『【〔([{");
const QString kBreakAfter = QStringLiteral("。、，！？：」』）】〕…!?");

bool isKana(QChar c)
{
    return c.unicode() >= 0x3041 && c.unicode() <= 0x309F;
}

bool isLatinOrDigit(QChar c)
{
    return c.unicode() < 0x80 && (c.isLetterOrNumber() || QStringLiteral("/._-:%").contains(c));
}

// Whether a line may break between a and b.
bool mayBreakBetween(QChar a, QChar b)
{
    if (kNoLineStart.contains(b) || kNoLineEnd.contains(a))
        return false;
    if (kBreakAfter.contains(a) || a == QLatin1Char(' ') || kNoLineEnd.contains(b))
        return true;
    if (isLatinOrDigit(a) && isLatinOrDigit(b))
        return false;
    return (isKana(a) && !isKana(b)) || isLatinOrDigit(a) != isLatinOrDigit(b);
}

// The paragraph cut into phrases at every boundary where a line may break.
QStringList phrasesOf(const QString &paragraph)
{
    QStringList phrases;
    int start = 0;
    for (int i = 1; i <= paragraph.size(); ++i) {
        if (i == paragraph.size() || mayBreakBetween(paragraph.at(i - 1), paragraph.at(i))) {
            phrases.append(paragraph.mid(start, i - start));
            start = i;
        }
    }
    return phrases;
}

QStringList paragraphLines(const QString &paragraph, const QFontMetrics &metrics, int width)
{
    const auto fits = [&](const QString &line) { return metrics.horizontalAdvance(line) <= width; };
    QStringList lines{QString()};
    for (QString phrase : phrasesOf(paragraph)) {
        if (fits(lines.last() + phrase)) {
            lines.last() += phrase;
            continue;
        }
        if (!lines.last().isEmpty())
            lines.append(QString());
        // A phrase wider than a line: as many characters as fit, none that may not begin a
        // line at the start of the next.
        while (!fits(phrase)) {
            int cut = 1;
            while (cut < phrase.size() && fits(phrase.left(cut + 1)))
                ++cut;
            while (cut > 1 && kNoLineStart.contains(phrase.at(cut)))
                --cut;
            lines.last() = phrase.left(cut);
            lines.append(QString());
            phrase = phrase.mid(cut);
        }
        lines.last() = phrase;
    }
    // One or two characters carried over take more of the line above with them.
    while (lines.size() > 1 && lines.last().size() <= 2) {
        QString &above = lines[lines.size() - 2];
        int cut = above.size() - 1;
        while (cut > 1 &&
               (kNoLineStart.contains(above.at(cut)) || kNoLineEnd.contains(above.at(cut - 1))))
            --cut;
        if (cut <= 1 || !fits(above.mid(cut) + lines.last()))
            break;
        lines.last().prepend(above.mid(cut));
        above.truncate(cut);
    }
    return lines;
}

QMessageBox::StandardButton
showBox(QWidget *parent, QMessageBox::Icon icon, const QString &caption, const QString &text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
        const QList<QPair<QMessageBox::StandardButton, QString>> &labels = {})
{
    // The box keeps a text no wider than half the screen (at most 500 pixels) unbroken and
    // would break a wider one itself, anywhere between two Japanese characters. So the text
    // is broken here at phrase boundaries into lines that leave the box nothing to break: as
    // wide as the box allows beside its icon and margins, measured with a wide probe line.
    const QString probe(40, QChar(0x3000));
    QMessageBox box(icon, caption, probe, buttons, parent);
    box.setDefaultButton(defaultButton);
    for (const auto &[button, label] : labels)
        box.button(button)->setText(label);
    const int beside =
        box.layout()->totalMinimumSize().width() - box.fontMetrics().horizontalAdvance(probe);
    const int room = qMin(box.screen()->availableGeometry().width() / 2, 500) - beside;
    box.setText(breakMessageText(text, box.fontMetrics(), room - 4));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

QString breakMessageText(const QString &text, const QFontMetrics &metrics, int width)
{
    QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (QString &paragraph : paragraphs)
        paragraph = paragraphLines(paragraph, metrics, width).join(QChar::LineSeparator);
    return paragraphs.join(QLatin1Char('\n'));
}

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

void showInfoMessage(QWidget *parent, const QString &text)
{
    showBox(parent, QMessageBox::Information, QStringLiteral("ガイドメッセージ"), text,
            QMessageBox::Ok, QMessageBox::Ok);
}

bool askConfirmation(QWidget *parent, const QString &text)
{
    return showBox(parent, QMessageBox::Warning, QStringLiteral("確認メッセージ"), text,
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

Choice askChoice(QWidget *parent, const QString &text, const QStringList &labels)
{
    QList<QPair<QMessageBox::StandardButton, QString>> named;
    const QMessageBox::StandardButton order[] = {QMessageBox::Yes, QMessageBox::No,
                                                 QMessageBox::Cancel};
    for (int i = 0; i < labels.size() && i < 3; ++i)
        named.append({order[i], labels.at(i)});
    switch (showBox(parent, QMessageBox::Warning, QStringLiteral("確認メッセージ"), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel,
                    named)) {
    case QMessageBox::Yes:
        return Choice::Yes;
    case QMessageBox::No:
        return Choice::No;
    default:
        return Choice::Cancel;
    }
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

WaitCursor::WaitCursor(Qt::CursorShape shape)
{
    QGuiApplication::setOverrideCursor(shape);
}

WaitCursor::~WaitCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

InputBlock::InputBlock(QWidget *blocked, QObject *passes) : m_blocked(blocked), m_passes(passes)
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
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        break;
    default:
        return false;
    }
    if (m_blocked) {
        if (m_passes && watched == m_passes) {
            if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
                return false;
            const auto *key = static_cast<QKeyEvent *>(event);
            const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
            return !(plain && (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return ||
                               key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape));
        }
        auto *widget = qobject_cast<QWidget *>(watched);
        return widget && (widget == m_blocked || m_blocked->isAncestorOf(widget));
    }
    // The windows hand their input on to the widget under the mouse or with the focus, where
    // it is held back unless it is for `passes`.
    return !(m_passes && (watched == m_passes || qobject_cast<QWindow *>(watched)));
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
