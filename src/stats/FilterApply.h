#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/CombsArray.h"
#include "stats/StatCompute.h"

// Applying a filter to a combination list, and the list of filters applied.
namespace corvel {

// Builds `target` from `source`, in order: a combination stays when whether
// it matches `values` differs from `exclude` (keep: matching ones stay;
// remove: the others stay). The factory makes instances ready for filtering
// (PrepareFilter done: the last draw and the order are theirs); the work is
// split across the cores. Returns the new
// count. `scratch` (one match byte per combination) may be kept by the caller
// between calls so that its pages are not faulted in again every time.
std::size_t FilterCombinationList(const TCombsArray& source, TCombsArray& target, const TStatFactory& factory,
                                  const TStatDrawArray& values, bool exclude,
                                  std::vector<std::uint8_t>* scratch = nullptr);

// One line of the applied-filters list.
struct TAppliedFilter {
    std::string Caption;    // the method text, or the view's caption
    std::string Values;     // the captions of the values used, joined with "; "
    std::size_t Count = 0;  // combinations after the step
    bool Keep = false;      // the icon: keep or remove
};

class TAppliedFilters {
  public:
    void Add(TAppliedFilter f) { rows_.push_back(std::move(f)); }
    void RemoveLast() {
        if (!rows_.empty()) rows_.pop_back();
    }
    void Clear() { rows_.clear(); }
    const std::vector<TAppliedFilter>& Rows() const { return rows_; }

  private:
    std::vector<TAppliedFilter> rows_;
};

}  // namespace corvel
