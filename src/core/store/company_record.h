#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace corpgather {

// The 36 text columns of table Company, in the order the collection run stores them and the
// export offers them.
enum class CompanyColumn : std::size_t {
    MemberId,           // 会员帐号
    CompanyName,        // 公司名称
    SourceUrl,          // 源网址
    Contact,            // 联系人
    Salutation,         // 称呼
    Position,           // 职位
    Phone,              // 电话
    Mobile,             // 移动电话
    Fax,                // 传真
    Email,              // 邮箱
    Postcode,           // 邮编
    QQ,                 // QQ
    MSN,                // MSN
    Skype,              // SKYPE
    Website,            // 公司网站
    Address,            // 地址
    Province,           // 省份
    City,               // 城市
    Introduction,       // 公司介绍
    MainProducts,       // 主营产品
    MainIndustry,       // 主营行业
    EnterpriseType,     // 企业类型
    BusinessModel,      // 经营模式
    RegisteredCapital,  // 注册资本
    RegisteredAddress,  // 注册地址
    Employees,          // 员工人数
    Founded,            // 成立时间
    LegalRepresentative,// 法人代表
    Certification,      // 管理体系认证
    OemService,         // 是否提供OEM
    RdStaff,            // 研发人数
    FactoryArea,        // 厂房面积
    Registration,       // 注册信息
    SearchTime,         // 搜索时间
    SearchSource,       // 搜索来源
    MemberType,         // 会员类型
};

inline constexpr std::size_t kCompanyColumnCount = 36;

// The Chinese column name (UTF-8) of a text column.
std::string_view CompanyColumnName(CompanyColumn column);
std::string_view CompanyColumnName(std::size_t index);

// One company as the run collects it: the task's SearchID and one UTF-8 text per text column.
struct CompanyRecord {
    int searchId = 0;
    std::array<std::string, kCompanyColumnCount> values;

    std::string& operator[](CompanyColumn column) { return values[static_cast<std::size_t>(column)]; }
    const std::string& operator[](CompanyColumn column) const {
        return values[static_cast<std::size_t>(column)];
    }
    void clear();
};

}  // namespace corpgather
