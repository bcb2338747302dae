#include "text/byte_trim.h"
#include "text/text_markers.h"

namespace corpgather {

std::string ReverseText(std::string_view text) {
    return std::string(text.rbegin(), text.rend());
}

std::string JoinAtLineBreak(std::string_view source, std::string_view separator) {
    const size_t at = source.find(separator);
    if (at == std::string_view::npos)
        return std::string(source);
    std::string joined(source.substr(0, at));
    joined += TrimLeftBytes(source.substr(at + separator.size()));
    return joined;
}

// Replacing the leftmost occurrence again and again can form new occurrences across the seam
// of an inserted text. Reading the source once into `out`, which never holds an occurrence,
// any new one must end at the byte just read; the inserted text is read next, as the source
// would be.
std::string ReplaceAllText(std::string_view oldText, std::string_view newText,
                           std::string_view source) {
    if (oldText.empty())
        return std::string(source);
    const char last = oldText.back();
    std::string out;
    out.reserve(source.size());
    std::string pending;  // inserted bytes still to be read, the next one at the back
    size_t next = 0;
    while (true) {
        if (!pending.empty()) {
            out += pending.back();
            pending.pop_back();
            if (out.back() != last)
                continue;
        } else {
            if (next >= source.size())
                break;
            // Only a byte equal to the marker's last one can complete an occurrence.
            const size_t stop = source.find(last, next);
            const size_t upto = stop == std::string_view::npos ? source.size() : stop + 1;
            out.append(source.substr(next, upto - next));
            next = upto;
            if (stop == std::string_view::npos)
                break;
        }
        if (std::string_view(out).ends_with(oldText)) {
            out.resize(out.size() - oldText.size());
            pending.append(newText.rbegin(), newText.rend());
        }
    }
    return out;
}

}  // namespace corpgather
