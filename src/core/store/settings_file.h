#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QVariantMap>

class QSettings;

// The settings file CorpGather.ini as QSettings sees it, without the staleness of Qt's
// per-process cache of parsed files.
namespace corpgather::store_detail {

// Every "Section/Key" of the file as QSettings reads it, as the file is on disk at this moment;
// nothing when the file is missing or unreadable. The file is read on every call; it is parsed
// again only when its bytes differ from the last ones parsed.
std::shared_ptr<const QVariantMap> ReadSettingsFile();

// Lets `write` change the file's current content and replaces the file with the result in one
// step. On failure the file is left as it was and the error is returned.
bool WriteSettingsFile(const std::function<void(QSettings&)>& write, std::string* error);

}  // namespace corpgather::store_detail
