#include "run/listing_entries.h"

#include "text/gbk.h"
#include "text/text_markers.h"

namespace corpgather {
namespace {

// Start and end markers of the values of an entry.
struct ValueMarks {
    std::string memberStart = Utf8ToGbk(R"(companyId=")");
    std::string memberEnd = Utf8ToGbk(R"(")");
    std::string nameStart = Utf8ToGbk(R"(" target="_blank" title=")");
    std::string nameEnd = Utf8ToGbk(R"(" offer-stat="com")");
    std::string urlStart = Utf8ToGbk(R"(<a class="Title" gotoDetail="2" href=")");
    std::string urlEnd = Utf8ToGbk(R"(" target="_blank")");
};

const ValueMarks& valueMarks() {
    static const ValueMarks marks;
    return marks;
}

}  // namespace

const std::string& EntryMark() {
    static const std::string mark = Utf8ToGbk(R"(<li class="offer paGetId" id="offer)");
    return mark;
}

const std::string& InquiryMark() {
    static const std::string mark =
        Utf8ToGbk(R"(<a href="#nogo" title="将您的询价单发送给该供应商" memberid=")");
    return mark;
}

bool ListingCursor::next(ListingEntry& entry) {
    const std::string& entryMark = EntryMark();
    const std::string& inquiryMark = InquiryMark();
    const size_t begin = rest_.find(entryMark);
    if (begin == std::string_view::npos) {
        rest_ = {};
        return false;
    }
    rest_.remove_prefix(begin);

    // An entry normally ends with its inquiry marker; one that lacks it ends where the next
    // entry begins, so no entry swallows the next one.
    std::string_view text;
    const size_t following = rest_.find(entryMark, entryMark.size());
    const std::string_view ownText =
        following == std::string_view::npos ? rest_ : rest_.substr(0, following + inquiryMark.size());
    const size_t inquiry = ownText.find(inquiryMark);
    if (inquiry != std::string_view::npos && (following == std::string_view::npos || inquiry < following)) {
        text = rest_.substr(0, inquiry + inquiryMark.size() + 1);
        rest_.remove_prefix(inquiry + 1);
    } else {
        text = rest_.substr(0, following);
        rest_.remove_prefix(following == std::string_view::npos ? rest_.size() : following);
    }

    const ValueMarks& marks = valueMarks();
    entry.memberId = BetweenText(text, marks.memberStart, marks.memberEnd);
    entry.companyName = BetweenText(text, marks.nameStart, marks.nameEnd);
    entry.sourceUrl = BetweenText(text, marks.urlStart, marks.urlEnd);
    return true;
}

}  // namespace corpgather
