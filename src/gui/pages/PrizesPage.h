#pragma once

#include "gui/pages/Page.h"

#include "core/results/ResultsFiles.h"

#include <QVector>

class DrawHistory;
class QPainter;
class StringGrid;

// The page "当選金額照会" (TabSheet7): the prize table of every draw, with a header and rows
// painted as the program's grids are.
class PrizesPage : public Page
{
    Q_OBJECT
public:
    explicit PrizesPage(const DrawHistory &history, QWidget *parent = nullptr);

    QString guide() const override;

    void showPrizes(const QVector<PrizeRecord> &prizes);

protected:
    void buildControls() override;

private:
    void gridMoneyDrawCell(QPainter *painter, const QRect &rect, int row, int column) const;

    const DrawHistory &m_history;
    StringGrid *gridMoney = nullptr;
};
