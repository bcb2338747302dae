#include "store/settings.h"

#include <charconv>
#include <climits>
#include <optional>
#include <string_view>

#include <QSettings>

#include "base/app_paths.h"
#include "store/settings_file.h"

namespace corpgather {
namespace {

// Decimal, or hexadecimal after "0x"; a sign and surrounding blanks are allowed.
std::optional<int> wholeNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    unsigned long long magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return {};
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    if (magnitude > static_cast<unsigned long long>(limit))
        return {};
    return static_cast<int>(negative ? -static_cast<long long>(magnitude) : magnitude);
}

// A missing key reads as an invalid value and one with a comma as a list: neither is a number.
std::optional<std::string> textValue(const QVariantMap& settings, const char* key) {
    const QVariant value = settings.value(QString::fromLatin1(key));
    if (value.typeId() != QMetaType::QString)
        return {};
    return value.toString().toStdString();
}

int readOption(const char* key, int fallback) {
    const auto settings = store_detail::ReadSettingsFile();
    if (!settings)
        return fallback;
    const auto text = textValue(*settings, (std::string("Option/") + key).c_str());
    const auto number = text ? wholeNumber(*text) : std::nullopt;
    return number ? *number : fallback;
}

// A trimmed text value; the target keeps its default when the key is missing or empty.
void readText(const QVariantMap& settings, const char* key, std::string& target) {
    const auto text = textValue(settings, key);
    if (!text)
        return;
    const QString trimmed = QString::fromStdString(*text).trimmed();
    if (!trimmed.isEmpty())
        target = trimmed.toStdString();
}

}  // namespace

std::string GetIniFileName() {
    return GetAppPath() + "CorpGather.ini";
}

int GetTimeOut() {
    return readOption("TimeOut", 60);
}
int GetTryNum() {
    return readOption("TryNum", 3);
}
int GetDisplay() {
    return readOption("Display", 500);
}
int GetRunTaskNum() {
    return readOption("RunTaskNum", 3);
}
int GetSaveNum() {
    return readOption("SaveNum", 25);
}
int GetIntervalData() {
    return readOption("IntervalData", 500);
}
int GetIntervalTime() {
    return readOption("IntervalTime", 60);
}
int GetComListDisplay() {
    return readOption("ComListDisplay", 0);
}

MarketplaceHosts GetHosts() {
    MarketplaceHosts hosts{"china.alibaba.com", ".cn.alibaba.com", "company.china.alibaba.com",
                           "member.china.alibaba.com"};
    if (const auto settings = store_detail::ReadSettingsFile()) {
        readText(*settings, "Hosts/Market", hosts.market);
        readText(*settings, "Hosts/ShopSuffix", hosts.shopSuffix);
        readText(*settings, "Hosts/CompanySite", hosts.companySite);
        readText(*settings, "Hosts/MemberProfile", hosts.memberProfile);
    }
    return hosts;
}

std::string GetUpdateInfoUrl() {
    std::string url;
    if (const auto settings = store_detail::ReadSettingsFile())
        readText(*settings, "Update/InfoUrl", url);
    return url;
}

bool WriteOptions(const std::map<std::string, int>& values, std::string* error) {
    for (const auto& [key, value] : values) {
        if (key.empty() || key.find_first_of("/\\") != std::string::npos) {
            if (error)
                *error = "not a key of section Option: \"" + key + '"';
            return false;
        }
    }
    return store_detail::WriteSettingsFile(
        [&](QSettings& settings) {
            settings.beginGroup(QStringLiteral("Option"));
            for (const auto& [key, value] : values) {
                settings.setValue(QString::fromStdString(key), QString::number(value));
            }
            settings.endGroup();
        },
        error);
}

bool WriteHosts(const MarketplaceHosts& hosts, std::string* error) {
    return store_detail::WriteSettingsFile(
        [&](QSettings& settings) {
            settings.beginGroup(QStringLiteral("Hosts"));
            settings.setValue(QStringLiteral("Market"), QString::fromStdString(hosts.market));
            settings.setValue(QStringLiteral("ShopSuffix"),
                              QString::fromStdString(hosts.shopSuffix));
            settings.setValue(QStringLiteral("CompanySite"),
                              QString::fromStdString(hosts.companySite));
            settings.setValue(QStringLiteral("MemberProfile"),
                              QString::fromStdString(hosts.memberProfile));
            settings.endGroup();
        },
        error);
}

}  // namespace corpgather
