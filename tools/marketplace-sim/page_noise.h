#pragma once

#include <string_view>

namespace marketsim {

// The surroundings of a company page, as GBK built once: style sheets, scripts, navigation,
// product tables and footers that carry none of the engine's markers, so that pages have the
// size and the clutter of real ones (scripts holding markup, other tables, "&nbsp;", line
// breaks, full-width punctuation) at almost no cost per request.
enum class Noise {
    head,       // inside <head>: links, an inline style sheet and scripts
    shopTop,    // a shop's banner and navigation
    marketTop,  // the marketplace's header, search form and category menu
    shopSide,   // a shop's side column: categories, a small contact card, links
    offers,     // a table of offered products with images and prices
    related,    // tables of related companies, with rows after the page's own tables
    footer,     // footer links and tracking scripts
};

std::string_view NoiseBlock(Noise block);

}  // namespace marketsim
