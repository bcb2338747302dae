#include "layouts.h"

namespace marketsim {

namespace {

constexpr std::array<std::string_view, kLayoutCount> kNames = {
    "detail", "titlebar", "heading", "site", "unknown", "caseshop", "othershop"};

}  // namespace

std::string_view LayoutName(Layout layout) {
    return kNames[static_cast<std::size_t>(layout)];
}

std::optional<Layout> ParseLayout(std::string_view name) {
    for (std::size_t i = 0; i < kLayoutCount; ++i) {
        if (kNames[i] == name)
            return kAllLayouts[i];
    }
    return std::nullopt;
}

LayoutWeights DefaultLayoutWeights() {
    return {1, 1, 1, 1, 1, 0, 0};
}

bool UsesShopPages(Layout layout) {
    return layout == Layout::titlebar || layout == Layout::heading || layout == Layout::site ||
           layout == Layout::caseshop || layout == Layout::othershop;
}

}  // namespace marketsim
