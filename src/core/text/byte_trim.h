#pragma once

#include <string_view>

namespace corpgather {

// Blanks and control bytes: every byte of code 32 or less.
inline bool IsBlankByte(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

inline std::string_view TrimLeftBytes(std::string_view text) {
    size_t begin = 0;
    while (begin < text.size() && IsBlankByte(text[begin]))
        ++begin;
    return text.substr(begin);
}

inline std::string_view TrimBytes(std::string_view text) {
    text = TrimLeftBytes(text);
    size_t end = text.size();
    while (end > 0 && IsBlankByte(text[end - 1]))
        --end;
    return text.substr(0, end);
}

}  // namespace corpgather
