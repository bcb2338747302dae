#include "store/settings_file.h"

#include <fcntl.h>
#include <memory>
#include <optional>
#include <unistd.h>
#include <mutex>

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

// The bytes of a small file with plain system calls; QFile costs several times more per read.
std::optional<QByteArray> readWhole(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    QByteArray content;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        content.append(buffer, got);
    ::close(fd);
    if (got < 0)
        return std::nullopt;
    return content;
}

bool failed(std::string* error, const QString& message) {
    if (error)
        *error = message.toStdString();
    return false;
}

}  // namespace

std::shared_ptr<const QVariantMap> ReadSettingsFile() {
    // Parsing costs far more than reading a few hundred bytes, and runs read settings after
    // every record: the bytes decide whether the last parse still holds.
    static std::mutex mutex;
    static QString parsedPath;
    static QByteArray parsedContent;
    static std::shared_ptr<const QVariantMap> parsed;

    const QString path = iniPath();
    const std::optional<QByteArray> content = readWhole(path);
    if (!content)
        return nullptr;
    {
        std::lock_guard lock(mutex);
        if (parsed && path == parsedPath && *content == parsedContent)
            return parsed;
    }
    const auto copy = freshCopy(*content);
    const QSettings settings(copy ? copy->fileName() : path, QSettings::IniFormat);
    auto values = std::make_shared<QVariantMap>();
    for (const QString& key : settings.allKeys())
        values->insert(key, settings.value(key));
    std::lock_guard lock(mutex);
    parsedPath = path;
    parsedContent = *content;
    parsed = std::move(values);
    return parsed;
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
