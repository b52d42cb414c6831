#pragma once
// A string list whose comparison is chosen by a method (bytes or locale), a
// case rule and a direction (see CompareByRule). A sorted list finds strings
// by binary search with that comparison and holds each string once.

#include "platform/stringlist.h"
#include "platform/textcase.h"

template <class T>
class TTextList : public TStringListOf<T> {
public:
    explicit TTextList(TCompareRule rule = {}, bool ascending = true)
        : TStringListOf<T>(MakeCompare(rule, ascending)), rule_(rule), ascending_(ascending)
    {
    }

    TCompareRule Rule() const { return rule_; }
    bool Ascending() const { return ascending_; }

    // A sorted list is sorted again (a new direction alone thus reverses it:
    // a sorted list holds no two equal strings).
    void SetMethod(int method) { SetAll(method, rule_.caseRule, ascending_); }
    void SetCaseRule(int caseRule) { SetAll(rule_.method, caseRule, ascending_); }
    void SetDirection(bool ascending) { SetAll(rule_.method, rule_.caseRule, ascending); }
    void SetAll(int method, int caseRule, bool ascending)
    {
        TCompareRule rule{method, caseRule};
        if (rule.method == rule_.method && rule.caseRule == rule_.caseRule && ascending == ascending_) return;
        rule_ = rule;
        ascending_ = ascending;
        this->SetCompare(MakeCompare(rule_, ascending_));
    }

private:
    static typename TStringListOf<T>::TCompare MakeCompare(TCompareRule rule, bool ascending)
    {
        return [rule, ascending](std::string_view a, std::string_view b) {
            int c = CompareByRule(a, b, rule);
            return ascending ? c : -c;
        };
    }

    TCompareRule rule_;
    bool ascending_;
};
