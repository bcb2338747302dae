#include "fact_markup.h"

namespace marketsim {

std::string MemberProfileUrl(const SiteHosts& hosts, const Company& company) {
    return Origin(hosts, hosts.memberProfile) + "/user/" + company.memberId + ".html";
}

void WriteIntroduction(GbkPageWriter& page, std::string_view introduction,
                       std::string_view indent) {
    constexpr std::string_view kParagraphEnd = "。 ";
    while (!introduction.empty()) {
        const std::size_t end = introduction.find(kParagraphEnd);
        std::string_view paragraph = introduction.substr(0, end);
        for (std::size_t blank = paragraph.find(' '); blank != std::string_view::npos;
             blank = paragraph.find(' ')) {
            page.value(paragraph.substr(0, blank)).markup("&nbsp;");
            paragraph.remove_prefix(blank + 1);
        }
        page.value(paragraph);
        if (end == std::string_view::npos)
            break;
        page.markup("。&nbsp;<br />\r\n").markup(indent);
        introduction.remove_prefix(end + kParagraphEnd.size());
    }
}

void WriteCapitalOnTwoLines(GbkPageWriter& page, std::string_view capital) {
    const std::size_t digits = capital.find_first_not_of("0123456789");
    page.value(capital.substr(0, digits))
        .markup("\r\n                ")
        .value(digits == std::string_view::npos ? std::string_view() : capital.substr(digits));
}

void WriteIndustryCell(GbkPageWriter& page, std::string_view industries) {
    constexpr std::string_view kSeparator = "  ";
    page.markup("\r\n");
    while (true) {
        const std::size_t end = industries.find(kSeparator);
        page.markup("\t\t\t\t").value(industries.substr(0, end)).markup("\t\t\t\t\r\n");
        if (end == std::string_view::npos)
            break;
        industries.remove_prefix(end + kSeparator.size());
    }
    page.markup("\t\t\t");
}

std::string AreaText(const Company& company) {
    const std::string& province = company.fact("省份");
    const std::string& city = company.fact("城市");
    return province == city ? province : province + " " + city;
}

}  // namespace marketsim
