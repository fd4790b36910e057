#pragma once

#include <cstdint>
#include <vector>

#include "model/Errors.h"
#include "scenarios/ScriptLine.h"
#include "stats/FilterDefinition.h"

// The filter variants of one scenario line: every choice of one part from
// each of its filter definitions (the non-blank filter fields in order), the
// first definition varying slowest. The count is known before any variant is
// made, and variant k is made on its own, so a line never holds them all.
namespace corvel {

class TStatList;

// The most variants one line may have: each is a full pass of filter steps
// over the combination list, so far fewer are ever useful, and the cap keeps
// a mistyped range from running for days.
inline constexpr std::uint64_t kMaxScriptVariants = 1'000'000;

// A line whose variants exceed kMaxScriptVariants.
class ETooManyScriptVariants : public ECorvelError {
  public:
    using ECorvelError::ECorvelError;
};

class TScriptVariants {
  public:
    // Reads the definitions; throws ECorvelError texts::kBadFilterDefinition
    // for one that cannot be expanded, and ETooManyScriptVariants (also for a
    // single definition over its own cap) when there are too many variants.
    // The product is never multiplied out past the cap.
    TScriptVariants(const TScriptFilters& filters, const TStatList& list);

    // 0 for a line without filters.
    std::uint64_t Count() const { return count_; }
    // Variant k (from 0, below Count()): the parts in the definitions' order,
    // the unused entries empty.
    TFilterRec Variant(std::uint64_t k) const;

  private:
    std::vector<TFilterExpansion> items_;
    std::uint64_t count_ = 0;
};

}  // namespace corvel
