#pragma once

#include "core/results/PastDraws.h"

#include <QDialog>
#include <memory>

struct RandomnessReport;
namespace Ui
{
class RandomnessTestForm;
}

// Whether the draws look random: each number's count against its expectation with a
// chi-squared test, and per position ① .. ⑥ the counts of the k-th smallest number against
// their exact expectation, over the newest n draws of the history. The seven tests are listed
// together, each verdict on its p adjusted by Holm's method for being one of seven.
class RandomnessTestForm : public QDialog
{
    Q_OBJECT
public:
    explicit RandomnessTestForm(const PastDraws &history, QWidget *parent = nullptr);
    ~RandomnessTestForm() override;

private:
    void refresh();
    void showPosition(const RandomnessReport &report);

    PastDraws m_history;
    QVector<double> m_adjustedP; // Holm-adjusted p of all numbers, then of ① .. ⑥
    std::unique_ptr<Ui::RandomnessTestForm> m_ui;
};

// The verdict on a p adjusted for the seven tests read together: "出現回数の偏りは偶然の
// 範囲内です。" when it is 0.05 or more, otherwise "偶然とは言いにくい偏りがあります（補正後
// p < 0.05）。".
QString randomnessVerdict(double adjustedP);
