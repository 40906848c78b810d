#include "DownloadSettingsForm.h"

#include "ResultsDownload.h"
#include "ResultsFiles.h"
#include "ResultsSource.h"
#include "app/ComFunction.h"
#include "app/Settings.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

DownloadSettingsForm::DownloadSettingsForm(AppSettings &settings, const QString &dataFolder,
                                           QWidget *parent)
    : QDialog(parent), m_settings(settings), m_dataFolder(dataFolder)
{
    setObjectName(QStringLiteral("DownloadSettingsForm"));
    setWindowTitle(QStringLiteral("ダウンロードの設定"));
    const DownloadSettings stored = settings.readDownloadSettings();
    m_historyUrl = stored.historyUrl;
    m_storedHistoryUrl = stored.historyUrl;
    m_baseUrl = stored.baseUrl;

    auto *source = new QGroupBox(QStringLiteral("取得元"), this);
    radioHistoryFeed =
        new QRadioButton(QStringLiteral("公開されている抽選結果の全履歴（CSV）"), source);
    radioHistoryFeed->setObjectName(QStringLiteral("radioHistoryFeed"));
    radioResultsServer = new QRadioButton(
        QStringLiteral("結果ファイル（download/Loto6Number.csv と Loto6Data.csv）を置いたサーバー"),
        source);
    radioResultsServer->setObjectName(QStringLiteral("radioResultsServer"));
    auto *sourceLayout = new QVBoxLayout(source);
    sourceLayout->addWidget(radioHistoryFeed);
    sourceLayout->addWidget(radioResultsServer);

    editAddress = new QLineEdit(this);
    editAddress->setObjectName(QStringLiteral("editAddress"));
    editAddress->setMinimumWidth(420);
    editTimeout = new QSpinBox(this);
    editTimeout->setObjectName(QStringLiteral("editTimeout"));
    editTimeout->setRange(DownloadSettings::kMinTimeoutSeconds,
                          DownloadSettings::kMaxTimeoutSeconds);
    editTimeout->setSuffix(QStringLiteral(" 秒"));
    editTimeout->setValue(stored.timeoutSeconds); // within the range as read
    auto *fields = new QFormLayout;
    fields->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    fields->addRow(QStringLiteral("アドレス："), editAddress);
    fields->addRow(QStringLiteral("タイムアウト："), editTimeout);

    btnConnectionTest = new QPushButton(QStringLiteral("接続テスト"), this);
    btnConnectionTest->setObjectName(QStringLiteral("btnConnectionTest"));
    btnConnectionTest->setAutoDefault(false);
    lblTestResult = new QLabel(this);
    lblTestResult->setObjectName(QStringLiteral("lblTestResult"));
    lblTestResult->setWordWrap(true);
    lblTestResult->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(source);
    layout->addLayout(fields);
    layout->addWidget(btnConnectionTest, 0, Qt::AlignLeft);
    layout->addWidget(lblTestResult);
    layout->addStretch();
    layout->addWidget(buttons);

    const bool server = !m_baseUrl.isEmpty();
    (server ? radioResultsServer : radioHistoryFeed)->setChecked(true);
    editAddress->setText(server ? m_baseUrl : m_historyUrl);
    connect(radioResultsServer, &QRadioButton::toggled, this, &DownloadSettingsForm::sourceChanged);
    connect(btnConnectionTest, &QPushButton::clicked, this, &DownloadSettingsForm::connectionTest);
    connect(buttons, &QDialogButtonBox::accepted, this, &DownloadSettingsForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DownloadSettingsForm::reject);
}

void DownloadSettingsForm::sourceChanged()
{
    // Each source keeps its own address while the other is chosen.
    if (radioResultsServer->isChecked()) {
        m_historyUrl = editAddress->text().trimmed();
        editAddress->setText(m_baseUrl);
    } else {
        m_baseUrl = editAddress->text().trimmed();
        editAddress->setText(m_historyUrl);
    }
    lblTestResult->clear();
}

DownloadSettings DownloadSettingsForm::current() const
{
    DownloadSettings settings;
    settings.timeoutSeconds = editTimeout->value();
    const QString address = editAddress->text().trimmed();
    if (radioResultsServer->isChecked()) {
        // The feed's address is kept for later, but only a usable one.
        settings.historyUrl = ResultsDownload::isWebAddress(QUrl(m_historyUrl, QUrl::StrictMode))
                                  ? m_historyUrl
                                  : m_storedHistoryUrl;
        settings.baseUrl = address;
    } else {
        settings.historyUrl = address;
    }
    return settings;
}

bool DownloadSettingsForm::addressAccepted()
{
    if (ResultsDownload::isWebAddress(QUrl(editAddress->text().trimmed(), QUrl::StrictMode)))
        return true;
    showGuideMessage(this, QStringLiteral("アドレスには http:// か https:// で始まる"
                                          "ウェブのアドレスを入れてください。"));
    editAddress->setFocus();
    return false;
}

void DownloadSettingsForm::connectionTest()
{
    if (!addressAccepted())
        return;
    lblTestResult->setText(QStringLiteral("接続しています…"));
    WaitCursor wait;
    catchUp();
    try {
        const ResultsBodies bodies =
            fetchResults(current(), m_dataFolder + kDownloadFolder, m_settings.readTypedDraws());
        lblTestResult->setText(QStringLiteral("%1まで取得できます。").arg(newestDrawText(bodies)));
    } catch (const std::exception &e) {
        lblTestResult->setText(QStringLiteral("取得できません。") + failureExplanation(e));
    }
}

void DownloadSettingsForm::accept()
{
    if (!addressAccepted())
        return;
    m_settings.writeDownloadSettings(current());
    if (!m_settings.sync()) {
        showErrorMessage(this, QStringLiteral("設定を保存できませんでした。"));
        return;
    }
    QDialog::accept();
}
