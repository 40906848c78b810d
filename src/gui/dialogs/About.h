#pragma once

#include <QDialog>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

// The About box "バージョン情報": the program's name, icon and version, and a short notice.
// It holds no input; the version line is taken afresh from versionText on every showing. It
// also tells where the player's data is kept (dataFolder), beside the program or per user.
class TAboutForm : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutForm(std::function<QString()> versionText, const QString &dataFolder = QString(),
                        QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QFrame *Panel1;
    QLabel *ProgramIcon;
    QLabel *lblAppName;
    QLabel *lblVersion;
    QLabel *lblProductName;
    QLabel *lblDataFolder;
    QFrame *pnlCopy;
    QPushButton *OKButton;
    std::function<QString()> m_versionText;
    QString m_dataFolder;
    bool m_laidOut = false; // by the first showing
};
