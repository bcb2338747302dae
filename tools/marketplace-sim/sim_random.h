#pragma once

#include <cstdint>
#include <span>

namespace marketsim {

// SplitMix64: tiny, and the same numbers on every platform and standard library, which
// std::uniform_int_distribution does not promise; generated pages must not change between builds.
class SimRandom final {
public:
    explicit SimRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A number in [0, bound); bound must be positive.
    unsigned below(unsigned bound) { return static_cast<unsigned>(next() % bound); }
    unsigned between(unsigned low, unsigned high) { return low + below(high - low + 1); }
    bool chance(unsigned percent) { return below(100) < percent; }
    // A number in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

    template <typename T>
    const T& pick(std::span<const T> items) {
        return items[below(static_cast<unsigned>(items.size()))];
    }

private:
    std::uint64_t state_;
};

// One independent stream per (seed, index, purpose), so adding a field never shifts the others.
inline std::uint64_t StreamSeed(std::uint64_t seed, std::uint64_t index, std::uint64_t purpose) {
    SimRandom mix(seed ^ (index * 0xD1B54A32D192ED03ull) ^ (purpose << 56));
    return mix.next();
}

}  // namespace marketsim
