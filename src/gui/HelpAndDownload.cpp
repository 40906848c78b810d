// Handlers of the results download and the Help menu.

#include "core/common/Formats.h"
#include "core/platform/Settings.h"
#include "core/results/DrawCalendar.h"
#include "core/results/DrawEntry.h"
#include "core/results/HistoryCheck.h"
#include "core/results/ResultsFiles.h"
#include "core/results/ResultsReplace.h"
#include "core/results/TypedDraws.h"
#include "core/tickets/PrizeClaims.h"
#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/dialogs/About.h"
#include "gui/dialogs/DownloadSettingsForm.h"
#include "gui/dialogs/ResultEntryForm.h"
#include "gui/dialogs/Splash.h"
#include "gui/models/HistoryModel.h"
#include "gui/services/ComFunction.h"
#include "gui/services/ResultsSource.h"

#include <BuildInfo.h>

#include <QAction>
#include <QTabWidget>
#include <QWindow>
#include <QtDebug>

namespace
{

const QString kManualFileName = QStringLiteral("操作手順書.pdf");

} // namespace

void TMainForm::connectHelpAndDownload()
{
    connect(menuCommandDownload, &QAction::triggered, this,
            guardedSlot(this, &TMainForm::menuCommandDownloadClick));
    connect(menuCommandDownloadSettings, &QAction::triggered, this, [this] {
        DownloadSettingsForm form(m_context->settings(), m_context->dataFolder(), this);
        form.exec();
    });
    connect(menuCommandEnterResult, &QAction::triggered, this, [this] {
        if (isBusy()) {
            // Another operation is letting messages run; changing its data under it is unsafe.
            showGuideMessage(this, QStringLiteral("実行中の処理が終わってから、もう一度"
                                                  "抽選結果の入力を行ってください。"));
            return;
        }
        runGuarded(this, [this] {
            ResultEntryForm form(m_context->settings(), m_context->dataFolder(), this);
            if (form.exec() != QDialog::Accepted)
                return;
            btnMmsUpdateClick();
            // What the saved lines won in the typed draw, when lines were saved for it.
            const int typed = newestDrawOf(m_context->history()->records()).number;
            const QStringList news = newsOfDraws(typed - 1);
            if (!news.isEmpty())
                showGuideMessage(this,
                                 QStringLiteral("第%1回の抽選結果を保存しました。\n").arg(typed) +
                                     news.join(QLatin1Char('\n')));
        });
    });
    connect(menuHelpManual, &QAction::triggered, this, &TMainForm::menuHelpManualClick);
    connect(menuHelpHomePage, &QAction::triggered, this, &TMainForm::menuHelpHomePageClick);
    // A build without a home page offers none.
    menuHelpHomePage->setEnabled(!QStringLiteral(LOTO6_HOME_PAGE).isEmpty());
    connect(menuHelpAbout, &QAction::triggered, this, &TMainForm::menuHelpAboutClick);
}

void TMainForm::menuCommandDownloadClick()
{
    if (isBusy()) {
        // Another operation is letting messages run; replacing its data under it is unsafe.
        showGuideMessage(this, QStringLiteral("実行中の処理が終わってから、もう一度"
                                              "ダウンロードを行ってください。"));
        return;
    }
    PageContext::BusyScope busy(*m_context);
    SplashScope splash(m_splash, QStringLiteral("最新データのダウンロード中です。"));
    WaitCursor wait;
    const InputBlock block(pctrlMain); // the pages keep their colours meanwhile

    // The newest official draw so far: typed-in draws are replaced by the official ones.
    int official = newestDrawOf(m_context->history()->records()).number;
    QSet<int> typed;
    captureError([&] { typed = readTypedDraws(m_context->dataFolder() + kDownloadFolder); });
    for (int draw : typed)
        official = qMin(official, draw - 1);

    QString explanation;
    if (!DownloadResults(&explanation)) {
        splash.close();
        showErrorMessage(this, QStringLiteral("ダウンロードに失敗しました。") + explanation);
        return;
    }
    btnMmsUpdateClick();
    splash.close();
    // One line for each new draw in which lines were saved: what they won, until when.
    QString done = QStringLiteral("正常にダウンロードが完了しました。");
    for (const QString &news : newsOfDraws(official))
        done += QLatin1Char('\n') + news;
    showGuideMessage(this, done);
}

QStringList TMainForm::newsOfDraws(int after) const
{
    const QVector<DrawRecord> &history = m_context->history()->records();
    QVector<int> draws;
    for (const DrawRecord &draw : history) {
        const int number = parseInteger(draw.caption).value_or(0);
        if (number > after)
            draws.append(number);
    }
    QStringList news;
    if (draws.isEmpty())
        return news;
    // A ticket file that cannot be read is told where it is used; the news is a courtesy.
    captureError(
        [&] { news = readDrawNews(m_context->dataFolder(), history, draws, japanToday()); });
    return news;
}

bool TMainForm::DownloadResults(QString *explanation)
{
    try {
        // Both files are held in memory and checked before either local copy is touched.
        const QString folder = m_context->dataFolder() + kDownloadFolder;
        const ResultsBodies bodies =
            fetchResults(m_context->settings().readDownloadSettings(), folder);
        replaceResultsFiles(folder, bodies.numbers, bodies.prizes);
        // Every draw of the new pair is an official one. Should the marks stay, they only
        // spare official draws the comparison with the next download.
        const QString unmarked = captureError([&] {
            if (!readTypedDraws(folder).isEmpty())
                writeTypedDraws(folder, {});
        });
        if (!unmarked.isEmpty())
            qWarning().noquote() << "the marks of typed-in draws stay:" << unmarked;
        return true;
    } catch (const std::exception &error) {
        const QString text = failureExplanation(error);
        qWarning().noquote() << "download failed:" << text;
        if (explanation)
            *explanation = text;
        return false;
    }
}

void TMainForm::menuHelpAboutClick()
{
    m_about->winId(); // gives it a native window to put over this one
    if (QWindow *over = window()->windowHandle())
        m_about->windowHandle()->setTransientParent(over);
    m_about->exec();
}

void TMainForm::menuHelpManualClick()
{
    // A missing manual or viewer is the desktop's to report, not the program's.
    ShellOpen(m_context->installFolder() + kManualFileName);
}

void TMainForm::menuHelpHomePageClick()
{
    if (QStringLiteral(LOTO6_HOME_PAGE).isEmpty())
        return;
    ShellOpenUrl(QStringLiteral(LOTO6_HOME_PAGE));
}
