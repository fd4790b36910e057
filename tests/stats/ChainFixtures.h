#pragma once

// The hand-made archive of the chain tests, worked out by hand in the
// comments, and a full-list filter standing for the draw after a given one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "stats/GroupFixtures.h"
#include "stats/StatFixtures.h"

namespace corvel::test {

// Five draws, numbered 1..5, in drawn order; sorted in the comments.
//   0: 7 21 3 40 22 9      (3 7 9 21 22 40)
//   1: 12 5 33 8 41 2      (2 5 8 12 33 41)
//   2: 30 17 5 12 44 1     (1 5 12 17 30 44)
//   3: 7 11 20 36 41 14    (7 11 14 20 36 41)
//   4: 12 5 27 19 41 38    (5 12 19 27 38 41)   the newest draw R
inline TDrawsArray ChainArchive() {
    return {MakeDraw(1, {7, 21, 3, 40, 22, 9}), MakeDraw(2, {12, 5, 33, 8, 41, 2}), MakeDraw(3, {30, 17, 5, 12, 44, 1}),
            MakeDraw(4, {7, 11, 20, 36, 41, 14}), MakeDraw(5, {12, 5, 27, 19, 41, 38})};
}

// Segments in thirds (1..16, 17..32, 33..48): the draws' segments are
//   0: 1 2 1 3 2 1   1: 1 1 3 1 3 1   2: 2 2 1 1 3 1   3: 1 1 2 3 3 1
//   4: 1 1 2 2 3 3 (the newest draw)
inline const std::string kThirds = SegmentRuns({{16, '1'}, {16, '2'}, {16, '3'}});

// How many of all C(48,6) combinations a keep filter on the keys leaves,
// each combination standing for the draw after `last`.
inline std::int64_t FullListKept(const GroupRegistry& r, const std::string& code, int last,
                                 std::initializer_list<TStatKey> keys) {
    return FullListMatchCount(r.List, code, SelectedKeys(keys), last);
}

}  // namespace corvel::test
