#pragma once

#include <string>

namespace corpgather {

// Excel's limit on the characters of one cell.
inline constexpr std::size_t kMaxCellCharacters = 32767;

// Makes a database value fit for a text cell: bytes that are no valid UTF-8, NUL, and characters
// that XML cannot carry become U+FFFD; a literal "_xHHHH_" gets its underscore escaped so that
// Excel does not decode it; the text is cut to kMaxCellCharacters (UTF-16 units, as Excel counts).
// Returns `value` itself when nothing needed changing, else `scratch` holding the fixed text.
const std::string& CellText(const std::string& value, std::string& scratch);

}  // namespace corpgather
