#pragma once

#include <string>

class QDateTime;

namespace corpgather {

// A record's collection time as the system writes dates and times: its short date format, a
// blank and its long time format; the time is left out at 00:00:00.
std::string FormatSearchTime(const QDateTime& when);

}  // namespace corpgather
