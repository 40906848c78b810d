#pragma once

#include "core/results/DrawEntry.h"
#include "gui/services/ResultsService.h"

#include <QDialog>
#include <QString>
#include <array>
#include <memory>

class QLineEdit;
class QRadioButton;
namespace Ui
{
class ResultEntryForm;
}

// "抽選結果の入力": the player types in the draw after the newest one (its date, the six
// numbers and the bonus, and the prize table) when the results cannot be downloaded. While the
// newest draw is one the player typed in, the form also offers to correct it. OK stores the
// draw (after asking when a prize field is empty); a refused input is named and the form
// stays open. Enter moves to the next field; only OK stores. The form checks what was typed;
// the results service stores it (and marks it as typed in, so that a download may replace it
// with the official one).
class ResultEntryForm : public QDialog
{
    Q_OBJECT
public:
    // Throws DomainError when the newest draw of the results files cannot be read.
    explicit ResultEntryForm(ResultsService &results, QWidget *parent = nullptr);
    ~ResultEntryForm() override;

    void accept() override;
    // The draw stored and what the saved lines won in it, once accepted.
    const ResultsService::Typed &typed() const { return m_typed; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    DrawEntry entry() const;
    void showEntry(const DrawEntry &entry);
    void placeChanged();

    ResultsService &m_results;
    const ResultsService::EntryStart m_start;
    // The form's fields (from ResultEntryForm.ui).
    QRadioButton *radioAddNext;
    QRadioButton *radioCorrectNewest;
    QLineEdit *editDrawNumber;
    QLineEdit *editDate;
    std::array<QLineEdit *, kPicksPerLine> editNumber{};
    QLineEdit *editBonus;
    std::array<QLineEdit *, kPrizeTiers> editAmount{};
    std::array<QLineEdit *, kPrizeTiers> editWinners{};
    QLineEdit *editCarryOver;

    DrawEntry m_nextDraw; // what was typed for the next draw while the newest is corrected
    ResultsService::Typed m_typed;
    std::unique_ptr<Ui::ResultEntryForm> m_ui;
};
