#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "run/page_search.h"
#include "store/company_record.h"

// The markers that cut company pages are written in the source as readable UTF-8 and held as
// the GBK bytes the pages carry, converted once into function-local statics (thread-safe).
namespace corpgather {

// A marker written as readable UTF-8, as GBK bytes.
std::string GbkMarker(std::string_view utf8);

// `count` blanks or tab characters, for markers that begin or end with them: the count is
// written once, as a number.
std::string Blanks(int count);
std::string Tabs(int count);
// `count` non-breaking-space entities "&nbsp;".
std::string Nbsp(int count);

// What is done to a clean value once it is cut.
enum class AfterCut { Nothing, NbspToSpace, JoinLineBreak };

// One value of a page, read clean: the text between `start` and the next `end` after the first
// `anchor`, tags removed and trimmed. Built from UTF-8; holds GBK.
struct FieldRule {
    FieldRule(CompanyColumn column, std::string_view anchor, std::string_view start,
              std::string_view end, AfterCut after = AfterCut::Nothing);

    CompanyColumn column;
    std::string anchor;
    std::string start;
    std::string end;
    AfterCut after;
};

// Puts a GBK value into the record as UTF-8; invalid bytes become U+FFFD.
void PutValue(CompanyRecord& record, CompanyColumn column, std::string_view gbk);

// The rules of one source, read in order; a value whose anchor the source lacks is not set.
class FieldRules final {
public:
    FieldRules(std::initializer_list<FieldRule> rules);

    void read(std::string_view source, CompanyRecord& record) const;

private:
    std::vector<FieldRule> rules_;
    MarkerFinder anchors_;
};

}  // namespace corpgather
