#pragma once

#include <QString>
#include <stdexcept>

// The one error type of the domain layer. Its message is written for the player (Japanese)
// and is shown as it is by the window's error report.
class DomainError : public std::runtime_error
{
public:
    explicit DomainError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};
