#pragma once

#include "DrawEntry.h"

#include <QDialog>
#include <QString>
#include <array>
#include <memory>

class QLineEdit;
namespace Ui
{
class ResultEntryForm;
}

// "抽選結果の入力": the player types in the draw after the newest one (its date, the six
// numbers and the bonus, and the prize table) when the results cannot be downloaded. OK adds
// it on top of both results files; a refused input is named and the form stays open.
class ResultEntryForm : public QDialog
{
    Q_OBJECT
public:
    // dataFolder: the folder holding "download/", with trailing "/". Throws DomainError when
    // the newest draw of its results files cannot be read.
    explicit ResultEntryForm(const QString &dataFolder, QWidget *parent = nullptr);
    ~ResultEntryForm() override;

    void accept() override;

    // The form's fields (from ResultEntryForm.ui).
    QLineEdit *editDrawNumber;
    QLineEdit *editDate;
    std::array<QLineEdit *, kPicksPerLine> editNumber{};
    QLineEdit *editBonus;
    std::array<QLineEdit *, kPrizeTiers> editAmount{};
    std::array<QLineEdit *, kPrizeTiers> editWinners{};
    QLineEdit *editCarryOver;

private:
    DrawEntry entry() const;

    QString m_downloadFolder;
    NewestDraw m_newest;
    std::unique_ptr<Ui::ResultEntryForm> m_ui;
};
