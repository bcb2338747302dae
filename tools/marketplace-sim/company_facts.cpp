#include "company_facts.h"

#include <array>
#include <span>
#include <string_view>

#include "sim_random.h"

namespace marketsim {

namespace {

using Words = std::span<const std::string_view>;

struct Region {
    std::string_view province;
    std::string_view city;
    std::string_view areaCode;
    std::string_view postcodePrefix;
    bool municipality;
};

constexpr std::array<Region, 14> kRegions = {{
    {"浙江", "杭州", "0571", "3100", false},
    {"浙江", "宁波", "0574", "3150", false},
    {"浙江", "温州", "0577", "3250", false},
    {"广东", "深圳", "0755", "5180", false},
    {"广东", "广州", "020", "5100", false},
    {"广东", "东莞", "0769", "5230", false},
    {"江苏", "苏州", "0512", "2150", false},
    {"江苏", "南京", "025", "2100", false},
    {"山东", "青岛", "0532", "2660", false},
    {"福建", "厦门", "0592", "3610", false},
    {"河北", "石家庄", "0311", "0500", false},
    {"河南", "郑州", "0371", "4500", false},
    {"上海", "上海", "021", "2000", true},
    {"北京", "北京", "010", "1000", true},
}};

struct Trade {
    std::string_view nameWord;
    std::string_view industry;
    std::array<std::string_view, 5> products;
};

constexpr std::array<Trade, 10> kTrades = {{
    {"电子科技", "电子元器件", {"贴片电容", "精密电阻", "整流二极管", "晶振", "连接器"}},
    {"五金制品", "五金、工具", {"活动扳手", "螺丝刀套装", "钢丝钳", "膨胀螺栓", "合页"}},
    {"纺织", "纺织、皮革", {"涤纶面料", "全棉布", "针织布", "牛津布", "无纺布"}},
    {"机械设备", "机械及行业设备", {"注塑机", "包装机", "激光切割机", "输送带", "减速机"}},
    {"塑料制品", "橡塑", {"塑料袋", "PET瓶", "周转箱", "PVC管", "保鲜膜"}},
    {"服饰", "服装", {"T恤", "衬衫", "牛仔裤", "羽绒服", "工作服"}},
    {"包装材料", "包装", {"瓦楞纸箱", "气泡膜", "封箱胶带", "编织袋", "礼品盒"}},
    {"化工", "化工", {"环氧树脂", "工业溶剂", "塑料助剂", "水性涂料", "胶粘剂"}},
    {"照明电器", "照明工业", {"LED灯泡", "吸顶灯", "太阳能路灯", "灯带", "筒灯"}},
    {"家居用品", "家居用品", {"收纳盒", "纯棉毛巾", "不锈钢餐具", "保温杯", "置物架"}},
}};

// Traditional forms such as 華 (C8 41) or 運 (DF 5C) have a trail byte in 0x40-0x7E, which a
// byte-wise search that ignores character boundaries can mistake for ASCII.
constexpr std::array<std::string_view, 40> kBrandChars = {
    "華", "興", "達", "東", "業", "際", "貿", "風", "機", "團", "廣", "豐", "榮", "騰",
    "錦", "繡", "輝", "億", "萬", "鋒", "銳", "贏", "匯", "璟", "運", "丂", "鑫", "盛",
    "隆", "聚", "瑞", "佳", "宏", "泰", "恒", "源", "昌", "宇", "凯", "嘉"};

constexpr std::array<std::string_view, 6> kNameEndings = {
    "有限公司", "有限公司", "有限公司", "股份有限公司", "有限责任公司", "厂"};

constexpr std::array<std::string_view, 20> kSurnames = {"王", "李", "张", "刘", "陈", "杨", "黄",
                                                        "赵", "周", "吴", "徐", "孙", "马", "朱",
                                                        "胡", "郭", "何", "林", "罗", "高"};

constexpr std::array<std::string_view, 24> kGivenNames = {
    "伟", "芳", "娜", "敏", "静", "丽",   "强", "磊", "军", "洋", "勇",   "艳",
    "杰", "娟", "涛", "明", "超", "秀英", "霞", "平", "刚", "華", "萬鋒", "志達"};

constexpr std::array<std::string_view, 8> kPositions = {
    "经理", "销售经理", "总经理", "业务员", "外贸经理", "销售部主管", "董事长", "采购经理"};

constexpr std::array<std::string_view, 6> kDistricts = {"高新区", "经济开发区", "工业园区",
                                                        "城东区", "江南区",     "滨江区"};

constexpr std::array<std::string_view, 8> kRoads = {"人民路",   "解放路", "建设路", "中山路",
                                                    "工业大道", "科技路", "长江路", "滨河路"};

constexpr std::array<std::string_view, 6> kEnterpriseTypes = {
    "有限责任公司", "股份有限公司", "私营独资企业", "个体经营", "有限责任公司（自然人独资）",
    "外商独资企业"};

constexpr std::array<std::string_view, 4> kBusinessModels = {"生产加工", "经销批发", "招商代理",
                                                             "商业服务"};

constexpr std::array<std::string_view, 6> kCapitals = {
    "50万人民币", "100万人民币", "200万人民币", "500万人民币", "1000万人民币", "3000万人民币"};

constexpr std::array<std::string_view, 6> kHeadcounts = {
    "5 - 10 人", "11 - 50 人", "51 - 100 人", "101 - 200 人", "201 - 300 人", "301 - 500 人"};

constexpr std::array<std::string_view, 4> kResearchHeadcounts = {"5 人以下", "5 - 10 人",
                                                                 "11 - 20 人", "21 - 50 人"};

constexpr std::array<std::string_view, 4> kCertificates = {"ISO9001", "ISO14001",
                                                           "ISO9001, ISO14001", "OHSAS18001"};

constexpr std::array<std::string_view, 14> kSyllables = {"hua",  "xing",  "da",  "tong", "feng",
                                                         "long", "sheng", "mei", "jia",  "bao",
                                                         "hong", "yuan",  "tai", "kang"};

std::string Digits(SimRandom& random, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += static_cast<char>('0' + random.below(10));
    return out;
}

std::string PersonName(SimRandom& random) {
    std::string name(random.pick(Words(kSurnames)));
    return name += random.pick(Words(kGivenNames));
}

std::string Optional(SimRandom& random, unsigned presentPercent, std::string value) {
    return random.chance(presentPercent) ? std::move(value) : std::string();
}

std::string Landline(SimRandom& random, const Region& region) {
    std::string out = "86 " + std::string(region.areaCode) + " ";
    out += std::to_string(random.between(2, 8));
    return out + Digits(random, 7);
}

std::string Street(SimRandom& random, const Region& region) {
    std::string city(region.city);
    std::string out =
        region.municipality ? city + "市" : std::string(region.province) + "省" + city + "市";
    out += random.pick(Words(kDistricts));
    out += random.pick(Words(kRoads));
    return out + std::to_string(random.between(1, 999)) + "号";
}

std::string ProductList(SimRandom& random, const Trade& trade) {
    const unsigned first = random.below(5);
    const unsigned count = random.between(2, 4);
    std::string out;
    for (unsigned i = 0; i < count; ++i) {
        if (i > 0)
            out += "、";
        out += trade.products[(first + i) % trade.products.size()];
    }
    return out;
}

}  // namespace

CompanyText GenerateCompanyText(std::uint64_t streamSeed) {
    SimRandom random(streamSeed);
    const Region& region = random.pick(std::span<const Region>(kRegions));
    const Trade& trade = random.pick(std::span<const Trade>(kTrades));

    CompanyText text;
    text.name = region.city;
    if (random.chance(50))
        text.name += "市";
    text.name += random.pick(Words(kBrandChars));
    text.name += random.pick(Words(kBrandChars));
    text.name += trade.nameWord;
    text.name += random.pick(Words(kNameEndings));

    const std::string contact = PersonName(random);
    const std::string founded = std::to_string(random.between(1992, 2016)) + "年";
    const std::string products = ProductList(random, trade);
    const std::string headcount(random.pick(Words(kHeadcounts)));
    const std::string address = Street(random, region);
    std::string website = "http://www.";
    website += random.pick(Words(kSyllables));
    website += random.pick(Words(kSyllables));
    website += Digits(random, static_cast<int>(random.below(3))) + ".com";
    std::string mobile = "1" + std::to_string(random.between(30, 89));
    mobile += Digits(random, 8);
    // A second industry is stored after two blanks, as the detail layout's cell gives it.
    std::string industries(trade.industry);
    if (random.chance(40)) {
        const Trade& other = random.pick(std::span<const Trade>(kTrades));
        if (other.industry != trade.industry)
            industries += "  " + std::string(other.industry);
    }
    std::string registration = "注册号：" + std::string(region.postcodePrefix.substr(0, 2));
    registration +=
        Digits(random, 13) + "；登记机关：" + std::string(region.city) + "市工商行政管理局";

    text.facts = {
        {"联系人", contact},
        {"称呼", random.chance(60) ? "先生" : "女士"},
        {"职位", Optional(random, 85, std::string(random.pick(Words(kPositions))))},
        {"电话", Landline(random, region)},
        {"移动电话", mobile},
        {"传真", Optional(random, 75, Landline(random, region))},
        {"邮编", std::string(region.postcodePrefix) + Digits(random, 2)},
        {"公司网站", Optional(random, 70, website)},
        {"地址", address},
        {"省份", std::string(region.province)},
        {"城市", std::string(region.city)},
        {"公司介绍", text.name + "成立于" + founded + "，坐落于" + std::string(region.province) +
                         std::string(region.city) + "，是一家集研发、生产、销售于一体的" +
                         std::string(trade.industry) + "企业。 公司主要经营" + products +
                         "等产品，拥有员工" + headcount +
                         "，产品畅销全国各地。 公司秉承“诚信为本、质量第一”的经营理念，"
                         "竭诚欢迎新老客户来电洽谈合作！"},
        {"主营产品", products},
        {"主营行业", industries},
        {"企业类型", std::string(random.pick(Words(kEnterpriseTypes)))},
        {"经营模式", std::string(random.pick(Words(kBusinessModels)))},
        {"注册资本", std::string(random.pick(Words(kCapitals)))},
        {"注册地址", random.chance(70) ? address : Street(random, region)},
        {"员工人数", headcount},
        {"成立时间", founded},
        {"法人代表", random.chance(40) ? contact : PersonName(random)},
        {"管理体系认证", Optional(random, 60, std::string(random.pick(Words(kCertificates))))},
        {"是否提供OEM", random.chance(50) ? "是" : "否"},
        {"研发人数", Optional(random, 80, std::string(random.pick(Words(kResearchHeadcounts))))},
        {"厂房面积", Optional(random, 80, std::to_string(random.between(5, 300) * 100) + "平方米")},
        {"注册信息", registration},
    };
    return text;
}

}  // namespace marketsim
