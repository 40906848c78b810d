#pragma once

#include "core/common/ComType.h"

#include <QPoint>
#include <QSet>
#include <QSettings>
#include <QString>
#include <memory>

// The range of the line-count and threshold fields of the options page.
constexpr int kPickFieldMin = 1;
constexpr int kPickFieldMax = 100;

// Where the results come from: a public CSV of the whole history (the default), or a server
// that publishes the two results files under "download/", used when its address is set.
struct DownloadSettings {
    static constexpr int kDefaultTimeoutSeconds = 30;
    // The time-outs the settings dialog offers.
    static constexpr int kMinTimeoutSeconds = 1;
    static constexpr int kMaxTimeoutSeconds = 600;
    QString historyUrl;
    QString baseUrl;
    int timeoutSeconds = kDefaultTimeoutSeconds;

    // The time-out of one transfer, within the bounds above whatever timeoutSeconds holds.
    int timeoutMilliseconds() const
    {
        return qBound(kMinTimeoutSeconds, timeoutSeconds, kMaxTimeoutSeconds) * 1000;
    }
};
inline const QString kDefaultHistoryUrl = QStringLiteral("https://loto6.thekyo.jp/data/loto6.csv");

// The per-user settings: on Windows the registry key
// HKEY_CURRENT_USER\Software\Pelmora\Loto6Yorune, elsewhere an INI file in the user's
// configuration folder. Every value is stored as text; an absent value, or an integer value
// whose text is not an integer, reads as its default. The pick options are brought into the
// ranges their fields allow, since they may come from anywhere (an edited file, the registry).
class AppSettings
{
public:
    AppSettings();                                // the user's settings store
    explicit AppSettings(const QString &iniPath); // a given INI file (tests, tools)

    int readInteger(const QString &section, const QString &name, int defaultValue) const;
    QString readString(const QString &section, const QString &name,
                       const QString &defaultValue = QString()) const;
    void writeInteger(const QString &section, const QString &name, int value);
    void writeString(const QString &section, const QString &name, const QString &value);

    QPoint readWindowPosition() const;
    void writeWindowPosition(const QPoint &topLeft);
    // AutoNum and RangeNum within kPickFieldMin..kPickFieldMax (nearest bound), OptionIndex
    // as stored (any value outside 0..3 selects the count-filtered method), DeleteNum as text.
    PickSettings readPickSettings() const;
    void writePickSettings(const PickSettings &pick);

    // Section "Download": HistoryUrl, BaseUrl, TimeoutSeconds. An empty HistoryUrl reads as
    // its default; a time-out outside 1..600 seconds as the nearest bound.
    DownloadSettings readDownloadSettings() const;
    void writeDownloadSettings(const DownloadSettings &download);

    // Writes pending changes out; false when the store could not be written.
    bool sync();

    // Section "Entry": TypedDraws, where an older version kept the numbers of the draws the
    // player typed in, as a comma list ("2038,2039"); they now live in the data folder (see
    // TypedDraws.h). Text that is not a positive draw number is passed over.
    QSet<int> readTypedDraws() const;
    void removeTypedDraws();

private:
    std::unique_ptr<QSettings> m_store;
};
