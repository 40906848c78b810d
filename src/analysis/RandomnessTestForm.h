#pragma once

#include "results/PastDraws.h"

#include <QDialog>

class QChartView;
class QComboBox;
class QLabel;
class QSpinBox;
class QTableWidget;
struct RandomnessReport;

// Whether the draws look random: each number's count against its expectation with a
// chi-squared test, and per position ① .. ⑥ the counts of the k-th smallest number against
// their exact expectation, over the newest n draws of the history.
class RandomnessTestForm : public QDialog
{
    Q_OBJECT
public:
    explicit RandomnessTestForm(const QVector<DrawRecord> &history, QWidget *parent = nullptr);

    QSpinBox *editRandomnessDraws = nullptr;
    QTableWidget *gridRandomness = nullptr;
    QLabel *lblChiSquare = nullptr;
    QComboBox *cmbRandomnessPosition = nullptr;
    QChartView *chartRandomness = nullptr;
    QLabel *lblPositionTest = nullptr;

private:
    void refresh();
    void showPosition(const RandomnessReport &report);

    PastDraws m_history;
};

// "出現回数の偏りは偶然の範囲内です。" when p >= 0.05, otherwise "偶然とは言いにくい偏りが
// あります（p < 0.05）。".
QString randomnessVerdict(double p);
