// The menu command that writes the slate's lines to a CSV file of the player's choice, to take
// them elsewhere. The lines are those a save appends to the ticket file.

#include "app/ComFunction.h"
#include "app/Main.h"
#include "app/Splash.h"
#include "tickets/TicketFile.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QSettings>

namespace
{

// Qt's file dialog writes its history and view into a settings file of Qt's own when it is
// destroyed, and reads it back when built. This program keeps nothing but its own settings,
// so on systems where that file is a file, it is sent nowhere before the first dialog exists.
void keepFileDialogStateFromDisk()
{
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
#endif
}

} // namespace

void TMainForm::menuFileCsvSaveClick()
{
    // The dialog is made when first needed, and then kept for the window's life.
    if (!dlgSave) {
        keepFileDialogStateFromDisk();
        dlgSave = new QFileDialog(this);
        dlgSave->setObjectName(QStringLiteral("dlgSave"));
        dlgSave->setAcceptMode(QFileDialog::AcceptSave);
        // Qt's own dialog looks the same on every system. A chosen file is replaced without
        // a question: the player named it for this.
        dlgSave->setOption(QFileDialog::DontUseNativeDialog);
        dlgSave->setOption(QFileDialog::DontConfirmOverwrite);
        dlgSave->setWindowTitle(QStringLiteral("CSVファイルに名前を付けて保存"));
        dlgSave->setNameFilter(QStringLiteral("CSVファイル (カンマ区切り) (*.csv)"));
        dlgSave->setDefaultSuffix(QStringLiteral("csv"));
    }
    dlgSave->selectFile(editNewNum->text());
    if (dlgSave->exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dlgSave->selectedFiles();
    if (chosen.isEmpty())
        return;

    WaitCursor wait;
    SplashScope splash(m_splash, QStringLiteral("CSVファイルに出力中です。"));
    const QVector<QStringList> rows = slateRows();
    if (rows.isEmpty()) {
        showGuideMessage(this, QStringLiteral("保存する対象のデータがありません。"));
        return;
    }
    // The file gets every line or, on failure, keeps what it held.
    writeTicketLines(chosen.first(), slateLinesText(rows));
    showGuideMessage(this, QStringLiteral("正常にファイルの保存が完了しました。"));
}
