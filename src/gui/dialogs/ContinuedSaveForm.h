#pragma once

#include "core/results/DrawCalendar.h"
#include "core/results/DrawEntry.h"
#include "core/tickets/LotoLine.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

namespace Ui
{
class ContinuedSaveForm;
}

// "継続購入として保存": the slate's lines saved for several consecutive draws at once, as a
// ticket bought for up to ten draws. The player chooses how many draws; the list shows which
// draws and on what days they are expected. OK appends the lines to the ticket file of each
// of those draws, every file or none, and reports what was saved.
class ContinuedSaveForm : public QDialog
{
    Q_OBJECT
public:
    // newest: the newest draw of the history; lines: the slate's lines to save;
    // programFolder: holds "client/", with trailing "/".
    ContinuedSaveForm(const NewestDraw &newest, const QVector<LotoLine> &lines,
                      const QString &programFolder, QWidget *parent = nullptr);
    ~ContinuedSaveForm() override;

    void accept() override;

    // The draws the lines are saved for, as the list shows them.
    QVector<ExpectedDraw> draws() const;
    // What OK saved, with its money: "第2039回～第2043回の5回分、各12口を保存しました
    // （計60口 ¥12,000）。"; empty before.
    const QString &report() const { return m_report; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showDraws();

    NewestDraw m_newest;
    QVector<LotoLine> m_lines;
    QString m_programFolder;
    QString m_report;
    std::unique_ptr<Ui::ContinuedSaveForm> m_ui;
};
