#include "control_api.h"

#include <charconv>
#include <string_view>

#include <httplib.h>

#include "company_pages.h"
#include "json_out.h"

namespace marketsim {

namespace {

constexpr const char* kJson = "application/json; charset=utf-8";

void Answer(httplib::Response& response, int status, std::string json) {
    response.status = status;
    response.set_content(std::move(json), kJson);
}

void Fail(httplib::Response& response, int status, std::string_view reason) {
    Answer(response, status, JsonObject().add("error", reason).str());
}

std::string DecodeQueryText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned byte = 0;
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() &&
                   std::from_chars(text.data() + i + 1, text.data() + i + 3, byte, 16).ptr ==
                       text.data() + i + 3) {
            out += static_cast<char>(byte);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Query fields split at their first '=', so an unescaped match=beginPage=3 still works.
FaultFields QueryFields(std::string_view target) {
    FaultFields fields;
    const std::size_t question = target.find('?');
    if (question == std::string_view::npos)
        return fields;
    std::string_view query = target.substr(question + 1);
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view field = query.substr(0, amp);
        const std::size_t equals = field.find('=');
        if (!field.empty()) {
            fields.emplace_back(DecodeQueryText(field.substr(0, equals)),
                                equals == std::string_view::npos
                                    ? std::string()
                                    : DecodeQueryText(field.substr(equals + 1)));
        }
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    }
    return fields;
}

// Only shops have a contact variant.
std::string_view ContactVariantName(const Company& company) {
    if (!UsesShopPages(company.layout))
        return {};
    switch (company.contactVariant) {
        case ContactVariant::titlebar:
            return "titlebar";
        case ContactVariant::heading:
            return "heading";
        case ContactVariant::other:
            break;
    }
    return "other";
}

}  // namespace

std::string CompanyJson(const Company& company) {
    JsonObject facts;
    for (const auto& [column, value] : company.facts)
        facts.add(column, value);
    JsonObject stored;
    for (const auto& [column, value] : StoredFacts(company))
        stored.add(column, value);
    return JsonObject()
        .add("memberId", company.memberId)
        .add("index", company.index)
        .add("page", company.page)
        .add("name", company.name)
        .add("layout", LayoutName(company.layout))
        .add("contactVariant", ContactVariantName(company))
        .add("sourceUrl", company.sourceUrl)
        .add("contactPageUrl", company.contactPageUrl)
        .add("profilePageUrl", company.profilePageUrl)
        .addRaw("facts", facts.str())
        .addRaw("stored", stored.str())
        .str();
}

ControlApi::ControlApi(const CompanyCatalog& catalog, FaultBook& faults, RequestLog& log,
                       const std::atomic<long long>& active)
    : catalog_(catalog), faults_(faults), log_(log), active_(active) {}

void ControlApi::handle(const httplib::Request& request, httplib::Response& response) {
    const std::string_view path = std::string_view(request.path).substr(std::size("/__sim/") - 1);
    if (path == "fault") {
        std::string error;
        std::optional<FaultRule> rule = MakeFaultRule(QueryFields(request.target), error);
        if (!rule)
            return Fail(response, 400, error);
        faults_.add(std::move(*rule));
        return Answer(response, 200, JsonObject().add("ok", "fault added").str());
    }
    if (path == "reset") {
        faults_.clearAdded();
        log_.clear();
        return Answer(response, 200, JsonObject().add("ok", "reset").str());
    }
    if (path == "requests")
        return Answer(response, 200, log_.json());
    if (path == "stats") {
        return Answer(
            response, 200,
            JsonObject().add("requests", log_.count()).add("active", active_.load()).str());
    }
    if (path.starts_with("company/")) {
        const std::optional<Company> company =
            catalog_.find(path.substr(std::size("company/") - 1));
        if (!company)
            return Fail(response, 404, "no such company");
        return Answer(response, 200, CompanyJson(*company));
    }
    if (path == "companies") {
        int page = 0;
        const std::string value = request.get_param_value("page");
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), page);
        if (error != std::errc() || end != value.data() + value.size()) {
            return Fail(response, 400, "companies needs page=N");
        }
        std::vector<std::string> items;
        for (const Company& company : catalog_.page(page))
            items.push_back(CompanyJson(company));
        return Answer(response, 200, JsonArray(items));
    }
    Fail(response, 404, "unknown control endpoint");
}

}  // namespace marketsim
