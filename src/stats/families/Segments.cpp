#include "stats/families/Segments.h"

#include <algorithm>

#include "i18n/Texts.h"
#include "model/Format.h"
#include "stats/families/NumberGroups.h"

namespace corvel {
namespace {

using namespace groups;

// The segments in use are listed in the order they first appear from number
// 1 on; nothing is seeded but the segments themselves.
TNumberGroups Segments(const TGameSettings& settings) {
    TNumberGroups g;
    for (int n = kMinNumber; n <= kMaxNumber; ++n) {
        const std::uint8_t segment = settings.Config.MatrixSegments[static_cast<std::size_t>(n - 1)];
        g.Of[static_cast<std::size_t>(n)] = segment;
        if (segment && std::find(g.Listed.begin(), g.Listed.end(), segment) == g.Listed.end())
            g.Listed.push_back(segment);
        g.Last = std::max<int>(g.Last, segment);
    }
    return g;
}

template <class Member, TGroupText Text, std::size_t TupleSize = 0>
constexpr TStatClass Row(TStatClass row) {
    row.Group = 5;
    return GroupRow<Member, &Segments, Text, TupleSize>(row);
}

template <std::size_t K, bool Neighbours>
constexpr TStatClass TupleRow(const char* name, const char* code) {
    return Row<GroupTuples<K, Neighbours>, TGroupText::Tuple, K>(
        {.ClassName = name,
         .Code = code,
         .Caption = Neighbours ? texts::kStatCombSegmSeq : texts::kStatCombSegmMix,
         .CaptionText = &CaptionWithSize<static_cast<int>(K)>,
         .Flags = kFlagS});
}

const TStatClass kFamily[] = {
    Row<EachGroup, TGroupText::Plain>(
        {.ClassName = "TstSegments", .Code = "SGMS", .Caption = texts::kStatSegments, .Flags = kFlagN}),
    Row<CountsPerGroup, TGroupText::GroupCount>({.ClassName = "TstSegmValues",
                                                 .Code = "SGMV",
                                                 .Caption = texts::kStatSegmValues,
                                                 .Flags = kFlagN,
                                                 .CanParseValue = false}),
    Row<OccupiedGroups, TGroupText::Plain>({.ClassName = "TstSegmCount",
                                            .Code = "SGMC",
                                            .Caption = texts::kStatSegmCount,
                                            .Flags = kFlagN,
                                            .Graph = true}),
    TupleRow<2, false>("TstCombSegmMix2", "KGM2"),
    TupleRow<3, false>("TstCombSegmMix3", "KGM3"),
    TupleRow<4, false>("TstCombSegmMix4", "KGM4"),
    TupleRow<2, true>("TstCombSegmSeq2", "KGS2"),
    TupleRow<3, true>("TstCombSegmSeq3", "KGS3"),
    TupleRow<4, true>("TstCombSegmSeq4", "KGS4"),
    Row<InOneGroup, TGroupText::Plain>({.ClassName = "TstSgmValCnt",
                                        .Code = "SGM%d",
                                        .Caption = texts::kStatSgmValCnt,
                                        .FamilyCode = "SGMx",
                                        .Flags = kFlagN,
                                        .Graph = true,
                                        .ParamRange = &SegmentParamRange}),
};

}  // namespace

std::span<const TStatClass> SegmentClasses() { return kFamily; }

void SegmentParamRange(const TGameSettings& settings, int& low, int& high) {
    low = 9;
    high = 1;
    for (std::uint8_t segment : settings.Config.MatrixSegments) {
        low = std::min<int>(low, segment);
        high = std::max<int>(high, segment);
    }
    low = std::max(low, 1);  // a map read from the settings never holds 0
}

}  // namespace corvel
