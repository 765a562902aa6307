#pragma once
// The demo database's random source. Its own generator (splitmix64) and its
// own draws, so that a seed gives the same database with every compiler and
// standard library: the distributions of <random> differ between them.
#include <cstdint>
#include <string>
#include <vector>

namespace data::demo {

class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // A whole number in [0, n); 0 when n <= 0. The multiply-and-shift keeps
    // the bias far below anything a demo could show.
    long long Below(long long n) {
        if (n <= 0)
            return 0;
        return static_cast<long long>(
            (static_cast<unsigned __int128>(Next()) * static_cast<std::uint64_t>(n)) >> 64);
    }

    // A whole number in [low, high] (both included).
    long long Between(long long low, long long high) {
        return high < low ? low : low + Below(high - low + 1);
    }

    // True with the given chance, in percent.
    bool Percent(int chance) { return Below(100) < chance; }

    template <typename T> const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<long long>(items.size())))];
    }
    template <typename T, std::size_t N> const T& Pick(const T (&items)[N]) {
        return items[static_cast<std::size_t>(Below(static_cast<long long>(N)))];
    }

private:
    std::uint64_t state_;
};

} // namespace data::demo
