#include "gui/dialogs/DownloadSettingsForm.h"

#include "core/platform/Settings.h"
#include "core/results/ResultsFiles.h"
#include "gui/AccessibleNames.h"
#include "gui/services/ComFunction.h"
#include "gui/services/ResultsDownload.h"
#include "gui/services/ResultsService.h"
#include "gui/widgets/LayoutKit.h"

#include "ui_DownloadSettingsForm.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace
{

// The lines the connection test's result has room for.
constexpr int kResultLines = 5;

} // namespace

DownloadSettingsForm::DownloadSettingsForm(AppSettings &settings, ResultsService &results,
                                           QWidget *parent)
    : QDialog(parent), m_settings(settings), m_results(results),
      m_ui(std::make_unique<Ui::DownloadSettingsForm>())
{
    m_ui->setupUi(this);
    setFont(layout::makeFont(15)); // the program's size, as in its other windows
    const DownloadSettings stored = settings.readDownloadSettings();
    m_historyUrl = stored.historyUrl;
    m_storedHistoryUrl = stored.historyUrl;
    m_baseUrl = stored.baseUrl;

    m_ui->editTimeout->setRange(DownloadSettings::kMinTimeoutSeconds,
                                DownloadSettings::kMaxTimeoutSeconds);
    m_ui->editTimeout->setValue(stored.timeoutSeconds); // within the range as read
    QLabel *result = m_ui->lblTestResult;
    result->setFixedHeight(kResultLines * result->fontMetrics().lineSpacing() + 4);
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK(&O)"));
    m_ui->buttonBox->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル(&C)"));

    const bool server = !m_baseUrl.isEmpty();
    (server ? m_ui->radioResultsServer : m_ui->radioHistoryFeed)->setChecked(true);
    m_ui->editAddress->setText(server ? m_baseUrl : m_historyUrl);
    layout::makeOneTabStop({m_ui->radioHistoryFeed, m_ui->radioResultsServer});
    m_ui->editAddress->setFocus(); // the window opens in the address
    connect(m_ui->radioResultsServer, &QRadioButton::toggled, this,
            &DownloadSettingsForm::sourceChanged);
    // A result belongs to the address it was found for.
    connect(m_ui->editAddress, &QLineEdit::textChanged, result, &QLabel::clear);
    connect(m_ui->btnConnectionTest, &QPushButton::clicked, this,
            &DownloadSettingsForm::connectionTest);
    connect(&m_results, &ResultsService::testFinished, this,
            &DownloadSettingsForm::connectionTestDone);
    connect(this, &QDialog::rejected, &m_results, &ResultsService::stop); // a test under way
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &DownloadSettingsForm::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &DownloadSettingsForm::reject);
    nameForScreenReaders(this);
}

DownloadSettingsForm::~DownloadSettingsForm() = default;

void DownloadSettingsForm::sourceChanged()
{
    // Each source keeps its own address while the other is chosen.
    if (m_ui->radioResultsServer->isChecked()) {
        m_historyUrl = m_ui->editAddress->text().trimmed();
        m_ui->editAddress->setText(m_baseUrl);
    } else {
        m_baseUrl = m_ui->editAddress->text().trimmed();
        m_ui->editAddress->setText(m_historyUrl);
    }
    m_ui->lblTestResult->clear();
}

DownloadSettings DownloadSettingsForm::current() const
{
    DownloadSettings settings;
    settings.timeoutSeconds = m_ui->editTimeout->value();
    const QString address = m_ui->editAddress->text().trimmed();
    if (m_ui->radioResultsServer->isChecked()) {
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
    if (ResultsDownload::isWebAddress(QUrl(m_ui->editAddress->text().trimmed(), QUrl::StrictMode)))
        return true;
    showGuideMessage(this, QStringLiteral("アドレスには http:// か https:// で始まる"
                                          "ウェブのアドレスを入れてください。"));
    m_ui->editAddress->setFocus();
    return false;
}

void DownloadSettingsForm::connectionTest()
{
    if (!addressAccepted())
        return;
    showTestResult(QStringLiteral("接続しています…"));
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(false);
    m_ui->btnConnectionTest->setEnabled(false);
    // Meanwhile only "キャンセル" takes a click: it stops the test at once and closes the
    // window, as the close box does.
    if (!m_results.startTest(current(), m_ui->buttonBox->button(QDialogButtonBox::Cancel)))
        connectionTestDone(QString());
}

void DownloadSettingsForm::connectionTestDone(const QString &text)
{
    showTestResult(text);
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(true);
    m_ui->btnConnectionTest->setEnabled(true);
    // The disabled test button passed the focus on to "キャンセル", where Enter would
    // throw the new address away: it comes back to the test button.
    if (isVisible())
        m_ui->btnConnectionTest->setFocus(Qt::OtherFocusReason);
}

void DownloadSettingsForm::showTestResult(const QString &text)
{
    // Broken into lines here, long addresses included, so the area's width holds them.
    m_ui->lblTestResult->setText(breakMessageText(text, m_ui->lblTestResult->fontMetrics(),
                                                  m_ui->lblTestResult->contentsRect().width()));
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
