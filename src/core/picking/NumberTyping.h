#pragma once

#include <QVector>
#include <optional>

// A lottery number typed on the board as one or two digits. A digit that could still begin a
// number of two digits (0 to 4) waits for the next one; any other digit is a number at once.
// A waiting digit becomes a number when the next digit cannot extend it ("4" then "5": 4, then
// 5), when another key is pressed or when the typing pauses (finish). A leading zero is
// allowed ("0" "3" is 3); "0" alone, or "0" "0", is no number.
class NumberTyping
{
public:
    // The numbers the digit (0..9) completes, in the order typed: none while it waits, one or
    // two otherwise (the waiting digit first).
    QVector<int> typeDigit(int digit);
    // The pause, or another key: the waiting digit as a number, if it is one.
    std::optional<int> finish();
    // Escape: the waiting digit is dropped.
    void cancel() { m_pending.reset(); }
    bool isWaiting() const { return m_pending.has_value(); }
    // The waiting digit (0..4), if any.
    std::optional<int> waitingDigit() const { return m_pending; }

private:
    std::optional<int> m_pending;
};
