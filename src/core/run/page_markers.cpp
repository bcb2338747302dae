#include "run/page_markers.h"

#include "run/page_search.h"
#include "text/gbk.h"
#include "text/text_markers.h"

namespace corpgather {

std::string GbkMarker(std::string_view utf8) {
    return Utf8ToGbk(utf8);
}

std::string Blanks(int count) {
    return std::string(count, ' ');
}

std::string Tabs(int count) {
    return std::string(count, '\t');
}

std::string Nbsp(int count) {
    std::string entities;
    for (int i = 0; i < count; ++i)
        entities += "&nbsp;";
    return entities;
}

FieldRule::FieldRule(CompanyColumn column, std::string_view anchor, std::string_view start,
                     std::string_view end, AfterCut after)
    : column(column),
      anchor(GbkMarker(anchor)),
      start(GbkMarker(start)),
      end(GbkMarker(end)),
      after(after) {}

void PutValue(CompanyRecord& record, CompanyColumn column, std::string_view gbk) {
    record[column] = GbkToUtf8(gbk);
}

void ReadFields(std::string_view source, std::span<const FieldRule> rules, CompanyRecord& record) {
    for (const FieldRule& rule : rules) {
        const std::string_view from = FromAnchor(source, rule.anchor);
        if (from.empty())
            continue;
        std::string value = FieldAfterAnchor(from, rule.anchor, rule.start, rule.end);
        switch (rule.after) {
            case AfterCut::Nothing:
                break;
            case AfterCut::NbspToSpace:
                value = NbspToSpace(value);
                break;
            case AfterCut::JoinLineBreak:
                value = JoinAtLineBreak(value, "\r\n");
                break;
        }
        PutValue(record, rule.column, value);
    }
}

}  // namespace corpgather
