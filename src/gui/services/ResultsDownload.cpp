#include "gui/services/ResultsDownload.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslSocket>
#include <QTimer>
#include <QWindow>

namespace
{

// Drops mouse, key and touch input to every window for its lifetime, except the input to
// `passes`; everything else (painting, timers, the network) goes on.
class InputBlocker : public QObject
{
public:
    explicit InputBlocker(QObject *passes) : m_passes(passes)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~InputBlocker() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The windows hand their input on to the widget under the mouse or with the focus,
        // where it is held back unless it is for `passes`.
        if (m_passes && (watched == m_passes || qobject_cast<QWindow *>(watched)))
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
            return true;
        default:
            return false;
        }
    }

private:
    QObject *m_passes;
};

enum class Stop { None, TimedOut, TooLarge, Stopped };

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

ResultsDownload::ResultsDownload(const QString &baseUrl)
{
    QString base = baseUrl.trimmed();
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    m_base = QUrl(base, QUrl::StrictMode);
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

QByteArray ResultsDownload::fetch(const QString &remotePath)
{
    const QUrl url = address(remotePath);
    if (!url.isValid())
        throw DownloadFailure(QStringLiteral("ダウンロード先のアドレス「%1」が正しくありません。")
                                  .arg(m_base.toString()),
                              false);
    return fetchUrl(url);
}

QByteArray ResultsDownload::fetchUrl(const QUrl &url)
{
    if (!isWebAddress(url))
        throw DownloadFailure(QStringLiteral("ダウンロード先のアドレス「%1」が正しくありません。")
                                  .arg(url.toString()),
                              false);
    if (url.scheme() == QLatin1String("https") && !QSslSocket::supportsSsl())
        throw DownloadFailure(QStringLiteral("このコンピューターでは https の暗号化通信を使えません"
                                             "（OpenSSL 3 のライブラリが見つかりません）。"),
                              false);

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);

    QNetworkReply *reply = m_network.get(request);
    QByteArray body;
    Stop stop = Stop::None;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject watch; // its end cuts the connections below before the locals they use go

    QObject::connect(&deadline, &QTimer::timeout, &watch, [&] {
        stop = Stop::TimedOut;
        reply->abort();
    });
    auto tooLarge = [&] {
        stop = Stop::TooLarge;
        reply->abort();
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &watch, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > m_sizeLimit)
            tooLarge();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &watch, [&] {
        body += reply->readAll();
        if (body.size() > m_sizeLimit)
            tooLarge();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (m_stop) {
        QObject::connect(m_stop, &FetchStop::stopRequested, &watch, [&] {
            stop = Stop::Stopped;
            reply->abort();
        });
        if (m_stop->stopped()) {
            stop = Stop::Stopped;
            reply->abort();
        }
    }

    {
        InputBlocker noInput(m_stop ? m_stop->passes() : nullptr);
        deadline.start(m_timeoutMs);
        if (!reply->isFinished())
            loop.exec();
        deadline.stop();
    }
    if (stop == Stop::None)
        body += reply->readAll();
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorText = reply->errorString();
    const QUrl finalUrl = reply->url(); // the target of the redirects followed
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString reason =
        reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString().trimmed();
    const bool whole = provedWhole(*reply, body);
    reply->deleteLater();

    const QString where = url.toString();
    if (stop == Stop::Stopped)
        throw DownloadFailure(QStringLiteral("%1 の取得を中止しました。").arg(where), false);
    if (stop == Stop::TimedOut)
        throw DownloadFailure(QStringLiteral("%1 のダウンロードが %2 秒以内に終わりませんでした。")
                                  .arg(where)
                                  .arg(m_timeoutMs / 1000.0),
                              true);
    if (stop == Stop::TooLarge)
        throw DownloadFailure(QStringLiteral("%1 の大きさが上限（%2 バイト）を超えています。")
                                  .arg(where)
                                  .arg(m_sizeLimit),
                              false);
    if (error == QNetworkReply::SslHandshakeFailedError)
        throw DownloadFailure(QStringLiteral("%1 との暗号化通信（TLS）を確立できません（%2）。")
                                  .arg(finalUrl.toString(), errorText),
                              false);
    // A redirect was followed, but its target never answered: the status is still the
    // redirect's, the error the connection's.
    if (status >= 300 && status <= 399 && error != QNetworkReply::NoError &&
        error < QNetworkReply::ProxyConnectionRefusedError)
        throw DownloadFailure(QStringLiteral("%1（%2 の転送先）に接続できません（%3）。")
                                  .arg(finalUrl.toString(), where, errorText),
                              true);
    if (status != 0 && (status < 200 || status > 299))
        throw DownloadFailure(
            QStringLiteral("サーバーの応答：%1 %2（%3）").arg(status).arg(reason, where), false);
    if (status != 0 && error != QNetworkReply::NoError)
        throw DownloadFailure(
            QStringLiteral("%1 の受信が途中で切れました（%2）。").arg(where, errorText), false);
    if (error != QNetworkReply::NoError || status == 0) {
        // Before any answer: the server was not reached, unless the address itself was refused.
        const bool reachable = error == QNetworkReply::ProtocolUnknownError ||
                               error == QNetworkReply::ProtocolInvalidOperationError;
        throw DownloadFailure(QStringLiteral("%1 に接続できません（%2）。").arg(where, errorText),
                              !reachable);
    }
    if (isWebPage(body))
        throw DownloadFailure(
            QStringLiteral("取得したデータが CSV ではなく Web ページでした。\n"
                           "ホテルや駅などの、ブラウザーでログインが必要なネットワークでは、"
                           "このようなページが返されます。ブラウザーでログインしてから、"
                           "もう一度ダウンロードしてください。"),
            false);
    if (!whole)
        throw DownloadFailure(
            QStringLiteral("%1 の受信が最後まで届いたことを確かめられません（長さの通知がなく、"
                           "最後の行に改行がありません）。")
                .arg(where),
            false);
    return body;
}
