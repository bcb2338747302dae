#include "text/byte_trim.h"
#include "text/text_markers.h"

namespace corpgather {

std::string StripTags(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    while (from < text.size()) {
        const size_t open = text.find('<', from);
        if (open == std::string_view::npos) {
            out.append(text.substr(from));
            break;
        }
        out.append(text.substr(from, open - from));
        const size_t close = text.find('>', open + 1);
        // An unterminated tag is a page cut short: nothing after it is text.
        if (close == std::string_view::npos)
            break;
        from = close + 1;
    }
    return out;
}

std::string NbspToSpace(std::string_view text) {
    constexpr std::string_view nbsp = "&nbsp;";
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    for (size_t at = text.find(nbsp); at != std::string_view::npos; at = text.find(nbsp, from)) {
        out.append(text.substr(from, at - from));
        out += ' ';
        from = at + nbsp.size();
        while (from < text.size() && IsBlankByte(text[from]))
            ++from;
    }
    out.append(text.substr(from));
    return out;
}

}  // namespace corpgather
