// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes reading a typed text as a number and rounding it into 16 bits.
#include "core/conversions.h"
#include "engine/answer_check.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double number = core::LeadingNumber(text);
    Require(!std::isnan(number));

    // Only the leading number counts: what follows a letter changes nothing.
    Require(core::LeadingNumber(text + "x") == number);
    if (!text.empty() && text[0] != ' ' && text[0] != '\t' && text[0] != '+' && text[0] != '-') {
        Require(core::LeadingNumber("-" + text) == -number);
    }

    bool fits = true;
    core::Int16 value = 0;
    try {
        value = core::ToInt16(number);
    } catch (const core::OverflowError&) {
        fits = false;
    }
    if (fits) {
        const double distance = std::fabs(number - value);
        Require(distance <= 0.5);
        Require(distance < 0.5 || value % 2 == 0); // halves go to the even neighbour
    } else {
        Require(!(number > -32768.5 && number < 32767.5));
    }

    // The marking reads a box the same way, and an unreadable box is never fatal.
    bool engineFits = true;
    try {
        Require(engine::NumberOf(text) == value);
    } catch (const core::OverflowError&) {
        engineFits = false;
    }
    Require(engineFits == fits);
    return 0;
}
