#pragma once

#include <cstdint>

// A small seeded generator with its own number-to-real conversion, so the photograph comes out
// byte-identical on every run and with every standard library (std:: distributions are not portable).
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}

    std::uint64_t next()
    {
        // xorshift64*
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }

    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

    double uniform(double low, double high) { return low + (high - low) * uniform(); }

    int below(int count) { return static_cast<int>(uniform() * count); }

    // Approximately normal with mean 0 and deviation 1 (sum of four uniforms, rescaled).
    double gaussian()
    {
        const double sum = uniform() + uniform() + uniform() + uniform();
        return (sum - 2.0) * 1.7320508075688772;
    }

private:
    std::uint64_t state_ = 0;
};
