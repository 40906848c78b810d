#include "gui/dialogs/DownloadSettingsForm.h"

#include "core/platform/Settings.h"
#include "core/results/ResultsFiles.h"
#include "gui/services/ComFunction.h"
#include "gui/services/ResultsDownload.h"
#include "gui/services/ResultsService.h"
#include "gui/widgets/LayoutKit.h"

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

namespace
{

// The lines the connection test's result has room for.
constexpr int kResultLines = 5;

} // namespace

DownloadSettingsForm::DownloadSettingsForm(AppSettings &settings, ResultsService &results,
                                           QWidget *parent)
    : QDialog(parent), m_settings(settings), m_results(results)
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
    // The result wraps inside an area of its own, which a long failure does not widen or
    // lengthen: the controls above keep their places.
    lblTestResult = new QLabel(this);
    lblTestResult->setObjectName(QStringLiteral("lblTestResult"));
    lblTestResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblTestResult->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTestResult->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    lblTestResult->setFixedHeight(kResultLines * lblTestResult->fontMetrics().lineSpacing() + 4);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    btnOk = buttons->button(QDialogButtonBox::Ok);
    btnOk->setText(QStringLiteral("OK"));
    btnCancel = buttons->button(QDialogButtonBox::Cancel);
    btnCancel->setText(QStringLiteral("キャンセル"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(source);
    layout->addLayout(fields);
    layout->addWidget(btnConnectionTest, 0, Qt::AlignLeft);
    layout->addWidget(lblTestResult);
    layout->addWidget(buttons);

    const bool server = !m_baseUrl.isEmpty();
    (server ? radioResultsServer : radioHistoryFeed)->setChecked(true);
    editAddress->setText(server ? m_baseUrl : m_historyUrl);
    layout::makeOneTabStop({radioHistoryFeed, radioResultsServer});
    editAddress->setFocus(); // the window opens in the address
    connect(radioResultsServer, &QRadioButton::toggled, this, &DownloadSettingsForm::sourceChanged);
    // A result belongs to the address it was found for.
    connect(editAddress, &QLineEdit::textChanged, lblTestResult, &QLabel::clear);
    connect(btnConnectionTest, &QPushButton::clicked, this, &DownloadSettingsForm::connectionTest);
    connect(&m_results, &ResultsService::testFinished, this,
            &DownloadSettingsForm::connectionTestDone);
    connect(this, &QDialog::rejected, &m_results, &ResultsService::stop); // a test under way
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
    showTestResult(QStringLiteral("接続しています…"));
    btnOk->setEnabled(false);
    btnConnectionTest->setEnabled(false);
    // Meanwhile only "キャンセル" takes a click: it stops the test at once and closes the
    // window, as the close box does.
    if (!m_results.startTest(current(), btnCancel))
        connectionTestDone(QString());
}

void DownloadSettingsForm::connectionTestDone(const QString &text)
{
    showTestResult(text);
    btnOk->setEnabled(true);
    btnConnectionTest->setEnabled(true);
    // The disabled test button passed the focus on to "キャンセル", where Enter would
    // throw the new address away: it comes back to the test button.
    if (isVisible())
        btnConnectionTest->setFocus(Qt::OtherFocusReason);
}

void DownloadSettingsForm::showTestResult(const QString &text)
{
    // Broken into lines here, long addresses included, so the area's width holds them.
    lblTestResult->setText(breakMessageText(text, lblTestResult->fontMetrics(),
                                            lblTestResult->contentsRect().width()));
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
