#include "stats/families/Matrix.h"

#include <algorithm>

#include "i18n/Texts.h"
#include "model/Format.h"
#include "stats/families/NumberGroups.h"

namespace corvel {
namespace {

using namespace groups;

// The matrix width the methods use: a width of 0 or less has no columns, and
// a width above 48 lays the numbers out as 48 does (one row).
int MatrixWidth(const TGameSettings& settings) { return std::min(settings.Config.MatrixCols, kMaxNumber); }

TNumberGroups Lines(const TGameSettings& settings, bool columns) {
    TNumberGroups g;
    const int m = MatrixWidth(settings);
    if (m <= 0) return g;
    const int rows = (kMaxNumber + m - 1) / m;
    for (int n = kMinNumber; n <= kMaxNumber; ++n) {
        const auto column = static_cast<std::uint8_t>(MatrixColumnOf(n, m));
        const auto row = static_cast<std::uint8_t>(MatrixRowOf(n, m));
        g.Of[static_cast<std::size_t>(n)] = columns ? column : row;
        g.Across[static_cast<std::size_t>(n)] = columns ? row : column;
    }
    g.Last = columns ? m : rows;
    for (int line = 1; line <= g.Last; ++line) g.Listed.push_back(static_cast<std::uint8_t>(line));
    // A column holds up to `rows` numbers, a row up to m.
    const int across = columns ? rows : m;
    g.SeedCountsUpTo = std::min(across, kNumbersPerDraw);
    g.SeedDistinctUpTo = std::min(g.Last, kNumbersPerDraw);
    g.SeedInOneGroupUpTo = across;
    // Vertically adjacent numbers differ by m, horizontally adjacent ones by 1.
    g.Step = columns ? m : 1;
    return g;
}

TNumberGroups Columns(const TGameSettings& settings) { return Lines(settings, true); }
TNumberGroups Rows(const TGameSettings& settings) { return Lines(settings, false); }

void ColumnRange(const TGameSettings& settings, int& low, int& high) {
    GroupParamRange(MatrixWidth(settings), low, high);
}

void RowRange(const TGameSettings& settings, int& low, int& high) { GroupParamRange(settings.RowCount(), low, high); }

template <class Member, TNumberGroups (*Make)(const TGameSettings&), TGroupText Text, std::size_t TupleSize = 0>
constexpr TStatClass Row(TStatClass row) {
    row.Group = 4;
    return GroupRow<Member, Make, Text, TupleSize>(row);
}

template <TNumberGroups (*Make)(const TGameSettings&), std::size_t K, bool Neighbours>
constexpr TStatClass TupleRow(const char* name, const char* code, i18n::TextId caption) {
    return Row<GroupTuples<K, Neighbours>, Make, TGroupText::Tuple, K>(
        {.ClassName = name,
         .Code = code,
         .Caption = caption,
         .CaptionText = &CaptionWithSize<static_cast<int>(K)>,
         .Flags = kFlagS});
}

constexpr auto C = &Columns;
constexpr auto R = &Rows;

const TStatClass kFamily[] = {
    Row<EachGroup, C, TGroupText::Plain>(
        {.ClassName = "TstColumns", .Code = "COLS", .Caption = texts::kStatColumns, .Flags = kFlagN}),
    Row<EachGroup, R, TGroupText::Plain>(
        {.ClassName = "TstRows", .Code = "ROWS", .Caption = texts::kStatRows, .Flags = kFlagN}),
    Row<CountsPerGroup, C, TGroupText::GroupCount>({.ClassName = "TstColValues",
                                                    .Code = "COLV",
                                                    .Caption = texts::kStatColValues,
                                                    .Flags = kFlagN,
                                                    .CanParseValue = false}),
    Row<CountsPerGroup, R, TGroupText::GroupCount>({.ClassName = "TstRowValues",
                                                    .Code = "ROWV",
                                                    .Caption = texts::kStatRowValues,
                                                    .Flags = kFlagN,
                                                    .CanParseValue = false}),
    Row<OccupiedGroups, C, TGroupText::Plain>(
        {.ClassName = "TstColCount", .Code = "COLN", .Caption = texts::kStatColCount, .Flags = kFlagN, .Graph = true}),
    Row<OccupiedGroups, R, TGroupText::Plain>(
        {.ClassName = "TstRowCount", .Code = "ROWN", .Caption = texts::kStatRowCount, .Flags = kFlagN, .Graph = true}),
    Row<OccupiedPattern, C, TGroupText::Pattern>(
        {.ClassName = "TstColMask", .Code = "COLM", .Caption = texts::kStatColMask, .Flags = kFlagN}),
    Row<OccupiedPattern, R, TGroupText::Pattern>(
        {.ClassName = "TstRowMask", .Code = "ROWM", .Caption = texts::kStatRowMask, .Flags = kFlagN}),
    Row<AdjacentInGroup, C, TGroupText::GroupCount>(
        {.ClassName = "TstColAjacent", .Code = "COLA", .Caption = texts::kStatColAjacent, .Flags = kFlagN}),
    Row<AdjacentInGroup, R, TGroupText::GroupCount>(
        {.ClassName = "TstRowAjacent", .Code = "ROWA", .Caption = texts::kStatRowAjacent, .Flags = kFlagN}),
    Row<AdjacentGroups, C, TGroupText::Plain>({.ClassName = "TstColAjacentCnt",
                                               .Code = "COLC",
                                               .Caption = texts::kStatColAjacentCnt,
                                               .Flags = kFlagN,
                                               .Graph = true}),
    Row<AdjacentGroups, R, TGroupText::Plain>({.ClassName = "TstRowAjacentCnt",
                                               .Code = "ROWC",
                                               .Caption = texts::kStatRowAjacentCnt,
                                               .Flags = kFlagN,
                                               .Graph = true}),
    TupleRow<C, 2, false>("TstCombColMix2", "KFM2", texts::kStatCombColMix),
    TupleRow<C, 3, false>("TstCombColMix3", "KFM3", texts::kStatCombColMix),
    TupleRow<C, 4, false>("TstCombColMix4", "KFM4", texts::kStatCombColMix),
    TupleRow<C, 2, true>("TstCombColSeq2", "KFS2", texts::kStatCombColSeq),
    TupleRow<C, 3, true>("TstCombColSeq3", "KFS3", texts::kStatCombColSeq),
    TupleRow<C, 4, true>("TstCombColSeq4", "KFS4", texts::kStatCombColSeq),
    TupleRow<R, 2, false>("TstCombRowMix2", "KRM2", texts::kStatCombRowMix),
    TupleRow<R, 3, false>("TstCombRowMix3", "KRM3", texts::kStatCombRowMix),
    TupleRow<R, 4, false>("TstCombRowMix4", "KRM4", texts::kStatCombRowMix),
    TupleRow<R, 2, true>("TstCombRowSeq2", "KRS2", texts::kStatCombRowSeq),
    TupleRow<R, 3, true>("TstCombRowSeq3", "KRS3", texts::kStatCombRowSeq),
    TupleRow<R, 4, true>("TstCombRowSeq4", "KRS4", texts::kStatCombRowSeq),
    Row<InOneGroup, C, TGroupText::Plain>({.ClassName = "TstColValCnt",
                                           .Code = "COL%d",
                                           .Caption = texts::kStatColValCnt,
                                           .FamilyCode = "COLx",
                                           .Flags = kFlagN,
                                           .Graph = true,
                                           .ParamRange = &ColumnRange}),
    Row<InOneGroup, R, TGroupText::Plain>({.ClassName = "TstRowValCnt",
                                           .Code = "ROW%d",
                                           .Caption = texts::kStatRowValCnt,
                                           .FamilyCode = "ROWx",
                                           .Flags = kFlagN,
                                           .Graph = true,
                                           .ParamRange = &RowRange}),
};

}  // namespace

std::span<const TStatClass> MatrixClasses() { return kFamily; }

}  // namespace corvel
