#pragma once

#include <QDialog>
#include <QString>

class AppSettings;
struct DownloadSettings;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// "ダウンロードの設定": where the results are fetched from (the public history feed, or a server
// of the two results files), the address and the time-out. "接続テスト" fetches and checks
// without replacing anything. OK stores the values; Cancel leaves them as they were.
class DownloadSettingsForm : public QDialog
{
    Q_OBJECT
public:
    // dataFolder: the folder holding "download/", with trailing "/"; the connection test
    // compares the fetched history with the local one.
    DownloadSettingsForm(AppSettings &settings, const QString &dataFolder,
                         QWidget *parent = nullptr);

    void accept() override;

    QRadioButton *radioHistoryFeed;
    QRadioButton *radioResultsServer;
    QLineEdit *editAddress;
    QSpinBox *editTimeout;
    QPushButton *btnConnectionTest;
    QLabel *lblTestResult;
    QPushButton *btnOk;
    QPushButton *btnCancel;

private:
    void sourceChanged();
    void connectionTest();
    void showTestResult(const QString &text);
    // False, after telling the player, when the address is not an http or https address.
    bool addressAccepted();
    DownloadSettings current() const;

    AppSettings &m_settings;
    QString m_dataFolder;
    QString m_historyUrl;
    QString m_storedHistoryUrl;
    QString m_baseUrl;
};
