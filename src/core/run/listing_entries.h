#pragma once

#include <string>
#include <string_view>

namespace corpgather {

// The listing markers, as GBK bytes.
const std::string& EntryMark();
const std::string& InquiryMark();

// The values of one listing entry, as GBK bytes.
struct ListingEntry {
    std::string memberId;
    std::string companyName;
    std::string sourceUrl;
};

// Takes the entries of a result listing one after another. Each entry runs from its entry
// marker through its inquiry marker and one byte more; the next entry is searched from the
// second byte of that inquiry marker. An entry without an inquiry marker of its own runs to
// the next entry marker, so the cursor always advances.
class ListingCursor final {
public:
    explicit ListingCursor(std::string_view listText) : rest_(listText) {}

    bool next(ListingEntry& entry);

private:
    std::string_view rest_;
};

}  // namespace corpgather
