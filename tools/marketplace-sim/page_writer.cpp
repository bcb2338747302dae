#include "page_writer.h"

#include "gbk_encode.h"

namespace marketsim {

namespace {

// 0xFF never occurs in GBK, and 0x7F is no valid trail byte after the lead byte 0x81.
constexpr std::string_view kBadGbk = "\xFF\x81\x7F";
constexpr std::string_view kNul{"\0", 1};

}  // namespace

GbkPageWriter::GbkPageWriter(Corruption corruption) : corruption_(corruption) {
    out_.reserve(96 * 1024);
}

GbkPageWriter& GbkPageWriter::markup(std::string_view utf8) {
    AppendGbk(out_, utf8);
    return *this;
}

GbkPageWriter& GbkPageWriter::raw(std::string_view gbk) {
    out_.append(gbk);
    return *this;
}

GbkPageWriter& GbkPageWriter::value(std::string_view utf8) {
    if (corruption_ == Corruption::none)
        return markup(utf8);
    const std::string gbk = ToGbk(utf8);
    const std::size_t middle = GbkMiddle(gbk);
    out_.append(gbk, 0, middle);
    out_.append(corruption_ == Corruption::badGbk ? kBadGbk : kNul);
    out_.append(gbk, middle);
    return *this;
}

GbkPageWriter& GbkPageWriter::entryGap() {
    if (corruption_ == Corruption::nul)
        out_.append(kNul);
    return *this;
}

}  // namespace marketsim
