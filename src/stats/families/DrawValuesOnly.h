#pragma once

#include <span>

#include "stats/ValueStat.h"

namespace corvel {

// A method whose values belong to draws only: a bare combination adds no value
// to a table (there is nothing to prefetch or list for it), yet a filter still
// tests the combination against the selected values with the definition
// (TValueStat::AnySelected and Definition::Match), as the draw it would be.
template <class Definition>
class TDrawValuesOnlyStat : public TValueStat<Definition> {
  public:
    using TValueStat<Definition>::TValueStat;
    void SpanHistogram(std::span<const TCombination>, TStatDrawArray&) override {}

  protected:
    void Values(const TStatItem& item, const TValueSink& sink) override {
        if (item.Draw) TValueStat<Definition>::Values(item, sink);
    }
};

}  // namespace corvel
