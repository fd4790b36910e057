#include "stats/families/Chains.h"

#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Format.h"
#include "stats/CustomStat.h"
#include "stats/SpanKernels.h"
#include "stats/StatList.h"
#include "stats/families/Channels.h"
#include "stats/families/NumberGroups.h"
#include "stats/families/Segments.h"

namespace corvel {
namespace {

using kernels::ByteTable;

// What a member follows from draw to draw: the numbers themselves, their
// channels or their segments.
enum class TChainUnit : std::uint8_t { Number, Channel, Segment };

// How a member ties an earlier draw to the newest one and what it emits.
//   Shared:    every unit of the earlier draw that the newest draw also holds,
//              followed by each unit of the next draw;
//   Positions: the unit at a position equals the newest draw's unit there
//              (over three draws: and the one before equals the draw before
//              the newest), followed by the unit at that position;
//   Count:     the count of numbers in one unit (the parameter) equals the
//              newest draw's count, followed by the next draw's count;
//   Inside:    a number of the earlier draw that the newest draw holds,
//              followed by the numbers of the next draw in its channel.
enum class TChainRule : std::uint8_t { Shared, Positions, Count, Inside };

// What tells the members apart; TChainStat<Member> is the method of one member.
struct TChainMember {
    TChainRule Rule = TChainRule::Shared;
    TChainUnit Unit = TChainUnit::Number;
    int Parts = 2;             // draws in the chain: 2 or 3
    bool OnePosition = false;  // the parameter picks the one position read
    int InsideMode = 0;        // Inside: 0 all, 1 successful, 2 unsuccessful, 3 count
    bool TwoDigits = false;    // parts written with two digits ("03 -> 07")
};

// The unit of every byte: a number's channel or segment, 0 for any byte that
// is no number; the numbers rule maps every byte to itself, so that a filter
// compares a combination's bytes exactly.
ByteTable UnitTable(TChainUnit unit, const TGameSettings& settings) {
    ByteTable t{};
    for (int b = 0; b < 256; ++b) {
        const bool number = b >= kMinNumber && b <= kMaxNumber;
        int u = b;
        if (unit == TChainUnit::Channel) u = number ? ChannelOf(b, settings.Config.ChannelSize) : 0;
        if (unit == TChainUnit::Segment)
            u = number ? settings.Config.MatrixSegments[static_cast<std::size_t>(b - 1)] : 0;
        t[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(u);
    }
    return t;
}

// sel[v] = 1 when some selected value has Key[word] = v.
ByteTable SelectWord(const TStatDrawArray& values, std::size_t word) {
    ByteTable sel{};
    for (const auto& v : values)
        if (v.Key[word] < 256) sel[v.Key[word]] = 1;
    return sel;
}

template <TChainMember Member>
class TChainStat final : public TCustomStat {
    // The key word holding the follower.
    static constexpr std::size_t kFollower = Member.Parts == 3 ? 2 : 1;

  public:
    TChainStat(const TStatClass& cls, const TStatList& list, int param)
        : TCustomStat(cls, list, param, true),
          unit_(UnitTable(Member.Unit, list.Settings)),
          channelSize_(list.Settings.Config.ChannelSize) {}

    std::string ValueToText(const TStatDrawRec& value) const override {
        auto part = [](int v) { return Member.TwoDigits ? Format("%.2d", {v}) : std::to_string(v); };
        if (Member.Parts == 3)
            return Format(texts::kStatChainThree, {part(value.Key[0]), part(value.Key[1]), part(value.Key[2])});
        return Format(texts::kStatChainTwo, {part(value.Key[0]), part(value.Key[1])});
    }

    // A filter over a span reduces to one property of the bytes, built once
    // from the few draws and values it depends on: whether a byte is (or has
    // the unit of) a selected follower; for the count members whether a byte
    // lies in the unit, with the selected counts as a table of patterns.
    void SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool,
                   std::uint8_t* out) override {
        ByteTable property{};
        if constexpr (Member.Rule == TChainRule::Count) {
            const ByteTable counts = SelectWord(values, kFollower);
            kernels::PatternTable byPattern{};
            for (std::size_t p = 0; p < byPattern.size(); ++p)
                byPattern[p] = counts[static_cast<std::size_t>(std::popcount(p))];
            for (std::size_t b = 0; b < 256; ++b) property[b] = InUnit(static_cast<std::uint8_t>(b)) ? 1 : 0;
            kernels::MatchPattern(combs, property, byPattern, out);
            return;
        } else if constexpr (Member.Rule == TChainRule::Inside) {
            const TCombination& newest = PrevDraw().Numbers;
            for (std::size_t b = 0; b < 256; ++b)
                property[b] = InsideFollower(newest, static_cast<std::uint8_t>(b), values) ? 1 : 0;
        } else {
            const ByteTable followers = SelectWord(values, kFollower);
            for (std::size_t b = 0; b < 256; ++b) property[b] = followers[unit_[b]];
        }
        kernels::MatchPattern(combs, property, kernels::AnyPattern(), out);
    }
    // The values belong to draws: a bare combination adds none.
    void SpanHistogram(std::span<const TCombination>, TStatDrawArray&) override {}

  protected:
    void Values(const TStatItem& item, const TValueSink& sink) override {
        if (!item.Draw) return;
        const TDrawRec p1 = GetDraw(item.Index - 1);
        if (p1.Number <= 0) return;
        TDrawRec p2{}, r1{};
        if constexpr (Member.Parts == 3) {
            p2 = GetDraw(item.Index - 2);
            if (p2.Number <= 0) return;
            r1 = GetDraw(Context().LastIndex - 1);
        }
        const TCombination& d = item.Numbers;
        const TCombination& r = PrevDraw().Numbers;
        if constexpr (Member.Rule == TChainRule::Shared) {
            std::array<bool, 256> inNewest{};
            for (auto n : r) inNewest[unit_[n]] = true;
            for (auto x : p1.Numbers)
                if (inNewest[unit_[x]])
                    for (auto y : d) sink(TStatKey{unit_[x], unit_[y], 0, 0});
        } else if constexpr (Member.Rule == TChainRule::Positions) {
            for (std::size_t k = 0; k < d.size(); ++k) {
                if (Member.OnePosition && static_cast<int>(k) + 1 != Param()) continue;
                if (unit_[r[k]] != unit_[p1.Numbers[k]]) continue;
                if constexpr (Member.Parts == 3) {
                    if (unit_[r1.Numbers[k]] == unit_[p2.Numbers[k]])
                        sink(TStatKey{unit_[p2.Numbers[k]], unit_[p1.Numbers[k]], unit_[d[k]], 0});
                } else {
                    sink(TStatKey{unit_[p1.Numbers[k]], unit_[d[k]], 0, 0});
                }
            }
        } else if constexpr (Member.Rule == TChainRule::Count) {
            const std::uint16_t cp1 = CountIn(p1.Numbers);
            if (CountIn(r) != cp1) return;
            if constexpr (Member.Parts == 3) {
                const std::uint16_t cp2 = CountIn(p2.Numbers);
                if (CountIn(r1.Numbers) == cp2) sink(TStatKey{cp2, cp1, CountIn(d), 0});
            } else {
                sink(TStatKey{cp1, CountIn(d), 0, 0});
            }
        } else {
            InsideValues(d, item.Index, sink);
        }
    }

    // The count members list every follower count of the newest draw's
    // count (of the two newest counts over three draws) with count 0: the
    // channel members 0..ChannelSize, the segment members 0 only.
    void SeedValues(const TValueSink& sink) override {
        if constexpr (Member.Rule == TChainRule::Count) {
            const std::uint16_t c = CountIn(PrevDraw().Numbers);
            const int last = Member.Unit == TChainUnit::Channel ? channelSize_ : 0;
            const std::uint16_t c1 = CountIn(GetDraw(Context().LastIndex - 1).Numbers);
            for (int t = 0; t <= last; ++t) {
                const auto follower = static_cast<std::uint16_t>(t);
                sink(Member.Parts == 3 ? TStatKey{c1, c, follower, 0} : TStatKey{c, follower, 0, 0});
            }
        }
    }

    // The filter of one combination as the rule reads: only the follower
    // part of a selected value is compared.
    bool AnySelected(const TStatItem& item, const TStatDrawArray& values) override {
        const TCombination& c = item.Numbers;
        if constexpr (Member.Rule == TChainRule::Count) {
            const std::uint16_t count = CountIn(c);
            for (const auto& v : values)
                if (v.Key[kFollower] == count) return true;
        } else if constexpr (Member.Rule == TChainRule::Inside) {
            const TCombination& newest = PrevDraw().Numbers;
            for (auto q : c)
                if (InsideFollower(newest, q, values)) return true;
        } else {
            for (const auto& v : values)
                for (auto q : c)
                    if (unit_[q] == v.Key[kFollower]) return true;
        }
        return false;
    }

  private:
    bool InUnit(std::uint8_t b) const { return unit_[b] == Param(); }
    std::uint16_t CountIn(const TCombination& c) const {
        std::uint16_t n = 0;
        for (auto b : c) n = static_cast<std::uint16_t>(n + (InUnit(b) ? 1 : 0));
        return n;
    }

    // The numbers of the earlier draw (read in drawn order) that the newest
    // draw holds, each with the numbers of draw d in its channel.
    template <class Sink>
    void InsideValues(const TCombination& d, int index, Sink&& sink) const {
        constexpr int mode = Member.InsideMode;
        const TDrawRec p1 = corvel::GetDraw(*Context().Draws, index - 1, false);
        const TCombination& r = PrevDraw().Numbers;
        for (auto x : p1.Numbers) {
            bool held = false;
            for (auto n : r) held = held || n == x;
            if (!held) continue;
            TStatKey key{x, 0, 0, 0};
            for (auto y : d) {
                if (unit_[y] != unit_[x]) continue;
                if (mode == 3) {
                    ++key[1];
                } else {
                    key[1] = y;
                    if (mode != 2) sink(TStatKey{x, y, 0, 0});
                }
            }
            if (mode == 3 || (key[1] == 0 && mode != 1)) sink(key);
        }
    }

    // Whether byte q of a combination follows a selected value of the inside
    // members: for a number r of the newest draw and a selected value (r, f),
    // q lies in r's channel when the count is asked for or f is 0, and q is
    // f otherwise.
    bool InsideFollower(const TCombination& newest, std::uint8_t q, const TStatDrawArray& values) const {
        for (auto r : newest)
            for (const auto& v : values) {
                if (v.Key[0] != r) continue;
                if (Member.InsideMode == 3 || v.Key[1] == 0) {
                    if (unit_[q] == unit_[r]) return true;
                } else if (q == v.Key[1]) {
                    return true;
                }
            }
        return false;
    }

    ByteTable unit_;
    int channelSize_;
};

// The caption template holds the chain length as "%0:d" and, for the
// parameter families, "%%d", which the first formatting turns into the
// parameter's "%d".
template <int Parts>
std::string ChainCaption(std::string_view caption, int param) {
    return Format(Format(caption, {Parts}), {param});
}

void ChannelRange(const TGameSettings& settings, int& low, int& high) {
    GroupParamRange(settings.ChannelCount(), low, high);
}

constexpr std::uint8_t kSD = kFlagS | kFlagD;

template <TChainMember Member>
constexpr TStatClass ChainRow(TStatClass row) {
    row.Group = 10;
    row.CanParseValue = false;
    row.CaptionText = &ChainCaption<Member.Parts>;
    row.Create = &CreateStatOf<TChainStat<Member>>;
    return row;
}

using R = TChainRule;
using U = TChainUnit;

const TStatClass kFamily[] = {
    // ---- numbers
    ChainRow<TChainMember{.Rule = R::Shared}>(
        {.ClassName = "TstChain2DrawsAll", .Code = "SDV2", .Caption = texts::kStatChainNumbersAll, .Flags = kFlagD}),
    ChainRow<TChainMember{.Rule = R::Positions}>(
        {.ClassName = "TstChain2DrawsPos", .Code = "SDP2", .Caption = texts::kStatChainNumbersPos, .Flags = kSD}),
    ChainRow<TChainMember{.Rule = R::Positions, .OnePosition = true}>({.ClassName = "TstChain2Pos",
                                                                       .Code = "SDN%d",
                                                                       .Caption = texts::kStatChainNumbersAt,
                                                                       .FamilyCode = "SDNx",
                                                                       .Flags = kSD,
                                                                       .ParamRange = &FixedParams<1, 6>}),
    ChainRow<TChainMember{.Rule = R::Positions, .Parts = 3}>(
        {.ClassName = "TstChain3DrawsPos", .Code = "SDP3", .Caption = texts::kStatChainNumbersPos, .Flags = kSD}),
    ChainRow<TChainMember{.Rule = R::Positions, .Parts = 3, .OnePosition = true}>(
        {.ClassName = "TstChain3Pos",
         .Code = "SDM%d",
         .Caption = texts::kStatChainNumbersAt,
         .FamilyCode = "SDMx",
         .Flags = kSD,
         .ParamRange = &FixedParams<1, 6>}),
    // ---- channels
    ChainRow<TChainMember{.Rule = R::Shared, .Unit = U::Channel, .TwoDigits = true}>(
        {.ClassName = "TstChain2ChannelsAll",
         .Code = "SCV2",
         .Caption = texts::kStatChainChannelsAll,
         .Flags = kFlagD}),
    ChainRow<TChainMember{.Rule = R::Positions, .Unit = U::Channel, .TwoDigits = true}>(
        {.ClassName = "TstChain2ChannelsPos", .Code = "SCP2", .Caption = texts::kStatChainChannelsPos, .Flags = kSD}),
    ChainRow<TChainMember{.Rule = R::Positions, .Unit = U::Channel, .OnePosition = true, .TwoDigits = true}>(
        {.ClassName = "TstChain2Channel",
         .Code = "SCN%d",
         .Caption = texts::kStatChainChannelsAt,
         .FamilyCode = "SCNx",
         .Flags = kSD,
         .ParamRange = &FixedParams<1, 6>}),
    ChainRow<TChainMember{.Rule = R::Positions, .Unit = U::Channel, .Parts = 3, .TwoDigits = true}>(
        {.ClassName = "TstChain3ChannelsPos", .Code = "SCP3", .Caption = texts::kStatChainChannelsPos, .Flags = kSD}),
    ChainRow<TChainMember{
        .Rule = R::Positions, .Unit = U::Channel, .Parts = 3, .OnePosition = true, .TwoDigits = true}>(
        {.ClassName = "TstChain3Channel",
         .Code = "SCM%d",
         .Caption = texts::kStatChainChannelsAt,
         .FamilyCode = "SCMx",
         .Flags = kSD,
         .ParamRange = &FixedParams<1, 6>}),
    ChainRow<TChainMember{.Rule = R::Count, .Unit = U::Channel}>({.ClassName = "TstChain2CnlCnt",
                                                                  .Code = "SC2C%d",
                                                                  .Caption = texts::kStatChainChannelCount,
                                                                  .FamilyCode = "SC2Cx",
                                                                  .Flags = kFlagD,
                                                                  .ParamRange = &ChannelRange}),
    ChainRow<TChainMember{.Rule = R::Count, .Unit = U::Channel, .Parts = 3}>({.ClassName = "TstChain3CnlCnt",
                                                                              .Code = "SC3C%d",
                                                                              .Caption = texts::kStatChainChannelCount,
                                                                              .FamilyCode = "SC3Cx",
                                                                              .Flags = kFlagD,
                                                                              .ParamRange = &ChannelRange}),
    // ---- numbers inside their channels
    ChainRow<TChainMember{.Rule = R::Inside, .Unit = U::Channel, .InsideMode = 0, .TwoDigits = true}>(
        {.ClassName = "TstChainChannels2InsideAll",
         .Code = "SDA2",
         .Caption = texts::kStatChainInsideAll,
         .Flags = kFlagD}),
    ChainRow<TChainMember{.Rule = R::Inside, .Unit = U::Channel, .InsideMode = 1, .TwoDigits = true}>(
        {.ClassName = "TstChainChannels2InsideSuc",
         .Code = "SDG2",
         .Caption = texts::kStatChainInsideSuccessful,
         .Flags = kFlagD}),
    ChainRow<TChainMember{.Rule = R::Inside, .Unit = U::Channel, .InsideMode = 2, .TwoDigits = true}>(
        {.ClassName = "TstChainChannels2InsideBad",
         .Code = "SDZ2",
         .Caption = texts::kStatChainInsideUnsuccessful,
         .Flags = kFlagD}),
    ChainRow<TChainMember{.Rule = R::Inside, .Unit = U::Channel, .InsideMode = 3}>(
        {.ClassName = "TstChainChannels2InsideCnt",
         .Code = "SDC2",
         .Caption = texts::kStatChainInsideCount,
         .Flags = kFlagD}),
    // ---- segments
    ChainRow<TChainMember{.Rule = R::Shared, .Unit = U::Segment}>({.ClassName = "TstChain2SegmentsAll",
                                                                   .Code = "SSV2",
                                                                   .Caption = texts::kStatChainSegmentsAll,
                                                                   .Flags = kFlagD}),
    ChainRow<TChainMember{.Rule = R::Positions, .Unit = U::Segment}>(
        {.ClassName = "TstChain2SegmentsPos", .Code = "SSP2", .Caption = texts::kStatChainSegmentsPos, .Flags = kSD}),
    ChainRow<TChainMember{.Rule = R::Positions, .Unit = U::Segment, .OnePosition = true}>(
        {.ClassName = "TstChain2Segment",
         .Code = "SSN%d",
         .Caption = texts::kStatChainSegmentsAt,
         .FamilyCode = "SSNx",
         .Flags = kSD,
         .ParamRange = &FixedParams<1, 6>}),
    ChainRow<TChainMember{.Rule = R::Positions, .Unit = U::Segment, .Parts = 3}>(
        {.ClassName = "TstChain3SegmentsPos", .Code = "SSP3", .Caption = texts::kStatChainSegmentsPos, .Flags = kSD}),
    ChainRow<TChainMember{.Rule = R::Positions, .Unit = U::Segment, .Parts = 3, .OnePosition = true}>(
        {.ClassName = "TstChain3Segment",
         .Code = "SSM%d",
         .Caption = texts::kStatChainSegmentsAt,
         .FamilyCode = "SSMx",
         .Flags = kSD,
         .ParamRange = &FixedParams<1, 6>}),
    ChainRow<TChainMember{.Rule = R::Count, .Unit = U::Segment}>({.ClassName = "TstChain2SgmCnt",
                                                                  .Code = "SS2C%d",
                                                                  .Caption = texts::kStatChainSegmentCount,
                                                                  .FamilyCode = "SS2Cx",
                                                                  .Flags = kFlagD,
                                                                  .ParamRange = &SegmentParamRange}),
    ChainRow<TChainMember{.Rule = R::Count, .Unit = U::Segment, .Parts = 3}>({.ClassName = "TstChain3SgmCnt",
                                                                              .Code = "SS3C%d",
                                                                              .Caption = texts::kStatChainSegmentCount,
                                                                              .FamilyCode = "SS3Cx",
                                                                              .Flags = kFlagD,
                                                                              .ParamRange = &SegmentParamRange}),
};

}  // namespace

std::span<const TStatClass> ChainClasses() { return kFamily; }

}  // namespace corvel
