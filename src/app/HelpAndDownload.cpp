// Handlers of the results download and the Help menu.

#include "app/About.h"
#include "app/ComFunction.h"
#include "app/Main.h"
#include "app/Settings.h"
#include "app/Splash.h"
#include "results/ResultsDownload.h"
#include "results/ResultsFiles.h"
#include "results/ResultsReplace.h"

#include <BuildInfo.h>

#include <QAction>
#include <QTabWidget>
#include <QWindow>
#include <QtDebug>

namespace
{

const QString kDownloadSection = QStringLiteral("Download");
const QString kManualFileName = QStringLiteral("操作手順書.pdf");

} // namespace

void TMainForm::connectHelpAndDownload()
{
    connect(menuCommandDownload, &QAction::triggered, this,
            [this] { guarded(&TMainForm::menuCommandDownloadClick); });
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
    BusyScope busy(this);
    SplashScope splash(m_splash, QStringLiteral("最新データのダウンロード中です。"));
    WaitCursor wait;
    pctrlMain->setEnabled(false);
    struct Reenable {
        QTabWidget *pages;
        ~Reenable() { pages->setEnabled(true); }
    } reenable{pctrlMain};

    if (!DownloadResults()) {
        showErrorMessage(this, QStringLiteral("ダウンロードに失敗しました。"
                                              "ネットワークの接続状態を確認してください！！"));
        return;
    }
    btnMmsUpdateClick();
    showGuideMessage(this, QStringLiteral("正常にダウンロードが完了しました。"));
}

bool TMainForm::DownloadResults()
{
    const QString error = captureError([this] {
        ResultsDownload download(m_settings->readString(kDownloadSection, QStringLiteral("BaseUrl"),
                                                        QStringLiteral(LOTO6_DOWNLOAD_BASE_URL)));
        const int seconds =
            m_settings->readInteger(kDownloadSection, QStringLiteral("TimeoutSeconds"),
                                    ResultsDownload::kDefaultTimeoutMs / 1000);
        if (seconds > 0)
            download.setTimeout(seconds * 1000);

        // Both files are held in memory and checked before either local copy is touched.
        const QByteArray numberBody = download.fetch(kDownloadFolder + kNumberFileName);
        const QByteArray dataBody = download.fetch(kDownloadFolder + kDataFileName);
        checkResultsBodies(numberBody, dataBody);
        replaceResultsFiles(m_dataFolder + kDownloadFolder, numberBody, dataBody);
    });
    if (!error.isEmpty())
        qWarning().noquote() << "download failed:" << error;
    return error.isEmpty();
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
    ShellOpen(m_installFolder + kManualFileName);
}

void TMainForm::menuHelpHomePageClick()
{
    if (QStringLiteral(LOTO6_HOME_PAGE).isEmpty())
        return;
    ShellOpenUrl(QStringLiteral(LOTO6_HOME_PAGE));
}
