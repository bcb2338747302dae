#pragma once

#include <string_view>

namespace corpgather {

// Appends "yyyy-mm-dd hh:mm:ss", three blanks and the message (UTF-8) as one CRLF-ended line to
// Log.txt in the program folder. Serialised across threads and processes; never throws and
// never disturbs the caller when the file cannot be written.
void WriteLog(std::string_view message);

}  // namespace corpgather
