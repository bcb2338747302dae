#pragma once

#include <string>

namespace corpgather {

// The program folder with its trailing separator; every file of the program is found from it.
// Order of precedence: SetAppPathOverride, the CORPGATHER_HOME environment variable, the
// folder of the running executable. Surrounding blanks are trimmed.
std::string GetAppPath();

// Points the program folder elsewhere (the --home option, tests). An empty text clears it.
void SetAppPathOverride(const std::string& folder);

}  // namespace corpgather
