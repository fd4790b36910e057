#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/Format.h"
#include "model/GameSettings.h"
#include "stats/CustomStat.h"
#include "stats/StatList.h"
#include "stats/families/GroupCounts.h"
#include "stats/families/GroupMap.h"
#include "stats/families/GroupShapes.h"

// The methods of the families that divide the numbers 1..48 into groups
// numbered from 1 (channels, matrix columns, matrix rows, segments). Every
// member of those families is one of a few ideas over a group map: the group
// of each number, how many numbers each group holds, how many groups are
// occupied, tuples of the groups of several positions, the count in one group,
// the pattern of occupied groups and the adjacent numbers inside a group. A
// family supplies the map made from the settings (copied into each instance
// when it is created, so that one computation sees one geometry) and its rows.
namespace corvel {

// The parameters 1..count of a family with one method per group; none
// (0..-1) when the settings give no groups.
inline void GroupParamRange(int count, int& low, int& high) {
    low = count < 1 ? 0 : 1;
    high = count < 1 ? -1 : count;
}

// The caption of a tuple member, formatted with its fixed tuple size.
template <int K>
std::string CaptionWithSize(std::string_view caption, int) {
    return Format(caption, {K});
}

// A method of a group family: Member (one of the members in GroupCounts.h and
// GroupShapes.h) over the map
// that MakeGroups builds from the settings of the registry.
template <class Member, TNumberGroups (*MakeGroups)(const TGameSettings&)>
class TGroupStat : public TCustomStat {
  public:
    TGroupStat(const TStatClass& cls, const TStatList& list, int param)
        : TCustomStat(cls, list, param, Member::kWholeKeys), groups_(MakeGroups(list.Settings)) {}

    const TNumberGroups& Groups() const { return groups_; }

    void SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool,
                   std::uint8_t* out) override {
        Member::Match(groups_, Param(), combs, values, out);
    }
    void SpanHistogram(std::span<const TCombination> combs, TStatDrawArray& values) override {
        if constexpr (!Member::kDrawsOnly) Member::Histogram(groups_, Param(), combs, values);
    }

  protected:
    void Values(const TStatItem& item, const TValueSink& sink) override {
        if (Member::kDrawsOnly && !item.Draw) return;
        Member::Values(groups_, Param(), item.Numbers, sink);
    }
    void SeedValues(const TValueSink& sink) override { Member::Seed(groups_, Param(), sink); }
    bool AnySelected(const TStatItem& item, const TStatDrawArray& values) override {
        bool found = false;
        Member::Values(groups_, Param(), item.Numbers, [&](const auto& value) {
            if constexpr (Member::kWholeKeys)
                found = found || HasKey(values, ToKey(value));
            else
                found = found || HasKeyWord(values, 0, ToKey(value)[0]);
        });
        return found;
    }

  private:
    TNumberGroups groups_;
};

// Value texts of the group members.
std::string GroupTupleText(const TStatDrawRec& value, std::size_t size);
std::string GroupCountText(const TNumberGroups& groups, const TStatDrawRec& value);
// Pattern texts: one letter per group, group 1 first, then the pattern value.
std::string GroupPatternText(const TNumberGroups& groups, const TStatDrawRec& value);
int GroupPatternFromText(std::string_view text);

// The group methods with their value texts: the decimal group or count
// (Plain), the group text (GroupName, whose text reads back as the number
// before the first blank), (group, count) pairs, tuples and patterns.
enum class TGroupText : std::uint8_t { Plain, GroupName, GroupCount, Tuple, Pattern };

template <class Member, TNumberGroups (*MakeGroups)(const TGameSettings&), TGroupText Text, std::size_t TupleSize = 0>
class TGroupTextStat final : public TGroupStat<Member, MakeGroups> {
  public:
    using TGroupStat<Member, MakeGroups>::TGroupStat;
    std::string ValueToText(const TStatDrawRec& value) const override {
        switch (Text) {
            case TGroupText::GroupName:
                return this->Groups().TextOf(value.Key[0]);
            case TGroupText::GroupCount:
                return GroupCountText(this->Groups(), value);
            case TGroupText::Tuple:
                return GroupTupleText(value, TupleSize);
            case TGroupText::Pattern:
                return GroupPatternText(this->Groups(), value);
            case TGroupText::Plain:
                break;
        }
        return TCustomStat::ValueToText(value);
    }
    int TextToValue(std::string_view text) const override {
        if (Text == TGroupText::Pattern) return GroupPatternFromText(text);
        if (Text == TGroupText::GroupName) return TCustomStat::TextToValue(text.substr(0, text.find(' ')));
        return TCustomStat::TextToValue(text);
    }
};

template <class Member, TNumberGroups (*MakeGroups)(const TGameSettings&), TGroupText Text, std::size_t TupleSize = 0>
constexpr TStatClass GroupRow(TStatClass row) {
    row.Create = &CreateStatOf<TGroupTextStat<Member, MakeGroups, Text, TupleSize>>;
    // A tuple's text does not read back into a value.
    if (Text == TGroupText::Tuple) row.CanParseValue = false;
    return row;
}

}  // namespace corvel
