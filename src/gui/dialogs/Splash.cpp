#include "gui/dialogs/Splash.h"

#include "gui/services/ComFunction.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

TSplashForm::TSplashForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("しばらくおまちください…"));
    setModal(false);
    QFont base(QStringLiteral("ＭＳ ゴシック"));
    base.setPixelSize(15);
    setFont(base);
    setFixedSize(385, 80);

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(0, 17, 385, 41);
    lblTitle->setAlignment(Qt::AlignCenter);
    QFont bold = base;
    bold.setBold(true);
    lblTitle->setFont(bold);
    QPalette pal = lblTitle->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 128));
    lblTitle->setPalette(pal);
}

void TSplashForm::showWithText(const QString &text)
{
    lblTitle->setText(text);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    repaint();
    catchUp();
}

SplashScope::SplashScope(TSplashForm *splash, const QString &text) : m_splash(splash)
{
    m_splash->showWithText(text);
}

SplashScope::~SplashScope()
{
    close();
}

void SplashScope::close()
{
    m_splash->hide();
}
