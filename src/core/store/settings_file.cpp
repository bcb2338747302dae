#include "store/settings_file.h"

#include <memory>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryFile>

#include "store/settings.h"

namespace corpgather::store_detail {
namespace {

QString iniPath() {
    return QString::fromStdString(GetIniFileName());
}

// QSettings re-parses a file it has seen before only when its size or time stamp changed, so a
// rewrite of the same size within one clock tick would go unseen. A copy under a name never
// used before is always parsed afresh.
std::unique_ptr<QTemporaryFile> freshCopy(const QByteArray& content) {
    auto copy = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/CorpGather-XXXXXX.ini");
    if (!copy->open() || copy->write(content) != content.size() || !copy->flush())
        return nullptr;
    copy->close();
    return copy;
}

bool failed(std::string* error, const QString& message) {
    if (error)
        *error = message.toStdString();
    return false;
}

}  // namespace

void ReadSettingsFile(const std::function<void(const QSettings&)>& read) {
    QFile file(iniPath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const auto copy = freshCopy(file.readAll());
    const QSettings settings(copy ? copy->fileName() : iniPath(), QSettings::IniFormat);
    read(settings);
}

bool WriteSettingsFile(const std::function<void(QSettings&)>& write, std::string* error) {
    const QString path = iniPath();
    QByteArray content;
    QFile original(path);
    if (original.exists()) {
        if (!original.open(QIODevice::ReadOnly))
            return failed(error, original.errorString());
        content = original.readAll();
        original.close();
    }
    const auto copy = freshCopy(content);
    if (!copy)
        return failed(error, "cannot make a working copy of " + path);
    {
        QSettings settings(copy->fileName(), QSettings::IniFormat);
        write(settings);
        settings.sync();
        if (settings.status() != QSettings::NoError) {
            return failed(error, "cannot write the settings to " + copy->fileName());
        }
    }
    QFile edited(copy->fileName());
    if (!edited.open(QIODevice::ReadOnly))
        return failed(error, edited.errorString());
    const QByteArray result = edited.readAll();
    QSaveFile target(path);
    if (!target.open(QIODevice::WriteOnly) || target.write(result) != result.size() ||
        !target.commit()) {
        return failed(error, path + ": " + target.errorString());
    }
    return true;
}

}  // namespace corpgather::store_detail
