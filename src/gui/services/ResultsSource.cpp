#include "gui/services/ResultsSource.h"

#include "core/results/ResultsFiles.h"
#include "gui/services/ResultsDownload.h"

ResultsFetch::ResultsFetch(const DownloadSettings &settings, QObject *parent)
    : QObject(parent), m_settings(settings), m_fromServer(!settings.baseUrl.trimmed().isEmpty())
{
    m_download = new ResultsDownload(m_fromServer ? settings.baseUrl : QString(), this);
    m_download->setTimeout(settings.timeoutMilliseconds());
    connect(m_download, &ResultsDownload::finished, this, &ResultsFetch::takeBody);
    connect(m_download, &ResultsDownload::failed, this,
            [this](const QString &message, bool networkProblem) {
                emit failed(failureExplanation(message, networkProblem));
            });
}

ResultsFetch::~ResultsFetch() = default;

void ResultsFetch::start()
{
    m_bodies = {};
    m_haveNumbers = false;
    if (m_fromServer)
        m_download->start(kDownloadFolder + kNumberFileName);
    else
        m_download->startUrl(QUrl(m_settings.historyUrl.trimmed(), QUrl::StrictMode));
}

void ResultsFetch::stop()
{
    m_download->stop();
}

void ResultsFetch::takeBody(const QByteArray &body)
{
    if (!m_fromServer) {
        ResultsBodies bodies;
        try {
            bodies = convertHistoryFeed(body);
        } catch (const std::exception &error) {
            emit failed(failureExplanation(error));
            return;
        }
        emit fetched(bodies);
        return;
    }
    // The draws first, then their prizes.
    if (!m_haveNumbers) {
        m_haveNumbers = true;
        m_bodies.numbers = body;
        m_download->start(kDownloadFolder + kDataFileName);
        return;
    }
    m_bodies.prizes = body;
    emit fetched(m_bodies);
}

QString failureExplanation(const QString &cause, bool networkProblem)
{
    if (networkProblem)
        return QStringLiteral("ネットワークの接続状態を確認してください！！\n") + cause;
    return QLatin1Char('\n') + cause;
}

QString failureExplanation(const std::exception &error)
{
    const auto *domain = dynamic_cast<const DomainError *>(&error);
    const QString cause =
        domain ? domain->message()
               : QStringLiteral("予期しないエラー（%1）").arg(QString::fromLocal8Bit(error.what()));
    const auto *failure = dynamic_cast<const DownloadFailure *>(&error);
    return failureExplanation(cause, failure && failure->networkProblem());
}
