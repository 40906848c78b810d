// The menu command that writes the slate's lines to a CSV file of the player's choice, to take
// them elsewhere. The lines are those a save appends to the ticket file.

#include "core/tickets/TicketFile.h"
#include "gui/Main.h"
#include "gui/PageContext.h"
#include "gui/dialogs/Splash.h"
#include "gui/services/ComFunction.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QHeaderView>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTreeView>

namespace
{

// Where the dialog opens: the folder of the last export of this run, held on the dialog.
const char *const kLastFolderProperty = "lastSavedFolder";

// Qt's file dialog writes its history and view into a settings file of Qt's own when it is
// destroyed, and reads it back when built. This program keeps nothing but its own settings,
// so on systems where that file is a file, it is sent nowhere before the first dialog exists.
void keepFileDialogStateFromDisk()
{
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
#endif
}

// The kind of each entry as the dialog lists it, in Japanese: Qt's own translation does not
// cover these texts yet.
class JapaneseEntryKinds : public QFileIconProvider
{
public:
    QString type(const QFileInfo &info) const override
    {
        if (info.isRoot())
            return QStringLiteral("ドライブ");
        if (info.isDir())
            return QStringLiteral("フォルダー");
        if (info.suffix().isEmpty())
            return QStringLiteral("ファイル");
        return info.suffix().toUpper() + QStringLiteral(" ファイル");
    }
};

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
        // a question: the player named it for this (never one of the program's own files).
        dlgSave->setOption(QFileDialog::DontUseNativeDialog);
        dlgSave->setOption(QFileDialog::DontConfirmOverwrite);
        // Stateless, and kept to the end of the program: the dialog's file model may still
        // ask it while the dialog goes.
        static JapaneseEntryKinds kinds;
        dlgSave->setIconProvider(&kinds);
        // Size, kind and date shown whole: those columns take the width of their texts.
        if (auto *details = dlgSave->findChild<QTreeView *>(QStringLiteral("treeView")))
            for (int column = 1; column < details->header()->count(); ++column)
                details->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        dlgSave->setWindowTitle(QStringLiteral("CSVファイルに名前を付けて保存"));
        dlgSave->setNameFilter(QStringLiteral("CSVファイル (カンマ区切り) (*.csv)"));
        dlgSave->setDefaultSuffix(QStringLiteral("csv"));
    }
    // The player's documents (or home, on a system without them) the first time, then where
    // the last export went.
    QString folder = dlgSave->property(kLastFolderProperty).toString();
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    dlgSave->setDirectory(folder);
    dlgSave->selectFile(editNewNum->text());
    if (dlgSave->exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dlgSave->selectedFiles();
    if (chosen.isEmpty())
        return;
    // Replacing a ticket file or a results file would lose what it held.
    if (isInProgramData(chosen.first(), m_context->dataFolder(), m_context->installFolder())) {
        showGuideMessage(
            this, QStringLiteral("このフォルダーにはプログラムのデータがあるため保存できません。"));
        return;
    }

    WaitCursor wait;
    SplashScope splash(m_splash, QStringLiteral("CSVファイルに出力中です。"));
    const QVector<QStringList> rows = slateRows();
    if (rows.isEmpty()) {
        showGuideMessage(this, QStringLiteral("保存する対象のデータがありません。"));
        return;
    }
    // The file gets every line or, on failure, keeps what it held.
    writeTicketLines(chosen.first(), slateLinesText(rows));
    dlgSave->setProperty(kLastFolderProperty, QFileInfo(chosen.first()).absolutePath());
    showGuideMessage(this, QStringLiteral("正常にファイルの保存が完了しました。"));
}
