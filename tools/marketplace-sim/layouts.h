#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace marketsim {

// How a company presents itself: decides its source address and which pages the engine fetches.
// othershop: a shop address whose contact page has a template of neither known variant.
enum class Layout { detail, titlebar, heading, site, unknown, caseshop, othershop };

inline constexpr std::size_t kLayoutCount = 7;
inline constexpr std::array<Layout, kLayoutCount> kAllLayouts = {
    Layout::detail,  Layout::titlebar, Layout::heading,  Layout::site,
    Layout::unknown, Layout::caseshop, Layout::othershop};

using LayoutWeights = std::array<unsigned, kLayoutCount>;

std::string_view LayoutName(Layout layout);
std::optional<Layout> ParseLayout(std::string_view name);

// Equal weights for every layout except caseshop and othershop, which only tests ask for.
LayoutWeights DefaultLayoutWeights();

// Layouts whose contact and profile pages live on the member's shop host.
bool UsesShopPages(Layout layout);

}  // namespace marketsim
