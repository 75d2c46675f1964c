// SPDX-License-Identifier: GPL-3.0-or-later
// A random source that plays back a fixed list of numbers, over and over, and counts how many
// it handed out.
#pragma once

#include "core/random_source.h"

#include <utility>
#include <vector>

class ScriptedRandomSource final : public core::RandomSource {
public:
    explicit ScriptedRandomSource(std::vector<float> numbers) : numbers_(std::move(numbers)) {}

    void Reseed(float) override {}
    float Next() override
    {
        const float value = numbers_[taken_ % numbers_.size()];
        ++taken_;
        return value;
    }
    int Taken() const { return static_cast<int>(taken_); }

private:
    std::vector<float> numbers_;
    std::size_t taken_ = 0;
};

// The largest float below 1: the highest number a source may return.
inline constexpr float kJustBelowOne = 1.0f - 0x1p-24f;
