#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkReply;

namespace corpgather {

// What the update-information file announces. It is a small INI text:
//   [Upgrade]
//   Version=7              the version number, compared with ours as a number
//   Date=2024-05-01        shown to the user
//   Setup=CorpGatherSetup  address of the set-up program, relative to the file's address
struct UpdateInfo {
    int versionNumber = 0;
    QString date;
    QUrl setupUrl;
};

// The kinds of trouble the check reports on its own. An unreachable host, and finding no
// newer version, are not reported.
enum class UpdateNotice {
    ConnectionLost,   // the server broke off the transfer
    FileMissing,      // the announced set-up program is not on the server
    NoInfoFile,       // the server has no update-information file at the address
    PasswordRequest,  // the server wants a user name and password
};

// One check for a newer version in the background, against the update-information address
// of the settings file (section Update, key InfoUrl); off when none is configured.
class UpdateCheck final : public QObject {
    Q_OBJECT

public:
    explicit UpdateCheck(QObject* parent = nullptr);

    // The configured address, empty when none.
    static QUrl InfoUrl();
    static bool ParseInfo(const QByteArray& content, const QUrl& base, UpdateInfo* info);

    // Starts the check and returns at once; false when no address is configured.
    bool start();

signals:
    void notice(corpgather::UpdateNotice kind, const QString& text);
    void updateAvailable(const corpgather::UpdateInfo& info);
    // The check is over, whatever its result.
    void finished();

private:
    void infoArrived(QNetworkReply* reply);
    void setupChecked(QNetworkReply* reply, const UpdateInfo& info);
    // Reports a failed transfer as its kind; false when the reply did not fail.
    bool reportFailure(QNetworkReply* reply, UpdateNotice missing);
    void end();

    QNetworkAccessManager network_;
};

}  // namespace corpgather
