#pragma once
// Input bindings: ParseBinding reads what follows #KEY or #KEYSET and keeps
// each binding's code in the key, mouse or event set of its set name.

#include <functional>
#include <string>

#include "compiler/console.h"
#include "compiler/events.h"
#include "compiler/keycodes.h"
#include "compiler/mouses.h"
#include "compiler/srcread.h"
#include "compiler/tokens.h"
#include "compiler/velkhtbl.h"

constexpr char kDefaultKeySet[] = "DEFAULT";

// Compiles a binding's body (the outermost compound statement of a routine:
// "{" required, VAR allowed first) into code, after the input code word.
// The header text names the binding in listings and warnings.
using TBindingBodyCompiler = std::function<void(TSenObject& code, const std::string& headerText)>;

class TKeyAssigns {
public:
    // Reads one input name and its body and stores the binding in the set.
    // progress receives the header line with /V (nullptr otherwise).
    void ParseBinding(TSrcReader& reader, const TTokenAnalyzer& analyzer, const std::string& setName,
                      const TBindingBodyCompiler& compileBody, TConsole* progress);

    // Sets by name, sorted without regard to case; created on first use.
    const TNamedList<TKeySet>& KeySets() const { return keySets_; }
    const TNamedList<TMouseSet>& MouseSets() const { return mouseSets_; }
    const TNamedList<TEventSet>& EventSets() const { return eventSets_; }
    // Set names other than "DEFAULT" used by bindings, sorted, each once.
    const TStrStrList& NamedKeySets() const { return namedKeySets_; }

private:
    template <class Set>
    static Set& SetNamed(TNamedList<Set>& sets, const std::string& name);

    TNamedList<TKeySet> keySets_{true};
    TNamedList<TMouseSet> mouseSets_{true};
    TNamedList<TEventSet> eventSets_{true};
    TStrStrList namedKeySets_{true};
};
