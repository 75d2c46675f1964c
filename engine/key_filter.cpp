// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/key_filter.h"

#include "core/conversions.h"

#include <string_view>

namespace engine {

Int16 FilterDigitKey(Int16 keyCode)
{
    constexpr std::string_view kAccepted = "0123456789";
    const bool found = kAccepted.find(core::CharFromCode(keyCode)) != std::string_view::npos;
    return found || keyCode == kBackspace ? keyCode : Int16{0};
}

} // namespace engine
