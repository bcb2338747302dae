#include "run/page_markers.h"

#include "text/gbk.h"
#include "text/text_markers.h"

namespace corpgather {
namespace {

std::vector<std::string> anchorsOf(const std::vector<FieldRule>& rules) {
    std::vector<std::string> anchors;
    for (const FieldRule& rule : rules)
        anchors.push_back(rule.anchor);
    return anchors;
}

std::string afterCut(std::string value, AfterCut after) {
    switch (after) {
        case AfterCut::Nothing:
            break;
        case AfterCut::NbspToSpace:
            return NbspToSpace(value);
        case AfterCut::JoinLineBreak:
            return JoinAtLineBreak(value, "\r\n");
    }
    return value;
}

}  // namespace

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

FieldRules::FieldRules(std::initializer_list<FieldRule> rules)
    : rules_(rules), anchors_(anchorsOf(rules_)) {}

void FieldRules::read(std::string_view source, CompanyRecord& record) const {
    const std::vector<std::size_t> anchors = anchors_.find(source);
    for (std::size_t i = 0; i < rules_.size(); ++i) {
        if (anchors[i] == std::string_view::npos)
            continue;
        const FieldRule& rule = rules_[i];
        // The source from the anchor on gives the same cut as the whole source.
        const std::string_view from = source.substr(anchors[i]);
        PutValue(record, rule.column,
                 afterCut(FieldAfterAnchor(from, rule.anchor, rule.start, rule.end), rule.after));
    }
}

}  // namespace corpgather
