#include "gui/services/ResultsDownload.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslSocket>
#include <QTimer>
#include <utility>

namespace
{

// Whether the body is a web page or any other markup (an HTML document, an XML prolog, a
// comment, a bare <head>), as the login page of a network that needs one is: its first
// character after a byte order mark and blanks is "<", which begins no line of data.
bool isWebPage(const QByteArray &body)
{
    QByteArray head = body.left(256);
    if (head.startsWith("\xEF\xBB\xBF"))
        head.remove(0, 3);
    return head.trimmed().startsWith('<');
}

// Whether the whole body is known to have arrived: its length was announced (and checked by
// the transfer), it came in chunks that end with the last one, it came over HTTP/2, whose
// stream ends on purpose, or its last line has its line end. Otherwise the connection's
// close is all that ended it, and that may have cut it inside a number.
bool provedWhole(const QNetworkReply &reply, const QByteArray &body)
{
    if (reply.header(QNetworkRequest::ContentLengthHeader).isValid())
        return true;
    if (reply.rawHeader("Transfer-Encoding").toLower().contains("chunked"))
        return true;
    if (reply.attribute(QNetworkRequest::Http2WasUsedAttribute).toBool())
        return true;
    return body.isEmpty() || body.endsWith('\n') || body.endsWith('\r');
}

} // namespace

ResultsDownload::ResultsDownload(const QString &baseUrl, QObject *parent) : QObject(parent)
{
    QString base = baseUrl.trimmed();
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    m_base = QUrl(base, QUrl::StrictMode);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { abort(Stop::TimedOut); });
}

ResultsDownload::~ResultsDownload()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

bool ResultsDownload::isWebAddress(const QUrl &url)
{
    const QString scheme = url.scheme();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

QUrl ResultsDownload::address(const QString &remotePath) const
{
    if (!isWebAddress(m_base))
        return QUrl();
    return m_base.resolved(QUrl(remotePath));
}

void ResultsDownload::start(const QString &remotePath)
{
    const QUrl url = address(remotePath);
    if (!url.isValid())
        return failLater(
            DownloadFailure(QStringLiteral("ダウンロード先のアドレス「%1」が正しくありません。")
                                .arg(m_base.toString()),
                            false));
    startUrl(url);
}

void ResultsDownload::failLater(const DownloadFailure &failure)
{
    QTimer::singleShot(0, this,
                       [this, message = failure.message(), network = failure.networkProblem()] {
                           emit failed(message, network);
                       });
}

void ResultsDownload::startUrl(const QUrl &url)
{
    if (!isWebAddress(url))
        return failLater(
            DownloadFailure(QStringLiteral("ダウンロード先のアドレス「%1」が正しくありません。")
                                .arg(url.toString()),
                            false));
    if (url.scheme() == QLatin1String("https") && !QSslSocket::supportsSsl())
        return failLater(
            DownloadFailure(QStringLiteral("このコンピューターでは https の暗号化通信を使えません"
                                           "（OpenSSL 3 のライブラリが見つかりません）。"),
                            false));

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);

    m_url = url;
    m_body.clear();
    m_stop = Stop::None;
    m_reply = m_network.get(request);
    // Without a bound the network thread reads as fast as the server sends and queues it all
    // for this thread, whatever the size limit: an endless body could take gigabytes before the
    // limit was seen. Bounded, it waits until the body has taken the buffer's content.
    m_reply->setReadBufferSize(kReadBufferSize);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_sizeLimit)
            abort(Stop::TooLarge);
    });
    connect(m_reply, &QNetworkReply::readyRead, this, [this] {
        if (!takeArrived(*m_reply))
            abort(Stop::TooLarge);
    });
    connect(m_reply, &QNetworkReply::finished, this, &ResultsDownload::onFinished);
    m_deadline.start(m_timeoutMs);
}

void ResultsDownload::stop()
{
    if (m_reply)
        abort(Stop::Stopped);
}

void ResultsDownload::abort(Stop why)
{
    if (!m_reply || m_stop != Stop::None)
        return;
    m_stop = why;
    m_reply->abort(); // finished() follows at once
}

bool ResultsDownload::takeArrived(QNetworkReply &reply)
{
    // One byte over the limit is enough to refuse the body; more is never read.
    while (reply.bytesAvailable() > 0 && m_body.size() <= m_sizeLimit)
        m_body += reply.read(qMin(reply.bytesAvailable(), m_sizeLimit + 1 - m_body.size()));
    return m_body.size() <= m_sizeLimit;
}

void ResultsDownload::onFinished()
{
    m_deadline.stop();
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    if (m_stop == Stop::None && !takeArrived(*reply))
        m_stop = Stop::TooLarge;
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorText = reply->errorString();
    const QUrl finalUrl = reply->url(); // the target of the redirects followed
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString reason =
        reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
    const bool whole = provedWhole(*reply, m_body);
    const QByteArray body = std::exchange(m_body, QByteArray());

    const QString where = m_url.toString();
    const auto fail = [this](const QString &message, bool networkProblem) {
        emit failed(message, networkProblem);
    };
    if (m_stop == Stop::Stopped)
        return fail(QStringLiteral("%1 の取得を中止しました。").arg(where), false);
    if (m_stop == Stop::TimedOut)
        return fail(QStringLiteral("%1 のダウンロードが %2 秒以内に終わりませんでした。")
                        .arg(where)
                        .arg(m_timeoutMs / 1000.0),
                    true);
    if (m_stop == Stop::TooLarge)
        return fail(QStringLiteral("%1 の大きさが上限（%2 バイト）を超えています。")
                        .arg(where)
                        .arg(m_sizeLimit),
                    false);
    if (error == QNetworkReply::SslHandshakeFailedError)
        return fail(QStringLiteral("%1 との暗号化通信（TLS）を確立できません（%2）。")
                        .arg(finalUrl.toString(), errorText),
                    false);
    // A redirect was followed, but its target never answered: the status is still the
    // redirect's, the error the connection's.
    if (status >= 300 && status <= 399 && error != QNetworkReply::NoError &&
        error < QNetworkReply::ProxyConnectionRefusedError)
        return fail(QStringLiteral("%1（%2 の転送先）に接続できません（%3）。")
                        .arg(finalUrl.toString(), where, errorText),
                    true);
    if (status != 0 && (status < 200 || status > 299))
        return fail(QStringLiteral("サーバーの応答：%1 %2（%3）").arg(status).arg(reason, where),
                    false);
    if (status != 0 && error != QNetworkReply::NoError)
        return fail(QStringLiteral("%1 の受信が途中で切れました（%2）。").arg(where, errorText),
                    false);
    if (error != QNetworkReply::NoError || status == 0) {
        // Before any answer: the server was not reached, unless the address itself was refused.
        const bool reachable = error == QNetworkReply::ProtocolUnknownError ||
                               error == QNetworkReply::ProtocolInvalidOperationError;
        return fail(QStringLiteral("%1 に接続できません（%2）。").arg(where, errorText),
                    !reachable);
    }
    if (isWebPage(body))
        return fail(
            QStringLiteral("取得したデータが CSV ではなく Web ページでした。\n"
                           "ホテルや駅などの、ブラウザーでログインが必要なネットワークでは、"
                           "このようなページが返されます。ブラウザーでログインしてから、"
                           "もう一度ダウンロードしてください。"),
            false);
    if (!whole)
        return fail(
            QStringLiteral("%1 の受信が最後まで届いたことを確かめられません（長さの通知がなく、"
                           "最後の行に改行がありません）。")
                .arg(where),
            false);
    emit finished(body);
}
