#include "stats/StatClassTable.h"

#include <algorithm>
#include <set>

#include "stats/StatList.h"
#include "stats/families/Chains.h"
#include "stats/families/Channels.h"
#include "stats/families/Combined.h"
#include "stats/families/Differences.h"
#include "stats/families/Matrix.h"
#include "stats/families/NumberProperties.h"
#include "stats/families/Ognev.h"
#include "stats/families/Segments.h"
#include "stats/families/SeriesPeriods.h"
#include "stats/families/Shredding.h"
#include "stats/families/Sequences.h"
#include "stats/families/Sums.h"

namespace corvel {
namespace {

using F = TStatFamily;

// The order is also the order of the method lists when they are not sorted
// alphabetically, and a method's position here never changes.
constexpr TRegistrationEntry kRegistrationOrder[] = {
    {"TstValues", F::Numbers},                  // NUMS
    {"TstDigits", F::Numbers},                  // DIGS
    {"TstEvenCount", F::Numbers},               // EVEN
    {"TstEvenValues", F::Numbers},              // EVNV
    {"TstSmallCount", F::Numbers},              // SMAL
    {"TstSmallValues", F::Numbers},             // SMLV
    {"TstPrimeCount", F::Numbers},              // PRIM
    {"TstPrimeValues", F::Numbers},             // PRMV
    {"TstSumValues", F::Sums},                  // SUMS
    {"TstSumRanges", F::Sums},                  // SUM%d
    {"TstSumChange", F::Sums},                  // SUMC
    {"TstSumChangeSome", F::Sums},              // SUMV
    {"TstSumTrend", F::Sums},                   // SUMT
    {"TstSumEvenValues", F::Sums},              // SUME
    {"TstSumPrimeValues", F::Sums},             // SUMP
    {"TstSum2To3", F::Sums},                    // S2T3
    {"TstDiffTotal", F::Differences},           // DIFA
    {"TstDiffMax", F::Differences},             // DIFM
    {"TstMinMaxDiffs", F::Differences},         // DIFD
    {"TstDiffSame", F::Differences},            // DIFO
    {"TstDiffSameCnt", F::Differences},         // DIFK
    {"TstChannels", F::Channels},               // CHAN
    {"TstChanValues", F::Channels},             // CHNV
    {"TstChanCount", F::Channels},              // CHNC
    {"TstColumns", F::Matrix},                  // COLS
    {"TstRows", F::Matrix},                     // ROWS
    {"TstColValues", F::Matrix},                // COLV
    {"TstRowValues", F::Matrix},                // ROWV
    {"TstColCount", F::Matrix},                 // COLN
    {"TstRowCount", F::Matrix},                 // ROWN
    {"TstColMask", F::Matrix},                  // COLM
    {"TstRowMask", F::Matrix},                  // ROWM
    {"TstColAjacent", F::Matrix},               // COLA
    {"TstRowAjacent", F::Matrix},               // ROWA
    {"TstColAjacentCnt", F::Matrix},            // COLC
    {"TstRowAjacentCnt", F::Matrix},            // ROWC
    {"TstSegments", F::Segments},               // SGMS
    {"TstSegmValues", F::Segments},             // SGMV
    {"TstSegmCount", F::Segments},              // SGMC
    {"TstSequenceLen", F::Sequences},           // SEQL
    {"TstSequenceCnt", F::Sequences},           // SEQS
    {"TstSequenceLenMax", F::Sequences},        // LENS
    {"TstRepValues2", F::Sequences},            // RPV2
    {"TstRepValues3", F::Sequences},            // RPV3
    {"TstRepValues2B3", F::Sequences},          // PRL2
    {"TstRepValues2over1", F::Sequences},       // PRV2O1
    {"TstRepValues2over2", F::Sequences},       // PRV2O2
    {"TstRepValues2over3", F::Sequences},       // PRV2O3
    {"TstRepValues2P1", F::Sequences},          // PRV+1
    {"TstRepValues2N1", F::Sequences},          // PRV-1
    {"TstRepValues2P2", F::Sequences},          // PRV+2
    {"TstRepValues2N2", F::Sequences},          // PRV-2
    {"TstRepCount2", F::Sequences},             // RPC2
    {"TstRepCount3", F::Sequences},             // RPC3
    {"TstRepCount2B3", F::Sequences},           // PRB2
    {"TstRepCount2over1", F::Sequences},        // RPO1
    {"TstRepCount2over2", F::Sequences},        // PRC2O2
    {"TstRepCount2over3", F::Sequences},        // PRC2O3
    {"TstRepCount2P1", F::Sequences},           // PRC+1
    {"TstRepCount2N1", F::Sequences},           // PRC-1
    {"TstRepCount2P2", F::Sequences},           // PRC+2
    {"TstRepCount2N2", F::Sequences},           // PRC-2
    {"TstCombValMix2", F::Combined},            // KNM2
    {"TstCombValMix3", F::Combined},            // KNM3
    {"TstCombValMix4", F::Combined},            // KNM4
    {"TstCombValSeq2", F::Combined},            // KNS2
    {"TstCombValSeq3", F::Combined},            // KNS3
    {"TstCombValSeq4", F::Combined},            // KNS4
    {"TstCombValPos2", F::Combined},            // KNP2%d
    {"TstCombValPos3", F::Combined},            // KNP3%d
    {"TstCombValPos4", F::Combined},            // KNP4%d
    {"TstCombValSort2", F::Combined},           // KNO2
    {"TstCombValSort3", F::Combined},           // KNO3
    {"TstCombValSort4", F::Combined},           // KNO4
    {"TstCombDiffSeq2", F::Differences},        // KDS2
    {"TstCombDiffSeq3", F::Differences},        // KDS3
    {"TstCombDiffSeq4", F::Differences},        // KDS4
    {"TstCombChnMix2", F::Channels},            // KCM2
    {"TstCombChnMix3", F::Channels},            // KCM3
    {"TstCombChnMix4", F::Channels},            // KCM4
    {"TstCombChnSeq2", F::Channels},            // KCS2
    {"TstCombChnSeq3", F::Channels},            // KCS3
    {"TstCombChnSeq4", F::Channels},            // KCS4
    {"TstCombColMix2", F::Matrix},              // KFM2
    {"TstCombColMix3", F::Matrix},              // KFM3
    {"TstCombColMix4", F::Matrix},              // KFM4
    {"TstCombColSeq2", F::Matrix},              // KFS2
    {"TstCombColSeq3", F::Matrix},              // KFS3
    {"TstCombColSeq4", F::Matrix},              // KFS4
    {"TstCombRowMix2", F::Matrix},              // KRM2
    {"TstCombRowMix3", F::Matrix},              // KRM3
    {"TstCombRowMix4", F::Matrix},              // KRM4
    {"TstCombRowSeq2", F::Matrix},              // KRS2
    {"TstCombRowSeq3", F::Matrix},              // KRS3
    {"TstCombRowSeq4", F::Matrix},              // KRS4
    {"TstCombSegmMix2", F::Segments},           // KGM2
    {"TstCombSegmMix3", F::Segments},           // KGM3
    {"TstCombSegmMix4", F::Segments},           // KGM4
    {"TstCombSegmSeq2", F::Segments},           // KGS2
    {"TstCombSegmSeq3", F::Segments},           // KGS3
    {"TstCombSegmSeq4", F::Segments},           // KGS4
    {"TstPosVal", F::Numbers},                  // POS%d
    {"TstPosExt", F::Numbers},                  // POE%d
    {"TstChnValCnt", F::Channels},              // CHN%d
    {"TstColValCnt", F::Matrix},                // COL%d
    {"TstRowValCnt", F::Matrix},                // ROW%d
    {"TstSgmValCnt", F::Segments},              // SGM%d
    {"TstNumGroups", F::Groups},                // GRPV
    {"TstNumPauses", F::Groups},                // GRPP
    {"TstChnGroups", F::Groups},                // GRCV
    {"TstChnPauses", F::Groups},                // GRCP
    {"TstSgmGroups", F::Groups},                // GRSV
    {"TstSgmPauses", F::Groups},                // GRSP
    {"TstNumPeriods", F::Groups},               // PRDV
    {"TstChnPeriods", F::Groups},               // PRDC
    {"TstSgmPeriods", F::Groups},               // PRDG
    {"TstChain2DrawsAll", F::Chains},           // SDV2
    {"TstChain2DrawsPos", F::Chains},           // SDP2
    {"TstChain2Pos", F::Chains},                // SDN%d
    {"TstChain3DrawsPos", F::Chains},           // SDP3
    {"TstChain3Pos", F::Chains},                // SDM%d
    {"TstChain2ChannelsAll", F::Chains},        // SCV2
    {"TstChain2ChannelsPos", F::Chains},        // SCP2
    {"TstChain2Channel", F::Chains},            // SCN%d
    {"TstChain3ChannelsPos", F::Chains},        // SCP3
    {"TstChain3Channel", F::Chains},            // SCM%d
    {"TstChain2CnlCnt", F::Chains},             // SC2C%d
    {"TstChain3CnlCnt", F::Chains},             // SC3C%d
    {"TstChainChannels2InsideAll", F::Chains},  // SDA2
    {"TstChainChannels2InsideSuc", F::Chains},  // SDG2
    {"TstChainChannels2InsideBad", F::Chains},  // SDZ2
    {"TstChainChannels2InsideCnt", F::Chains},  // SDC2
    {"TstChain2SegmentsAll", F::Chains},        // SSV2
    {"TstChain2SegmentsPos", F::Chains},        // SSP2
    {"TstChain2Segment", F::Chains},            // SSN%d
    {"TstChain3SegmentsPos", F::Chains},        // SSP3
    {"TstChain3Segment", F::Chains},            // SSM%d
    {"TstChain2SgmCnt", F::Chains},             // SS2C%d
    {"TstChain3SgmCnt", F::Chains},             // SS3C%d
    {"TstOgnev1", F::Groups},                   // HCO1
    {"TstOgnev2", F::Groups},                   // HCO2
    {"TstOgnev3", F::Groups},                   // HCO3
    {"TstShreddingStat", F::Shredding},         // SHR%d
};

// A family that is built adds its rows here.
const TBuiltFamily kBuiltFamilies[] = {
    {F::Numbers, NumberPropertyClasses()}, {F::Sums, SumClasses()},
    {F::Differences, DifferenceClasses()}, {F::Sequences, SequenceClasses()},
    {F::Combined, CombinedValueClasses()}, {F::Channels, ChannelClasses()},
    {F::Matrix, MatrixClasses()},          {F::Segments, SegmentClasses()},
    {F::Groups, SeriesPeriodClasses()},    {F::Groups, OgnevClasses()},
    {F::Shredding, ShreddingClasses()},    {F::Chains, ChainClasses()},
};

// A family may be built from several tables (one per file); it counts as
// built when one of them is listed.
bool IsBuilt(std::span<const TBuiltFamily> families, TStatFamily family) {
    return std::any_of(families.begin(), families.end(), [&](const TBuiltFamily& f) { return f.Family == family; });
}

const TStatClass* ClassNamed(std::span<const TBuiltFamily> families, TStatFamily family, std::string_view name) {
    for (const TBuiltFamily& f : families) {
        if (f.Family != family) continue;
        auto it =
            std::find_if(f.Classes.begin(), f.Classes.end(), [&](const TStatClass& c) { return c.ClassName == name; });
        if (it != f.Classes.end()) return &*it;
    }
    return nullptr;
}

}  // namespace

std::span<const TRegistrationEntry> RegistrationOrder() { return kRegistrationOrder; }
std::span<const TBuiltFamily> BuiltFamilies() { return kBuiltFamilies; }

std::vector<std::string> RegistrationProblems(std::span<const TRegistrationEntry> order,
                                              std::span<const TBuiltFamily> families) {
    std::vector<std::string> problems;
    std::set<std::string_view> named;
    for (const TRegistrationEntry& e : order) {
        if (!named.insert(e.ClassName).second)
            problems.push_back(std::string(e.ClassName) + ": named twice in the order");
        if (IsBuilt(families, e.Family) && !ClassNamed(families, e.Family, e.ClassName))
            problems.push_back(std::string(e.ClassName) + ": named in the order, but its family has no such class");
    }
    for (const TBuiltFamily& family : families)
        for (const TStatClass& c : family.Classes) {
            auto it = std::find_if(order.begin(), order.end(),
                                   [&](const TRegistrationEntry& e) { return e.ClassName == c.ClassName; });
            if (it == order.end())
                problems.push_back(std::string(c.ClassName) + ": a family class the order does not name");
            else if (it->Family != family.Family)
                problems.push_back(std::string(c.ClassName) + ": the order names it for another family");
        }
    return problems;
}

std::vector<const TStatClass*> BuildClassTable(std::span<const TRegistrationEntry> order,
                                               std::span<const TBuiltFamily> families) {
    std::vector<const TStatClass*> table;
    for (const TRegistrationEntry& e : order)
        if (const TStatClass* c = ClassNamed(families, e.Family, e.ClassName)) table.push_back(c);
    return table;
}

std::span<const TStatClass* const> RegisteredClasses() {
    static const std::vector<const TStatClass*> table = BuildClassTable(kRegistrationOrder, kBuiltFamilies);
    return table;
}

}  // namespace corvel
