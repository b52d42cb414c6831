#include "compiler/events.h"

#include "script-format/vtlname.h"

namespace {

struct TEventName {
    std::string_view name;
    std::string_view listing;
};
constexpr TEventName kEvents[kEventCount] = {
    {"RESIZE", "Resize"}, {"SPLITMOVED", "SplitMoved"}, {"ACTIVE", "Active"},
    {"DEACTIVE", "Deactive"}, {"CHANGEWINDOW", "ChangeWindow"},
};

}  // namespace

int EventCodeOf(std::string_view name)
{
    for (int i = 0; i < kEventCount; ++i)
        if (SameName(name, kEvents[i].name)) return i;
    return -1;
}

std::optional<std::int32_t> EventInputOfName(std::string_view listingName)
{
    for (int i = 0; i < kEventCount; ++i)
        if (SameName(listingName, kEvents[i].listing)) return i;
    return std::nullopt;
}

std::string EventNameOfInput(std::int32_t input)
{
    return input >= 0 && input < kEventCount ? std::string(kEvents[input].listing) : "unknown event key";
}
