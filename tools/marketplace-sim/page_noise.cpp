#include "page_noise.h"

#include <array>
#include <span>
#include <string>

#include "gbk_encode.h"
#include "sim_random.h"

namespace marketsim {

namespace {

using Words = std::span<const std::string_view>;

constexpr std::array<std::string_view, 16> kOffers = {
    "贴片电容 0805 104K 50V", "不锈钢活动扳手（8寸）", "涤纶春亚纺面料", "全自动注塑机 HT-1200",
    "PE自封袋，透明加厚",     "纯棉圆领T恤 180g",      "五层瓦楞纸箱",   "水性丙烯酸涂料",
    "LED球泡灯 E27 9W",       "PP收纳盒（带盖）",      "M8膨胀螺栓",     "工业级环氧树脂",
    "牛津布背包面料",         "304不锈钢保温杯",       "三合一封箱胶带", "太阳能庭院灯"};

constexpr std::array<std::string_view, 8> kCategories = {
    "电子元器件", "五金、工具", "纺织、皮革", "机械及行业设备", "橡塑", "服装", "包装", "照明工业"};

constexpr std::array<std::string_view, 6> kTips = {
    "温馨提示：请认准诚信通会员，谨防上当受骗！",
    "本页信息由企业自行提供，其真实性、合法性由发布人负责。",
    "如需采购，请点击“发询价”与供应商直接联系。",
    "交易前请核实对方资质，建议使用支付宝担保交易。",
    "数据加载中，请稍候……",
    "您的浏览器版本过低，部分功能可能无法正常使用。"};

std::string head(SimRandom& random) {
    std::string out =
        "<meta name=\"robots\" content=\"index,follow\" />\n"
        "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=EmulateIE7\" />\n";
    for (const char* sheet : {"base", "layout", "widget", "offerlist", "skin-blue", "print"}) {
        out += "<link rel=\"stylesheet\" type=\"text/css\" href=\"http://style.localhost/css/";
        out += sheet;
        out += ".css?v=2011" + std::to_string(random.between(1000, 1299)) + "\" />\n";
    }
    out += "<style type=\"text/css\">\n";
    for (int i = 0; i < 70; ++i) {
        const std::string n = std::to_string(i);
        out += ".wp-mod-" + n + " .m-body li.item-" + n +
               "{float:left;width:" + std::to_string(random.between(80, 240)) + "px;margin:0 " +
               std::to_string(random.below(12)) + "px 6px 0;line-height:18px;}\n";
        out += ".wp-mod-" + n + " .m-header h2{font:bold 14px/26px simsun;color:#" +
               std::to_string(random.between(100000, 999999)) + ";}\n";
    }
    out += "</style>\n<script type=\"text/javascript\">\n";
    out += "var WP = window.WP || {}; WP.env = {page: 'company', charset: 'gbk', ver: '3.2.1'};\n";
    out += "var categories = [";
    for (const std::string_view category : kCategories)
        out += "'" + std::string(category) + "', ";
    out += "''];\n";
    for (int i = 0; i < 36; ++i) {
        const std::string n = std::to_string(i);
        out += "WP.widget" + n + " = function (box, items) {\n";
        out += "  if (!box || items.length < " + std::to_string(random.between(1, 9)) +
               ") { return; }\n";
        out += "  var html = [];\n  for (var i = 0; i < items.length && i <= " +
               std::to_string(random.between(4, 20)) + "; i++) {\n";
        out += "    html.push('<li class=\"item-" + n +
               "\"><a href=\"/offer/' + items[i].id + '.html\" title=\"' + items[i].t + "
               "'\">' + items[i].t + '</a>&nbsp;<em>' + items[i].p + '</em></li>');\n  }\n";
        out += "  box.innerHTML = '<ul>' + html.join('') + '</ul>';\n};\n";
        out += "WP.tips" + n + " = '" + std::string(random.pick(Words(kTips))) + "';\n";
    }
    out += "</script>\n";
    return out;
}

std::string shopTop(SimRandom& random) {
    std::string out =
        "<div id=\"shop-banner\" class=\"wp-banner\"><div class=\"logo\"><img src=\""
        "http://img.localhost/shop/banner/" +
        std::to_string(random.between(10000, 99999)) +
        ".jpg\" alt=\"\" /></div>\n<div class=\"trust\">诚信通&nbsp;第<b>" +
        std::to_string(random.between(2, 9)) +
        "</b>年&nbsp;&nbsp;|&nbsp;&nbsp;实地认证</div></div>\n<div id=\"shop-nav\"><ul>\n";
    for (const char* item :
         {"首页", "公司介绍", "供应产品", "公司相册", "诚信档案", "招聘信息", "联系方式"}) {
        out += "<li><a href=\"/page/" + std::to_string(random.below(1000)) + ".html\">" + item +
               "</a></li>\n";
    }
    return out + "</ul></div>\n";
}

std::string marketTop(SimRandom& random) {
    std::string out =
        "<div id=\"header\"><div class=\"logo\"><a href=\"/\">商机搜索</a></div>\n"
        "<form id=\"search\" action=\"/company/company_search.htm\" method=\"get\">"
        "<select name=\"tab\"><option value=\"offer\">产品</option><option value=\"company\" "
        "selected=\"selected\">公司</option></select><input type=\"text\" name=\"keywords\" "
        "value=\"\" /><button type=\"submit\">搜&nbsp;索</button></form></div>\n"
        "<div id=\"menu\"><dl>\n";
    for (const std::string_view category : kCategories) {
        out += "<dt>" + std::string(category) + "</dt><dd>";
        for (int i = 0; i < 5; ++i) {
            out += "<a href=\"/cat/" + std::to_string(random.between(1000, 9999)) + ".html\">" +
                   std::string(random.pick(Words(kOffers))) + "</a>&nbsp;";
        }
        out += "</dd>\n";
    }
    return out + "</dl></div>\n";
}

std::string shopSide(SimRandom& random) {
    std::string out = "<div class=\"wp-side\">\n<div class=\"m-category\"><h4>产品分类</h4><ul>\n";
    for (const std::string_view category : kCategories) {
        out += "<li><a href=\"/offerlist/" + std::to_string(random.below(100000)) + ".html\">" +
               std::string(category) + "</a>（" + std::to_string(random.between(1, 300)) +
               "）</li>\n";
    }
    out +=
        "</ul></div>\n<div class=\"m-card\"><h4>联系我们</h4><dl><dt>联系人：</dt><dd>在线客服"
        "</dd><dt>旺旺：</dt><dd><a href=\"#\" onclick=\"return WP.talk(this);\">点此洽谈"
        "</a></dd></dl></div>\n<div class=\"m-links\"><h4>友情链接</h4><ul>\n";
    for (int i = 0; i < 12; ++i) {
        out += "<li><a href=\"http://link" + std::to_string(random.below(1000)) +
               ".localhost/\" target=\"_blank\">" + std::string(random.pick(Words(kCategories))) +
               "网</a></li>\n";
    }
    return out + "</ul></div>\n</div>\n";
}

std::string offers(SimRandom& random) {
    std::string out =
        "<div class=\"wp-offers\"><div class=\"m-header\"><h2>供应产品</h2><a class=\"more\" "
        "href=\"/offerlist.html\">更多&gt;&gt;</a></div>\n"
        "<table class=\"offer-table\" cellpadding=\"0\" cellspacing=\"0\"><tbody>\n";
    for (int i = 0; i < 60; ++i) {
        const std::string id = std::to_string(random.between(100000000, 999999999));
        const std::string name(random.pick(Words(kOffers)));
        out += "<tr>\n<td class=\"img\"><a href=\"/offer/" + id +
               ".html\"><img src=\"http://img.localhost/img/ibank/2011/" + id +
               ".summ.jpg\" alt=\"" + name + "\" width=\"100\" height=\"100\" /></a></td>\n";
        out += "<td class=\"info\"><a href=\"/offer/" + id + ".html\" title=\"" + name + "\">" +
               name + "</a><br />\n  价格：<em>￥" + std::to_string(random.between(1, 900)) + "." +
               std::to_string(random.between(10, 99)) + "</em>&nbsp;元\n  <br />起订：" +
               std::to_string(random.between(1, 50) * 100) + "&nbsp;件</td>\n";
        out += "<td class=\"act\"><a href=\"#nogo\" class=\"inquiry\">发询价</a></td>\n</tr>\n";
    }
    return out + "</tbody></table></div>\n";
}

std::string related(SimRandom& random) {
    std::string out =
        "<div class=\"related\"><h2>相关公司推荐</h2>\n<table class=\"company-table\">\n";
    for (int i = 0; i < 30; ++i) {
        out += "<tr><td class=\"name\"><a href=\"/company/detail/r" +
               std::to_string(random.below(100000)) + ".html\">" +
               std::string(random.pick(Words(kCategories))) + "有限公司</a></td><td>" +
               std::string(random.pick(Words(kOffers))) + "</td><td>&nbsp;" +
               std::to_string(random.between(1, 12)) + "年</td></tr>\n";
    }
    return out + "</table></div>\n";
}

std::string footer(SimRandom& random) {
    std::string out = "<div id=\"footer\"><p>";
    for (const char* item : {"关于我们", "服务条款", "隐私声明", "联系我们", "网站地图"}) {
        out += "<a href=\"http://help.localhost/" + std::to_string(random.below(100)) +
               ".html\" target=\"_blank\">" + item + "</a>&nbsp;|&nbsp;";
    }
    out +=
        "</p>\n<p>Copyright&copy; 1999-2011 商机搜索 模拟站点 版权所有</p></div>\n"
        "<script type=\"text/javascript\">\n";
    for (int i = 0; i < 24; ++i) {
        out += "(function () { var img = new Image(); img.src = 'http://log.localhost/p.gif?t=" +
               std::to_string(random.next() % 1000000) +
               "&r=' + Math.random(); if (document."
               "referrer.length > " +
               std::to_string(random.below(64)) + ") { img.title = '" +
               std::string(random.pick(Words(kTips))) + "'; } })();\n";
    }
    return out + "</script>\n";
}

std::string build(Noise block) {
    SimRandom random(0x5EED0000u + static_cast<unsigned>(block));
    switch (block) {
        case Noise::head:
            return ToGbk(head(random));
        case Noise::shopTop:
            return ToGbk(shopTop(random));
        case Noise::marketTop:
            return ToGbk(marketTop(random));
        case Noise::shopSide:
            return ToGbk(shopSide(random));
        case Noise::offers:
            return ToGbk(offers(random));
        case Noise::related:
            return ToGbk(related(random));
        case Noise::footer:
            return ToGbk(footer(random));
    }
    return {};
}

}  // namespace

std::string_view NoiseBlock(Noise block) {
    static const std::array<std::string, 7> blocks = {
        build(Noise::head),     build(Noise::shopTop), build(Noise::marketTop),
        build(Noise::shopSide), build(Noise::offers),  build(Noise::related),
        build(Noise::footer)};
    return blocks[static_cast<std::size_t>(block)];
}

}  // namespace marketsim
