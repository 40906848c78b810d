#include "core/platform/Settings.h"

#include "core/common/Formats.h"

#include <QStringList>
#include <algorithm>

namespace
{

const QString kWindows = QStringLiteral("Windows");
const QString kOptions = QStringLiteral("Options");
const QString kDownload = QStringLiteral("Download");
const QString kEntry = QStringLiteral("Entry");

QString key(const QString &section, const QString &name)
{
    return section + QLatin1Char('/') + name;
}

// A whole number too long for any int, as digits with an optional sign: its sign, else 0.
int overflowSign(const QString &text)
{
    const QString trimmed = text.trimmed();
    const bool negative = trimmed.startsWith(QLatin1Char('-'));
    const QString digits =
        negative || trimmed.startsWith(QLatin1Char('+')) ? trimmed.mid(1) : trimmed;
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        }))
        return 0;
    return negative ? -1 : 1;
}

// On Windows the registry key HKEY_CURRENT_USER\Software\Pelmora\Loto6Yorune, unless Qt's
// default format was set to INI files (as the tests do, each in a folder of its own);
// elsewhere Pelmora/Loto6Yorune.ini in the user's settings folder.
std::unique_ptr<QSettings> userSettings()
{
#ifdef Q_OS_WIN
    if (QSettings::defaultFormat() != QSettings::IniFormat)
        return std::make_unique<QSettings>(
            QStringLiteral("HKEY_CURRENT_USER\\Software\\Pelmora\\Loto6Yorune"),
            QSettings::NativeFormat);
#endif
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Pelmora"), QStringLiteral("Loto6Yorune"));
}

} // namespace

AppSettings::AppSettings() : m_store(userSettings()) {}

AppSettings::AppSettings(const QString &iniPath)
    : m_store(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

int AppSettings::readInteger(const QString &section, const QString &name, int defaultValue) const
{
    const QVariant value = m_store->value(key(section, name));
    if (!value.isValid())
        return defaultValue;
    return parseInteger(value.toString()).value_or(defaultValue);
}

QString AppSettings::readString(const QString &section, const QString &name,
                                const QString &defaultValue) const
{
    const QVariant value = m_store->value(key(section, name));
    return value.isValid() ? value.toString() : defaultValue;
}

void AppSettings::writeInteger(const QString &section, const QString &name, int value)
{
    m_store->setValue(key(section, name), QString::number(value));
}

void AppSettings::writeString(const QString &section, const QString &name, const QString &value)
{
    m_store->setValue(key(section, name), value);
}

QPoint AppSettings::readWindowPosition() const
{
    return {readInteger(kWindows, QStringLiteral("Left"), 0),
            readInteger(kWindows, QStringLiteral("Top"), 0)};
}

void AppSettings::writeWindowPosition(const QPoint &topLeft)
{
    writeInteger(kWindows, QStringLiteral("Left"), topLeft.x());
    writeInteger(kWindows, QStringLiteral("Top"), topLeft.y());
}

PickSettings AppSettings::readPickSettings() const
{
    const PickSettings defaults;
    PickSettings pick;
    // A number outside the field's range becomes the nearest bound; anything else (including
    // a number too long for 32 bits) the default.
    const auto bounded = [this](const QString &name, int defaultValue) {
        return qBound(kPickFieldMin, readInteger(kOptions, name, defaultValue), kPickFieldMax);
    };
    pick.autoNum = bounded(QStringLiteral("AutoNum"), defaults.autoNum);
    pick.rangeNum = bounded(QStringLiteral("RangeNum"), defaults.rangeNum);
    pick.optionIndex = readInteger(kOptions, QStringLiteral("OptionIndex"), defaults.optionIndex);
    pick.deleteNum = readString(kOptions, QStringLiteral("DeleteNum"), defaults.deleteNum);
    return pick;
}

void AppSettings::writePickSettings(const PickSettings &pick)
{
    writeInteger(kOptions, QStringLiteral("AutoNum"), pick.autoNum);
    writeInteger(kOptions, QStringLiteral("RangeNum"), pick.rangeNum);
    writeInteger(kOptions, QStringLiteral("OptionIndex"), pick.optionIndex);
    writeString(kOptions, QStringLiteral("DeleteNum"), pick.deleteNum);
}

DownloadSettings AppSettings::readDownloadSettings() const
{
    DownloadSettings download;
    download.historyUrl = readString(kDownload, QStringLiteral("HistoryUrl")).trimmed();
    if (download.historyUrl.isEmpty())
        download.historyUrl = kDefaultHistoryUrl;
    download.baseUrl = readString(kDownload, QStringLiteral("BaseUrl")).trimmed();
    // A stored time-out outside the range reads as the nearest bound, also one too long for
    // 32 bits.
    const QString timeout = readString(kDownload, QStringLiteral("TimeoutSeconds"), QString());
    const std::optional<int> parsed = parseInteger(timeout);
    int seconds = parsed.value_or(DownloadSettings::kDefaultTimeoutSeconds);
    if (const int sign = parsed ? 0 : overflowSign(timeout))
        seconds =
            sign > 0 ? DownloadSettings::kMaxTimeoutSeconds : DownloadSettings::kMinTimeoutSeconds;
    download.timeoutSeconds =
        qBound(DownloadSettings::kMinTimeoutSeconds, seconds, DownloadSettings::kMaxTimeoutSeconds);
    return download;
}

void AppSettings::writeDownloadSettings(const DownloadSettings &download)
{
    writeString(kDownload, QStringLiteral("HistoryUrl"), download.historyUrl);
    writeString(kDownload, QStringLiteral("BaseUrl"), download.baseUrl);
    writeInteger(kDownload, QStringLiteral("TimeoutSeconds"), download.timeoutSeconds);
}

bool AppSettings::sync()
{
    m_store->sync();
    return m_store->status() == QSettings::NoError;
}

QSet<int> AppSettings::readTypedDraws() const
{
    // An INI file edited by hand may hold the list unquoted, which reads as a list of texts.
    const QVariant value = m_store->value(key(kEntry, QStringLiteral("TypedDraws")));
    const QString text = value.typeId() == QMetaType::QStringList
                             ? value.toStringList().join(QLatin1Char(','))
                             : value.toString();
    QSet<int> draws;
    for (const QString &item : text.split(QLatin1Char(','))) {
        const auto number = parseInteger(item.trimmed());
        if (number && *number > 0)
            draws.insert(*number);
    }
    return draws;
}

void AppSettings::removeTypedDraws()
{
    m_store->remove(key(kEntry, QStringLiteral("TypedDraws")));
}
