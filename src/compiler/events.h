#pragma once
// Window event names: codes 0 to 4, bound without modifiers. Listings and
// set lists use the event's listing name ("Resize", ...).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/inputset.h"

constexpr int kEventCount = 5;

// The code of an event name as written in a binding (any case), or -1.
int EventCodeOf(std::string_view name);
// The code of a listing name (any case).
std::optional<std::int32_t> EventInputOfName(std::string_view listingName);
// The listing name of an event code, or "unknown event key".
std::string EventNameOfInput(std::int32_t input);

class TEventSet : public TInputSet {
public:
    TEventSet() : TInputSet(kEventCount) {}
    const TSenObject* CodeOfInput(std::int32_t input) const
    {
        return input >= 0 && input < kEventCount ? CodeAtSlot(input) : nullptr;
    }
};
