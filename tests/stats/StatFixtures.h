#pragma once

#include <vector>

#include "model/DrawRecord.h"
#include "stats/StatList.h"

namespace corvel::test {

// A registry over the given archive with the default settings.
inline void RegisterOver(TStatList& list, const TDrawsArray& draws) {
    list.SetDraws(&draws);
    list.RegisterMethods();
}

}  // namespace corvel::test
