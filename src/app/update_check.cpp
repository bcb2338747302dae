#include "update_check.h"

#include <QNetworkReply>
#include <QNetworkRequest>

#include "app_identity.h"
#include "store/settings.h"

namespace corpgather {
namespace {

constexpr int kTransferTimeoutMs = 30000;

QNetworkRequest request(const QUrl& url) {
    QNetworkRequest request(url);
    request.setTransferTimeout(kTransferTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    return request;
}

QString noticeText(UpdateNotice kind, const QUrl& url) {
    switch (kind) {
        case UpdateNotice::ConnectionLost:
            return QStringLiteral("与更新服务器的连接已中断。");
        case UpdateNotice::FileMissing:
            return QStringLiteral("更新服务器上缺少升级文件：%1").arg(url.toString());
        case UpdateNotice::NoInfoFile:
            return QStringLiteral("更新服务器上没有升级信息文件：%1").arg(url.toString());
        case UpdateNotice::PasswordRequest:
            return QStringLiteral("更新服务器要求输入用户名和密码。");
    }
    return {};
}

}  // namespace

UpdateCheck::UpdateCheck(QObject* parent) : QObject(parent) {}

QUrl UpdateCheck::InfoUrl() {
    return QUrl(QString::fromStdString(GetUpdateInfoUrl()));
}

bool UpdateCheck::ParseInfo(const QByteArray& content, const QUrl& base, UpdateInfo* info) {
    bool inSection = false;
    bool haveVersion = false;
    UpdateInfo parsed;
    for (const QByteArray& rawLine : content.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith('[')) {
            inSection = line.compare(QStringLiteral("[Upgrade]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inSection || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed().toLower();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QStringLiteral("version"))
            parsed.versionNumber = value.toInt(&haveVersion);
        else if (key == QStringLiteral("date"))
            parsed.date = value;
        else if (key == QStringLiteral("setup"))
            parsed.setupUrl = base.resolved(QUrl(value));
    }
    if (!haveVersion || parsed.setupUrl.isEmpty())
        return false;
    *info = parsed;
    return true;
}

bool UpdateCheck::start() {
    const QUrl url = InfoUrl();
    if (!url.isValid() || url.isRelative())
        return false;
    QNetworkReply* reply = network_.get(request(url));
    connect(reply, &QNetworkReply::finished, this, [this, reply] { infoArrived(reply); });
    return true;
}

bool UpdateCheck::reportFailure(QNetworkReply* reply, UpdateNotice missing) {
    switch (reply->error()) {
        case QNetworkReply::NoError:
            return false;
        case QNetworkReply::ContentNotFoundError:
        case QNetworkReply::ContentGoneError:
            emit notice(missing, noticeText(missing, reply->url()));
            break;
        case QNetworkReply::AuthenticationRequiredError:
        case QNetworkReply::ProxyAuthenticationRequiredError:
            emit notice(UpdateNotice::PasswordRequest,
                        noticeText(UpdateNotice::PasswordRequest, reply->url()));
            break;
        case QNetworkReply::RemoteHostClosedError:
        case QNetworkReply::ProtocolFailure:
            emit notice(UpdateNotice::ConnectionLost,
                        noticeText(UpdateNotice::ConnectionLost, reply->url()));
            break;
        default:
            // Host not found, connection refused, time-out, a failing server: unreachable.
            break;
    }
    return true;
}

void UpdateCheck::infoArrived(QNetworkReply* reply) {
    reply->deleteLater();
    if (reportFailure(reply, UpdateNotice::NoInfoFile))
        return end();
    UpdateInfo info;
    if (!ParseInfo(reply->readAll(), reply->url(), &info)) {
        emit notice(UpdateNotice::NoInfoFile, noticeText(UpdateNotice::NoInfoFile, reply->url()));
        return end();
    }
    if (info.versionNumber <= VersionNumber().toInt())
        return end();
    QNetworkReply* setup = network_.head(request(info.setupUrl));
    connect(setup, &QNetworkReply::finished, this,
            [this, setup, info] { setupChecked(setup, info); });
}

void UpdateCheck::setupChecked(QNetworkReply* reply, const UpdateInfo& info) {
    reply->deleteLater();
    if (!reportFailure(reply, UpdateNotice::FileMissing))
        emit updateAvailable(info);
    end();
}

void UpdateCheck::end() {
    emit finished();
}

}  // namespace corpgather
