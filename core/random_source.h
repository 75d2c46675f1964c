// SPDX-License-Identifier: GPL-3.0-or-later
// The random source the exercises are drawn from: numbers uniform in [0, 1).
#pragma once

#include <random>

namespace core {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Starts the sequence afresh from a seed.
    virtual void Reseed(float seed) = 0;
    // The next number, uniform in [0, 1), in single precision.
    virtual float Next() = 0;
};

// The program's own source: a Mersenne Twister. Its seed mixes the given number with the
// system's entropy, so that pupils who start the program in the same second in one classroom
// still get different tests.
class SystemRandomSource final : public RandomSource {
public:
    SystemRandomSource();
    void Reseed(float seed) override;
    float Next() override;

private:
    std::mt19937 generator_;
};

} // namespace core
