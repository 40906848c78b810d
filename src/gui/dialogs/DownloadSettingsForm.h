#pragma once

#include <QDialog>
#include <QString>
#include <memory>

class AppSettings;
struct DownloadSettings;
class ResultsService;
namespace Ui
{
class DownloadSettingsForm;
}

// "ダウンロードの設定": where the results are fetched from (the public history feed, or a server
// of the two results files), the address and the time-out. "接続テスト" fetches and checks
// without replacing anything. OK stores the values; Cancel leaves them as they were.
class DownloadSettingsForm : public QDialog
{
    Q_OBJECT
public:
    // results: the window's results, whose loaded history the connection test compares the
    // fetched one with.
    DownloadSettingsForm(AppSettings &settings, ResultsService &results, QWidget *parent = nullptr);
    ~DownloadSettingsForm() override;

    void accept() override;

private:
    void sourceChanged();
    void connectionTest();
    void connectionTestDone(const QString &text);
    void showTestResult(const QString &text);
    // False, after telling the player, when the address is not an http or https address.
    bool addressAccepted();
    DownloadSettings current() const;

    AppSettings &m_settings;
    ResultsService &m_results;
    QString m_historyUrl;
    QString m_storedHistoryUrl;
    QString m_baseUrl;
    std::unique_ptr<Ui::DownloadSettingsForm> m_ui;
};
