// Writes the user manual: the Markdown text of manual.md with pictures of the real window,
// taken under any platform plugin (offscreen included), into one PDF file.
//
//   loto6_manual <manual.md> <results folder> <output.pdf>
//
// A picture is written in the text as ![caption](page:TabSheetN) for a page of the main window,
// ![caption](window:AboutForm) for the About box, ![caption](window:<name>) for a window that
// a command of the menu "コマンド" opens, ![caption](window:TicketReportForm/tabPrizeClaims)
// for the prizes to claim, and ![caption](slate:duplicates) for the main page with a repeated
// line on the slate. The window is built on a temporary program folder holding the given
// results files and a few saved lines of the newest draws, with settings of its own, so the
// pictures never depend on the user who builds the program. The prizes to claim are shown as
// on a fixed day soon after the newest draw, not the day the manual is made.

#include "core/platform/Version.h"
#include "core/results/DrawHistory.h"
#include "core/results/ResultsFiles.h"
#include "gui/FindControl.h"
#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/dialogs/About.h"
#include "gui/dialogs/TicketReportForm.h"
#include "gui/widgets/LayoutKit.h"

#include <QAction>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPdfWriter>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace
{

// Text width of an A4 page inside the 2 cm margins that printing a document keeps, in the
// document's units (1/96 inch).
constexpr qreal kTextWidth = (210.0 - 40.0) / 25.4 * 96.0;

void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool copyResults(const QString &from, const QString &programFolder)
{
    QDir(programFolder).mkpath(QStringLiteral("download"));
    QDir(programFolder).mkpath(QStringLiteral("client"));
    for (const char *name : {"Loto6Number.csv", "Loto6Data.csv"}) {
        if (!QFile::copy(from + QLatin1Char('/') + QLatin1String(name),
                         programFolder + QStringLiteral("download/") + QLatin1String(name)))
            return false;
    }
    return true;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// A few saved lines of the newest draws and of the coming one, for the report's picture.
bool writeSampleTickets(const QString &programFolder)
{
    const QList<std::pair<const char *, QByteArray>> files = {
        {"2035.csv", "2035,05,10,12,01,02,03\r\n2035,08,14,22,30,36,41\r\n"},
        {"2036.csv", "2036,07,10,17,26,01,02\r\n2036,03,11,19,24,38,42\r\n"
                     "2036,02,09,15,28,33,40\r\n"},
        {"2037.csv", "2037,01,06,13,25,31,43\r\n2037,04,16,18,34,39,41\r\n"},
        {"2038.csv", "2038,07,12,20,23,27,29\r\n2038,03,11,17,25,38,42\r\n"}};
    for (const auto &[name, lines] : files) {
        if (!writeFile(programFolder + QStringLiteral("client/") + QLatin1String(name), lines))
            return false;
    }
    return true;
}

// The prizes to claim as on 2025/10/06: besides the wins of the newest draws, one of them
// claimed, a prize of a year before with one day left and one that expired.
void takeClaimsPicture(TMainForm &form, QHash<QString, QImage> &pictures)
{
    const PageContext &context = *control<PageContext>(form, "PageContext");
    const QString &folder = context.dataFolder();
    if (!writeFile(folder + QStringLiteral("client/1936.csv"), "1936,01,06,19,02,03,04\r\n") ||
        !writeFile(folder + QStringLiteral("client/1937.csv"), "1937,01,09,26,28,02,03\r\n") ||
        !writeFile(folder + QStringLiteral("client/claimed.csv"),
                   "2035,01,02,03,05,10,12,2025/09/20\r\n"))
        return;
    TicketReportForm report(context.history()->draws(), folder, &form, QDate(2025, 10, 6));
    control<QTabWidget>(report, "tabTicketReport")->setCurrentIndex(1);
    report.show();
    settle(200);
    pictures.insert(QStringLiteral("window:TicketReportForm/tabPrizeClaims"),
                    report.grab().toImage());
}

// The bundled history is older than the day the manual is made: the question before a line
// for a draw over by the calendar is answered "go on", so that the pictures show the slate.
void goOnPastTheCalendar(QObject *owner)
{
    auto *timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, [] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box && box->text()
                       .remove(QChar::LineSeparator)
                       .contains(QStringLiteral("暦では抽選が終わっています")))
            box->button(QMessageBox::No)->click();
    });
    timer->start(20);
}

void decide(TMainForm &form, std::initializer_list<int> numbers)
{
    for (int n : numbers)
        control<QToolButton>(form, QStringLiteral("SpeedButton%1").arg(n))->click();
    control<QPushButton>(form, "btnSelect")->click();
}

// The main page with a line repeated on the slate, then the windows of the menu "コマンド"
// (the line history shows the slate's current line).
void takeCommandPictures(TMainForm &form, QHash<QString, QImage> &pictures)
{
    control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(control<QWidget>(form, "TabSheet1"));
    decide(form, {7, 12, 20, 23, 27, 29});
    decide(form, {3, 11, 17, 25, 38, 42});
    decide(form, {7, 12, 20, 23, 27, 29});
    settle(150);
    pictures.insert(QStringLiteral("slate:duplicates"), form.grab().toImage());
    for (const char *command : {"menuCommandLineHistory", "menuCommandTicketReport",
                                "menuCommandRandomnessTest", "menuCommandStatistics"}) {
        control<QAction>(form, QLatin1String(command))->trigger();
        settle(200);
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            pictures.insert(QStringLiteral("window:") + dialog->objectName(),
                            dialog->grab().toImage());
            dialog->close();
            settle(50);
        }
    }
    takeClaimsPicture(form, pictures);
}

// Pictures of every page of the main window and of the About box, by their address.
QHash<QString, QImage> takePictures(const QString &programFolder)
{
    QHash<QString, QImage> pictures;
    TMainForm form(programFolder);
    goOnPastTheCalendar(&form);
    form.show();
    settle(1100); // the clock as on the screen, not its empty first second
    for (int i = 0; i < control<QTabWidget>(form, "pctrlMain")->count(); ++i) {
        QWidget *page = control<QTabWidget>(form, "pctrlMain")->widget(i);
        control<QTabWidget>(form, "pctrlMain")->setCurrentWidget(page);
        settle(150);
        pictures.insert(QStringLiteral("page:") + page->objectName(), form.grab().toImage());
    }
    // The About box as a player would see it, with a plain example of the data folder instead
    // of the temporary one the manual is made in.
    TAboutForm about(
        [] { return readFileVersion(); },
        QStringLiteral("C:\\Users\\ユーザー名\\AppData\\Roaming\\Pelmora\\Loto6Yorune\\"));
    about.show();
    settle(100);
    pictures.insert(QStringLiteral("window:AboutForm"), about.grab().toImage());
    about.hide();
    takeCommandPictures(form, pictures);
    return pictures;
}

// Gives every picture its image and a width that fits the page. Returns the addresses of
// pictures named in the text but not taken.
QStringList placePictures(QTextDocument &doc, const QHash<QString, QImage> &pictures)
{
    QStringList missing;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QImage image = pictures.value(format.name());
            if (image.isNull()) {
                missing.append(format.name());
                continue;
            }
            doc.addResource(QTextDocument::ImageResource, QUrl(format.name()), image);
            const qreal width = qMin<qreal>(image.width(), kTextWidth * 0.9);
            format.setWidth(width);
            format.setHeight(width * image.height() / image.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
    return missing;
}

bool holdsPicture(const QTextBlock &block)
{
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().isImageFormat())
            return true;
    }
    return false;
}

// Spaces the paragraphs and starts each page's section on a new sheet, so that a heading
// never stands alone at the foot of a sheet with its picture on the next.
void formatBlocks(QTextDocument &doc)
{
    int sectionLevel = 0; // level of the last heading seen
    bool afterHeading = false;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        const int level = format.headingLevel();
        if (level > 0) {
            format.setTopMargin(level == 1 ? 0 : 14);
            format.setBottomMargin(8);
            // A page's section, the chapter that opens the first of them and the chapter
            // that follows the last of them, each open a sheet.
            const bool opensSections = level == 2 && block.next().isValid() &&
                                       block.next().blockFormat().headingLevel() == 3;
            if (!afterHeading &&
                (level == 3 || (level == 2 && (sectionLevel == 3 || opensSections))))
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            sectionLevel = level;
        } else {
            format.setBottomMargin(6);
            if (!holdsPicture(block))
                format.setLineHeight(130, QTextBlockFormat::ProportionalHeight);
        }
        afterHeading = level > 0;
        QTextCursor(block).setBlockFormat(format);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        qWarning("usage: loto6_manual <manual.md> <results folder> <output.pdf>");
        return 2;
    }
    QFile source(args.at(1));
    if (!source.open(QIODevice::ReadOnly)) {
        qWarning("cannot read %s", qPrintable(args.at(1)));
        return 1;
    }
    const QString text = QString::fromUtf8(source.readAll());

    QTemporaryDir settingsDir;
    QTemporaryDir programDir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    const QString programFolder = programDir.path() + QLatin1Char('/');
    if (!copyResults(args.at(2), programFolder) || !writeSampleTickets(programFolder)) {
        qWarning("cannot copy the results files from %s", qPrintable(args.at(2)));
        return 1;
    }
    layout::installJapaneseFonts();
    const QHash<QString, QImage> pictures = takePictures(programFolder);

    // The prose is set in the proportional Gothic; file names and keys keep a fixed pitch.
    const QString prose = QStringLiteral("ＭＳ Ｐゴシック");
    QFont::insertSubstitutions(prose, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                       QStringLiteral("Noto Sans CJK JP")});
    QTextDocument doc;
    // A point size, so that the text keeps its size on the PDF's own resolution (a pixel size
    // would be taken as pixels of 1/1200 inch).
    QFont proseFont(prose);
    proseFont.setPointSizeF(10.5);
    doc.setDefaultFont(proseFont);
    doc.setMarkdown(text);
    formatBlocks(doc);
    const QStringList missing = placePictures(doc, pictures);
    if (!missing.isEmpty()) {
        qWarning("no picture for %s", qPrintable(missing.join(QStringLiteral(", "))));
        return 1;
    }

    QPdfWriter pdf(args.at(3));
    pdf.setTitle(QStringLiteral("ロト６ヨルネ 操作手順書"));
    pdf.setCreator(QStringLiteral("ロト６ヨルネ"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    // No margins of the writer's own: printing the document keeps 2 cm on every side.
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    doc.print(&pdf);
    if (!QFileInfo(args.at(3)).size()) {
        qWarning("cannot write %s", qPrintable(args.at(3)));
        return 1;
    }
    return 0;
}
