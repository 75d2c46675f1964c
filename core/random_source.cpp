// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/random_source.h"

#include <bit>
#include <cstdint>

namespace core {

SystemRandomSource::SystemRandomSource()
{
    Reseed(0.0f);
}

void SystemRandomSource::Reseed(float seed)
{
    std::random_device entropy;
    std::seed_seq sequence{std::bit_cast<std::uint32_t>(seed), entropy(), entropy(), entropy()};
    generator_.seed(sequence);
}

float SystemRandomSource::Next()
{
    // 24 random bits fill a float's significand exactly, so the result is never rounded up to 1.
    return static_cast<float>(generator_() >> 8) * 0x1p-24f;
}

} // namespace core
