#pragma once

#include <functional>
#include <string>

class QSettings;

// The settings file CorpGather.ini as QSettings sees it, without the staleness of Qt's
// per-process cache of parsed files.
namespace corpgather::store_detail {

// Calls `read` with the file parsed as it is on disk at this moment; does not call it when the
// file is missing or unreadable.
void ReadSettingsFile(const std::function<void(const QSettings&)>& read);

// Lets `write` change the file's current content and replaces the file with the result in one
// step. On failure the file is left as it was and the error is returned.
bool WriteSettingsFile(const std::function<void(QSettings&)>& write, std::string* error);

}  // namespace corpgather::store_detail
