#include "engine/key_filter.h"

#include "toolkit/conversions.h"

#include <string_view>

namespace engine {

Int16 FilterDigitKey(const Int16& keyCode)
{
    constexpr std::string_view kAccepted = "0123456789";
    const bool found = kAccepted.find(toolkit::CharFromCode(keyCode)) != std::string_view::npos;
    return found || keyCode == kBackspace ? keyCode : Int16{0};
}

} // namespace engine
