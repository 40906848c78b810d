#pragma once

#include "core/tickets/PrizeClaims.h"

#include <QDate>
#include <QWidget>

class PastDraws;
class QLabel;
class QTableWidget;
class QTableWidgetItem;

// The prizes of the player's saved lines with their claim deadlines: every winning line of
// every drawn draw, newest first, with a box to tick once the prize was collected. Ticking
// writes client/claimed.csv at once; nothing else is ever written.
class PrizeClaimsTab : public QWidget
{
    Q_OBJECT
public:
    // clientFolder with a trailing "/"; today counts the days left to each deadline.
    PrizeClaimsTab(const PastDraws &draws, const QString &clientFolder, const QDate &today,
                   QWidget *parent = nullptr);

private:
    void fillRow(int row);
    void paintRow(int row);
    void speakClaimed(int row);
    void claimedChanged(QTableWidgetItem *box);
    void showTotal();

    QString m_clientFolder;
    QDate m_today;
    PrizeClaimsReading m_reading; // what was read, and what could not be
    QVector<PrizeClaim> m_claims; // one per row
    QTableWidget *gridPrizeClaims = nullptr;
    QLabel *lblPrizeClaims = nullptr;
};
