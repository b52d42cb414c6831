#pragma once
// Where a running VTL program keeps its values: variables, arrays and
// routines, each list ordered by the number the compiled code uses.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "script-format/binconst.h"

struct TUserNum {
    std::string Name;
    std::int32_t RefKind = -1;  // VAR argument: the caller's operand code
    std::int32_t RefIndex = 0;  // VAR argument of an array element: its subscript
    std::int64_t Value = 0;
};

struct TUserStr {
    std::string Name;
    std::string Value;
    std::int32_t RefKind = -1;
    std::int32_t RefIndex = 0;
};

struct TUserSubProc {
    std::string Name;
    std::string Signature;        // one argument letter per parameter
    std::int32_t CodeOffset = -1;  // the body's compound statement in the code stream
};

// A VTL array: element k (1-based) is Items[k - 1].
template <class T>
class TVtlArray {
public:
    static constexpr std::int64_t kMaxCount = bc::kMaxArraySize;
    // Counts below 1 give one element, above the maximum the maximum.
    explicit TVtlArray(std::int64_t count = 1, std::string name = {}) : Name(std::move(name))
    {
        Items.resize(static_cast<std::size_t>(Clamp(count)));
    }
    static std::int64_t Clamp(std::int64_t count) { return count < 1 ? 1 : count > kMaxCount ? kMaxCount : count; }

    std::int32_t Count() const { return static_cast<std::int32_t>(Items.size()); }
    // Keeps the first elements; new ones are 0 or empty.
    void Resize(std::int64_t count) { Items.resize(static_cast<std::size_t>(Clamp(count))); }

    std::string Name;
    std::int32_t RefKind = 0;  // VAR array argument: the caller's operand code
    bool Temporary = false;    // built from an array constant for one call
    std::vector<T> Items;
};

class TInt64Array : public TVtlArray<std::int64_t> {
public:
    using TVtlArray::TVtlArray;
    // An array assignment: size and elements, with the name and RefKind.
    void Assign(const TInt64Array& src)
    {
        Items = src.Items;
        Name = src.Name;
        RefKind = src.RefKind;
    }
};

class TStrArray : public TVtlArray<std::string> {
public:
    using TVtlArray::TVtlArray;
    // A string array assignment copies only the elements.
    void Assign(const TStrArray& src) { Items = src.Items; }
};

using TUserNumList = std::vector<TUserNum>;
using TUserStrList = std::vector<TUserStr>;
using TUserAryNumList = std::vector<std::unique_ptr<TInt64Array>>;
using TUserAryStrList = std::vector<std::unique_ptr<TStrArray>>;
using TUserSubProcList = std::vector<TUserSubProc>;
