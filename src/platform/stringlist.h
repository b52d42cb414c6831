#pragma once
// Lists of strings: line lists and comma texts, and a string list with a
// payload per item, kept in insertion order or sorted by a comparison (a
// sorted list holds each string once).

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "textcase.h"

// Lines split at CR LF, a lone CR and a lone LF; a break at the very end
// does not start another line, so "" has no lines.
std::vector<std::string> SplitLines(std::string_view text);
// Every line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// Items separated by commas or by blanks (bytes up to 0x20) outside quotes;
// an item in double quotes keeps its commas and blanks, and "" inside it
// stands for one quote. Blanks around items are dropped.
std::vector<std::string> SplitCommaText(std::string_view text);
// Items joined by commas; an item that is empty or holds a blank, a comma
// or a quote is written in quotes.
std::string JoinCommaText(const std::vector<std::string>& items);

template <class T>
class TStringListOf {
public:
    // A function or a function object, so that a comparison can carry its
    // own settings.
    using TCompare = std::function<int(std::string_view, std::string_view)>;
    struct TItem {
        std::string text;
        T object{};
    };

    explicit TStringListOf(TCompare compare = LocaleCompareText) : compare_(std::move(compare)) {}

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& operator[](int i) const { return items_.at(static_cast<std::size_t>(i)).text; }
    T& Object(int i) { return items_.at(static_cast<std::size_t>(i)).object; }
    const T& Object(int i) const { return items_.at(static_cast<std::size_t>(i)).object; }
    std::vector<std::string> Strings() const
    {
        std::vector<std::string> out;
        for (const TItem& it : items_) out.push_back(it.text);
        return out;
    }

    bool Sorted() const { return sorted_; }
    // Turning sorting on sorts the list and drops later duplicates.
    void SetSorted(bool on)
    {
        if (on && !sorted_) {
            Sort();
            auto same = [this](const TItem& a, const TItem& b) { return compare_(a.text, b.text) == 0; };
            items_.erase(std::unique(items_.begin(), items_.end(), same), items_.end());
        }
        sorted_ = on;
    }
    const TCompare& Compare() const { return compare_; }
    // A sorted list is sorted again by the new comparison.
    void SetCompare(TCompare compare)
    {
        compare_ = std::move(compare);
        if (sorted_) {
            sorted_ = false;
            SetSorted(true);
        }
    }

    // Appends, or in a sorted list inserts in place; a string that a sorted
    // list already holds is not added again and its index is returned.
    int Add(std::string text, T object = T{})
    {
        if (!sorted_) {
            items_.push_back(TItem{std::move(text), std::move(object)});
            return Count() - 1;
        }
        int at;
        if (Find(text, at)) return at;
        items_.insert(items_.begin() + at, TItem{std::move(text), std::move(object)});
        return at;
    }
    void Insert(int i, std::string text, T object = T{})
    {
        if (sorted_) throw std::logic_error("cannot insert into a sorted list");
        if (i < 0 || i > Count()) throw std::out_of_range("list index out of bounds");
        items_.insert(items_.begin() + i, TItem{std::move(text), std::move(object)});
    }
    void Delete(int i)
    {
        if (i < 0 || i >= Count()) throw std::out_of_range("list index out of bounds");
        items_.erase(items_.begin() + i);
    }
    void Clear() { items_.clear(); }

    // Sorted: binary search; index is where the string is or would go.
    // Unsorted: the first equal string.
    bool Find(std::string_view text, int& index) const
    {
        if (!sorted_) {
            index = IndexOf(text);
            return index >= 0;
        }
        auto it = std::lower_bound(items_.begin(), items_.end(), text,
                                   [this](const TItem& a, std::string_view b) { return compare_(a.text, b) < 0; });
        index = static_cast<int>(it - items_.begin());
        return it != items_.end() && compare_(it->text, text) == 0;
    }
    int IndexOf(std::string_view text) const
    {
        if (sorted_) {
            int i;
            return Find(text, i) ? i : -1;
        }
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (compare_(items_[i].text, text) == 0) return static_cast<int>(i);
        return -1;
    }
    void Sort()
    {
        std::stable_sort(items_.begin(), items_.end(),
                         [this](const TItem& a, const TItem& b) { return compare_(a.text, b.text) < 0; });
    }

    std::string Text() const { return JoinLines(Strings()); }
    void SetText(std::string_view text) { Assign(SplitLines(text)); }
    std::string CommaText() const { return JoinCommaText(Strings()); }
    void SetCommaText(std::string_view text) { Assign(SplitCommaText(text)); }
    void Assign(std::vector<std::string> strings)
    {
        Clear();
        for (std::string& s : strings) Add(std::move(s));
    }

private:
    TCompare compare_;
    bool sorted_ = false;
    std::vector<TItem> items_;
};

using TStringList = TStringListOf<void*>;
