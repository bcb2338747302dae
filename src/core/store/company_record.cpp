#include "store/company_record.h"

namespace corpgather {
namespace {

constexpr std::array<std::string_view, kCompanyColumnCount> kColumnNames = {
    "会员帐号", "公司名称", "源网址",   "联系人",   "称呼",         "职位",
    "电话",     "移动电话", "传真",     "邮箱",     "邮编",         "QQ",
    "MSN",      "SKYPE",    "公司网站", "地址",     "省份",         "城市",
    "公司介绍", "主营产品", "主营行业", "企业类型", "经营模式",     "注册资本",
    "注册地址", "员工人数", "成立时间", "法人代表", "管理体系认证", "是否提供OEM",
    "研发人数", "厂房面积", "注册信息", "搜索时间", "搜索来源",     "会员类型",
};

static_assert(static_cast<std::size_t>(CompanyColumn::MemberType) + 1 == kCompanyColumnCount);

}  // namespace

std::string_view CompanyColumnName(CompanyColumn column) {
    return CompanyColumnName(static_cast<std::size_t>(column));
}

std::string_view CompanyColumnName(std::size_t index) {
    return index < kColumnNames.size() ? kColumnNames[index] : std::string_view{};
}

void CompanyRecord::clear() {
    for (auto& value : values)
        value.clear();
}

}  // namespace corpgather
