// Handlers of the results download and the Help menu.

#include "core/platform/Settings.h"
#include "core/results/DrawHistory.h"
#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/dialogs/About.h"
#include "gui/dialogs/DownloadSettingsForm.h"
#include "gui/dialogs/ResultEntryForm.h"
#include "gui/dialogs/Splash.h"
#include "gui/pages/MainPage.h"
#include "gui/services/ComFunction.h"
#include "gui/services/ResultsService.h"

#include <BuildInfo.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
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
    connect(m_results, &ResultsService::downloadFinished, this, &TMainForm::showDownloaded);
    connect(m_mainPage, &MainPage::downloadRequested, this,
            guardedSlot(this, &TMainForm::menuCommandDownloadClick));
    connect(m_context->history(), &DrawHistory::changed, this, &TMainForm::applyResults);
    connect(menuCommandDownloadSettings, &QAction::triggered, this, [this] {
        DownloadSettingsForm form(m_context->settings(), *m_results, this);
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
            ResultEntryForm form(*m_results, this);
            if (form.exec() != QDialog::Accepted)
                return;
            const ResultsService::Typed &typed = form.typed();
            if (!typed.pagesFailed.isEmpty())
                reportError(this, typed.pagesFailed);
            // What the saved lines won in the typed draw, when lines were saved for it.
            else if (!typed.news.isEmpty())
                showInfoMessage(
                    this, QStringLiteral("第%1回の抽選結果を保存しました。\n").arg(typed.draw) +
                              typed.news.join(QLatin1Char('\n')));
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
    m_splash->showWithText(QStringLiteral("最新データのダウンロード中です。"));
    m_results->startDownload(); // showDownloaded follows
}

void TMainForm::showDownloaded(const ResultsService::Outcome &outcome)
{
    m_splash->hide(); // the message stands alone
    switch (outcome.kind) {
    case ResultsService::Outcome::Done:
        showInfoMessage(this, outcome.text);
        break;
    case ResultsService::Outcome::Failed:
        showErrorMessage(this, QStringLiteral("ダウンロードに失敗しました。") + outcome.text);
        break;
    case ResultsService::Outcome::PagesFailed:
        reportError(this, outcome.text);
        break;
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
    // Windows says nothing when it has no program for PDF files, and a copy may lack the
    // manual: the player is told where it lies, to open it some other way.
    const QFileInfo manual(m_context->installFolder() + kManualFileName);
    const bool present = manual.isFile();
    if (present && ShellOpen(manual.absoluteFilePath()))
        return;
    const QString reason = present ? QStringLiteral("PDF ファイルを開くプログラムがないようです。")
                                   : QStringLiteral("ファイルが見つかりません。");
    showGuideMessage(this, QStringLiteral("操作手順書を開けませんでした。%1\n\n"
                                          "ファイル：%2\nフォルダ：%3")
                               .arg(reason, QDir::toNativeSeparators(manual.absoluteFilePath()),
                                    QDir::toNativeSeparators(manual.absolutePath())));
}

void TMainForm::menuHelpHomePageClick()
{
    if (QStringLiteral(LOTO6_HOME_PAGE).isEmpty())
        return;
    ShellOpenUrl(QStringLiteral(LOTO6_HOME_PAGE));
}
