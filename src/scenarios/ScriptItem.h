#pragma once

#include <string>
#include <string_view>

#include "model/Expected.h"
#include "scenarios/ScriptLine.h"

namespace corvel {

class TStatList;

// A scenario line taken apart, as the item editor shows it.
struct TScriptItem {
    TScriptOptions Options;
    TScriptFilters Filters;
    std::string Comment;
};

TScriptItem ParseScriptItem(std::string_view line);

// The checks of the item editor: no "|" or "@" in the comment or a filter,
// every filter a definition of a registered method that can run. Gives the
// line to store, every filter in its canonical text.
TExpected<std::string> CheckedScriptLine(const TScriptItem& item, const TStatList& list);

// A filter field as the list view shows it: the definition read and written
// back in its canonical text (nothing for a blank field).
std::string ScriptFilterText(std::string_view filter, const TStatList& list);

}  // namespace corvel
