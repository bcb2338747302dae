#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace marketsim {

// How a company presents itself: decides its source address and which pages the engine fetches.
enum class Layout { detail, titlebar, heading, site, unknown, caseshop };

inline constexpr std::size_t kLayoutCount = 6;
inline constexpr std::array<Layout, kLayoutCount> kAllLayouts = {Layout::detail,  Layout::titlebar,
                                                                 Layout::heading, Layout::site,
                                                                 Layout::unknown, Layout::caseshop};

using LayoutWeights = std::array<unsigned, kLayoutCount>;

std::string_view LayoutName(Layout layout);
std::optional<Layout> ParseLayout(std::string_view name);

// Equal weights for every layout except caseshop, which only a test asks for.
LayoutWeights DefaultLayoutWeights();

// Layouts whose contact and profile pages live on the member's shop host.
bool UsesShopPages(Layout layout);

}  // namespace marketsim
