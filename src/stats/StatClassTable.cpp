#include "stats/StatList.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "stats/families/NumberProperties.h"

// The fixed registration order of every method class. It is also the order of
// the method lists when they are not sorted alphabetically, and a method's
// position here never changes. A family that is built adds its classes to
// FamilyClasses() below; names without a built class register nothing.
namespace corvel {
namespace {

constexpr std::array<std::string_view, 143> kRegistrationOrder = {
        "TstValues",  // NUMS
        "TstDigits",  // DIGS
        "TstEvenCount",  // EVEN
        "TstEvenValues",  // EVNV
        "TstSmallCount",  // SMAL
        "TstSmallValues",  // SMLV
        "TstPrimeCount",  // PRIM
        "TstPrimeValues",  // PRMV
        "TstSumValues",  // SUMS
        "TstSumRanges",  // SUM%d
        "TstSumChange",  // SUMC
        "TstSumChangeSome",  // SUMV
        "TstSumTrend",  // SUMT
        "TstSumEvenValues",  // SUME
        "TstSumPrimeValues",  // SUMP
        "TstSum2To3",  // S2T3
        "TstDiffTotal",  // DIFA
        "TstDiffMax",  // DIFM
        "TstMinMaxDiffs",  // DIFD
        "TstDiffSame",  // DIFO
        "TstDiffSameCnt",  // DIFK
        "TstChannels",  // CHAN
        "TstChanValues",  // CHNV
        "TstChanCount",  // CHNC
        "TstColumns",  // COLS
        "TstRows",  // ROWS
        "TstColValues",  // COLV
        "TstRowValues",  // ROWV
        "TstColCount",  // COLN
        "TstRowCount",  // ROWN
        "TstColMask",  // COLM
        "TstRowMask",  // ROWM
        "TstColAjacent",  // COLA
        "TstRowAjacent",  // ROWA
        "TstColAjacentCnt",  // COLC
        "TstRowAjacentCnt",  // ROWC
        "TstSegments",  // SGMS
        "TstSegmValues",  // SGMV
        "TstSegmCount",  // SGMC
        "TstSequenceLen",  // SEQL
        "TstSequenceCnt",  // SEQS
        "TstSequenceLenMax",  // LENS
        "TstRepValues2",  // RPV2
        "TstRepValues3",  // RPV3
        "TstRepValues2B3",  // PRL2
        "TstRepValues2over1",  // PRV2O1
        "TstRepValues2over2",  // PRV2O2
        "TstRepValues2over3",  // PRV2O3
        "TstRepValues2P1",  // PRV+1
        "TstRepValues2N1",  // PRV-1
        "TstRepValues2P2",  // PRV+2
        "TstRepValues2N2",  // PRV-2
        "TstRepCount2",  // RPC2
        "TstRepCount3",  // RPC3
        "TstRepCount2B3",  // PRB2
        "TstRepCount2over1",  // RPO1
        "TstRepCount2over2",  // PRC2O2
        "TstRepCount2over3",  // PRC2O3
        "TstRepCount2P1",  // PRC+1
        "TstRepCount2N1",  // PRC-1
        "TstRepCount2P2",  // PRC+2
        "TstRepCount2N2",  // PRC-2
        "TstCombValMix2",  // KNM2
        "TstCombValMix3",  // KNM3
        "TstCombValMix4",  // KNM4
        "TstCombValSeq2",  // KNS2
        "TstCombValSeq3",  // KNS3
        "TstCombValSeq4",  // KNS4
        "TstCombValPos2",  // KNP2%d
        "TstCombValPos3",  // KNP3%d
        "TstCombValPos4",  // KNP4%d
        "TstCombValSort2",  // KNO2
        "TstCombValSort3",  // KNO3
        "TstCombValSort4",  // KNO4
        "TstCombDiffSeq2",  // KDS2
        "TstCombDiffSeq3",  // KDS3
        "TstCombDiffSeq4",  // KDS4
        "TstCombChnMix2",  // KCM2
        "TstCombChnMix3",  // KCM3
        "TstCombChnMix4",  // KCM4
        "TstCombChnSeq2",  // KCS2
        "TstCombChnSeq3",  // KCS3
        "TstCombChnSeq4",  // KCS4
        "TstCombColMix2",  // KFM2
        "TstCombColMix3",  // KFM3
        "TstCombColMix4",  // KFM4
        "TstCombColSeq2",  // KFS2
        "TstCombColSeq3",  // KFS3
        "TstCombColSeq4",  // KFS4
        "TstCombRowMix2",  // KRM2
        "TstCombRowMix3",  // KRM3
        "TstCombRowMix4",  // KRM4
        "TstCombRowSeq2",  // KRS2
        "TstCombRowSeq3",  // KRS3
        "TstCombRowSeq4",  // KRS4
        "TstCombSegmMix2",  // KGM2
        "TstCombSegmMix3",  // KGM3
        "TstCombSegmMix4",  // KGM4
        "TstCombSegmSeq2",  // KGS2
        "TstCombSegmSeq3",  // KGS3
        "TstCombSegmSeq4",  // KGS4
        "TstPosVal",  // POS%d
        "TstPosExt",  // POE%d
        "TstChnValCnt",  // CHN%d
        "TstColValCnt",  // COL%d
        "TstRowValCnt",  // ROW%d
        "TstSgmValCnt",  // SGM%d
        "TstNumGroups",  // GRPV
        "TstNumPauses",  // GRPP
        "TstChnGroups",  // GRCV
        "TstChnPauses",  // GRCP
        "TstSgmGroups",  // GRSV
        "TstSgmPauses",  // GRSP
        "TstNumPeriods",  // PRDV
        "TstChnPeriods",  // PRDC
        "TstSgmPeriods",  // PRDG
        "TstChain2DrawsAll",  // SDV2
        "TstChain2DrawsPos",  // SDP2
        "TstChain2Pos",  // SDN%d
        "TstChain3DrawsPos",  // SDP3
        "TstChain3Pos",  // SDM%d
        "TstChain2ChannelsAll",  // SCV2
        "TstChain2ChannelsPos",  // SCP2
        "TstChain2Channel",  // SCN%d
        "TstChain3ChannelsPos",  // SCP3
        "TstChain3Channel",  // SCM%d
        "TstChain2CnlCnt",  // SC2C%d
        "TstChain3CnlCnt",  // SC3C%d
        "TstChainChannels2InsideAll",  // SDA2
        "TstChainChannels2InsideSuc",  // SDG2
        "TstChainChannels2InsideBad",  // SDZ2
        "TstChainChannels2InsideCnt",  // SDC2
        "TstChain2SegmentsAll",  // SSV2
        "TstChain2SegmentsPos",  // SSP2
        "TstChain2Segment",  // SSN%d
        "TstChain3SegmentsPos",  // SSP3
        "TstChain3Segment",  // SSM%d
        "TstChain2SgmCnt",  // SS2C%d
        "TstChain3SgmCnt",  // SS3C%d
        "TstOgnev1",  // HCO1
        "TstOgnev2",  // HCO2
        "TstOgnev3",  // HCO3
        "TstShreddingStat",  // SHR%d
};

std::vector<const TStatClass*> FamilyClasses() {
    std::vector<const TStatClass*> all;
    for (auto family : {NumberPropertyClasses()}) all.insert(all.end(), family.begin(), family.end());
    return all;
}

std::vector<const TStatClass*> BuildTable() {
    const std::vector<const TStatClass*> built = FamilyClasses();
    std::vector<const TStatClass*> table;
    for (std::string_view name : kRegistrationOrder) {
        auto it = std::find_if(built.begin(), built.end(), [&](const TStatClass* c) { return c->ClassName == name; });
        if (it != built.end()) table.push_back(*it);
    }
    return table;
}

}  // namespace

std::span<const TStatClass* const> RegisteredClasses() {
    static const std::vector<const TStatClass*> table = BuildTable();
    return table;
}

}  // namespace corvel
