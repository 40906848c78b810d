#include "gui/dialogs/About.h"

#include "gui/AccessibleNames.h"
#include "gui/widgets/LayoutKit.h"
#include "gui/widgets/Pictures.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <qdrawutil.h>

namespace
{

// A panel with a lowered outer and a raised inner bevel, one pixel each.
class DoubleBevelPanel : public QFrame
{
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        qDrawShadePanel(&p, rect(), palette(), true, 1);
        qDrawShadePanel(&p, rect().adjusted(1, 1, -1, -1), palette(), false, 1);
    }
};

QLabel *textLabel(QWidget *parent, const char *name, const QString &text, const QFont &font,
                  const QColor &colour)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(font);
    layout::setTextColour(l, colour);
    return l;
}

// "データの保存先：" and the folder, broken after path separators into lines that fit width;
// the first line starts with the heading. Only a path longer than three lines is shortened.
QString wrapPath(const QString &path, const QFontMetrics &metrics, int width)
{
    QStringList lines{QStringLiteral("データの保存先：")};
    QString part;
    for (int i = 0; i < path.size(); ++i) {
        part += path.at(i);
        const bool separator = path.at(i) == QLatin1Char('/') || path.at(i) == QLatin1Char('\\');
        if (!separator && i + 1 < path.size())
            continue;
        if (metrics.horizontalAdvance(lines.last() + part) > width && !lines.last().isEmpty())
            lines.append(QString());
        lines.last() += part;
        part.clear();
    }
    while (lines.size() > 3)
        lines[2] += lines.takeAt(3);
    for (QString &line : lines)
        line = metrics.elidedText(line, Qt::ElideMiddle, width);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

TAboutForm::TAboutForm(std::function<QString()> versionText, const QString &dataFolder,
                       QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      m_versionText(std::move(versionText)), m_dataFolder(dataFolder)
{
    layout::installJapaneseFonts();
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setModal(true);
    setFont(layout::makeFont(15));
    setFixedSize(577, 319);
    const QColor windowText = palette().color(QPalette::WindowText);

    Panel1 = new DoubleBevelPanel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 561, 265);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(18, 18, 32, 32);
    ProgramIcon->setAlignment(Qt::AlignCenter);

    const QString century = QStringLiteral("Century");
    lblAppName = textLabel(Panel1, "lblAppName", QStringLiteral("Loto6 Yorune"),
                           layout::makeFont(24, true, century), windowText);
    lblAppName->move(96, 20);

    lblVersion = textLabel(Panel1, "lblVersion", QStringLiteral("Version "),
                           layout::makeFont(19, false, century), windowText);
    lblVersion->move(376, 24);

    lblProductName =
        textLabel(Panel1, "lblProductName", QStringLiteral("ロト６予想支援ソフト【ロト６ヨルネ】"),
                  layout::makeFont(24, true), layout::colour::blue);
    lblProductName->setGeometry(55, 62, 465, 24);
    lblProductName->setAlignment(Qt::AlignCenter);

    // Where the tickets and the downloaded results are kept.
    lblDataFolder =
        textLabel(Panel1, "lblDataFolder", QString(), layout::makeFont(15), layout::colour::black);
    lblDataFolder->setGeometry(12, 98, 537, 52);
    lblDataFolder->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblDataFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);

    pnlCopy = new QFrame(Panel1);
    pnlCopy->setObjectName(QStringLiteral("pnlCopy"));
    pnlCopy->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlCopy->setLineWidth(1);
    pnlCopy->setGeometry(12, 152, 537, 93);
    const QString notices[] = {
        QStringLiteral("ロト６の数字選び・申込数字の管理・当選照合を手伝うソフトウェアです。"),
        QStringLiteral("予想は当選を保証するものではありません。購入はご自身の判断で。"),
        QStringLiteral("Copyright (C) Pelmora.  All rights reserved."),
    };
    const int tops[] = {14, 40, 64};
    for (int i = 0; i < 3; ++i) {
        QLabel *line =
            textLabel(pnlCopy, "", notices[i], layout::makeFont(15, false, layout::kMincho),
                      layout::colour::black);
        line->setObjectName(QStringLiteral("lblNotice%1").arg(i + 1));
        line->setGeometry(1, tops[i], pnlCopy->width() - 2, 16);
        line->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }

    OKButton = new QPushButton(QStringLiteral("OK(&O)"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(493, 284, 75, 25);
    OKButton->setDefault(true);
    OKButton->setCursor(Qt::PointingHandCursor);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    nameForScreenReaders(this);
}

void TAboutForm::showEvent(QShowEvent *event)
{
    // What is drawn or measured in the box's fonts waits for its first showing: most starts
    // of the program never show it.
    if (!m_laidOut) {
        m_laidOut = true;
        ProgramIcon->setPixmap(applicationIcon().pixmap(32, 32));
        lblAppName->adjustSize();
        lblDataFolder->setText(
            wrapPath(QDir::toNativeSeparators(m_dataFolder), lblDataFolder->fontMetrics(), 537));
    }
    lblVersion->setText(QStringLiteral("Version ") + (m_versionText ? m_versionText() : QString()));
    lblVersion->adjustSize();
    QDialog::showEvent(event);
}
