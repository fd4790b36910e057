#include "stats/families/Channels.h"

#include <algorithm>

#include "i18n/Texts.h"
#include "model/Format.h"
#include "stats/families/NumberGroups.h"

namespace corvel {
namespace {

using namespace groups;

// "03 [13-18]": the channel with its bounds; the last channel's upper bound
// is width x channels even where that passes 48.
std::string ChannelText(const TNumberGroups& g, int channel) {
    const int w = g.ChannelWidth;
    return Format("%.2d [%s-%s]", {channel, std::to_string(w * (channel - 1) + 1), std::to_string(w * channel)});
}

TNumberGroups Channels(const TGameSettings& settings) {
    TNumberGroups g;
    const int width = settings.Config.ChannelSize;
    g.GroupText = &ChannelText;
    g.ChannelWidth = width;
    if (width <= 0) return g;  // no channels, and nothing to divide by
    for (int n = kMinNumber; n <= kMaxNumber; ++n)
        g.Of[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(ChannelOf(n, width));
    g.Last = settings.ChannelCount();
    for (int c = 1; c <= g.Last; ++c) g.Listed.push_back(static_cast<std::uint8_t>(c));
    g.SeedCountsUpTo = std::min(width, kNumbersPerDraw);
    g.SeedDistinctUpTo = std::min(width, kNumbersPerDraw);
    g.SeedInOneGroupUpTo = width;
    return g;
}

void ChannelRange(const TGameSettings& settings, int& low, int& high) {
    GroupParamRange(settings.ChannelCount(), low, high);
}

template <class Member, TGroupText Text, std::size_t TupleSize = 0>
constexpr TStatClass Row(TStatClass row) {
    row.Group = 3;
    return GroupRow<Member, &Channels, Text, TupleSize>(row);
}

template <std::size_t K, bool Neighbours>
constexpr TStatClass TupleRow(const char* name, const char* code) {
    return Row<GroupTuples<K, Neighbours>, TGroupText::Tuple, K>(
        {.ClassName = name,
         .Code = code,
         .Caption = Neighbours ? texts::kStatCombChnSeq : texts::kStatCombChnMix,
         .CaptionText = &CaptionWithSize<static_cast<int>(K)>,
         .Flags = kFlagS});
}

const TStatClass kFamily[] = {
    Row<EachGroup, TGroupText::GroupName>(
        {.ClassName = "TstChannels", .Code = "CHAN", .Caption = texts::kStatChannels, .Flags = kFlagN}),
    Row<CountsPerGroup, TGroupText::GroupCount>({.ClassName = "TstChanValues",
                                                 .Code = "CHNV",
                                                 .Caption = texts::kStatChanValues,
                                                 .Flags = kFlagN,
                                                 .CanParseValue = false}),
    Row<OccupiedGroups, TGroupText::Plain>({.ClassName = "TstChanCount",
                                            .Code = "CHNC",
                                            .Caption = texts::kStatChanCount,
                                            .Flags = kFlagN,
                                            .Graph = true}),
    TupleRow<2, false>("TstCombChnMix2", "KCM2"),
    TupleRow<3, false>("TstCombChnMix3", "KCM3"),
    TupleRow<4, false>("TstCombChnMix4", "KCM4"),
    TupleRow<2, true>("TstCombChnSeq2", "KCS2"),
    TupleRow<3, true>("TstCombChnSeq3", "KCS3"),
    TupleRow<4, true>("TstCombChnSeq4", "KCS4"),
    Row<InOneGroup, TGroupText::Plain>({.ClassName = "TstChnValCnt",
                                        .Code = "CHN%d",
                                        .Caption = texts::kStatChnValCnt,
                                        .FamilyCode = "CHNx",
                                        .Flags = kFlagN,
                                        .Graph = true,
                                        .ParamRange = &ChannelRange}),
};

}  // namespace

std::span<const TStatClass> ChannelClasses() { return kFamily; }

std::uint32_t ChannelColour(int n, int width) {
    static constexpr std::uint32_t kColours[19] = {0xAAFFAA, 0xFFFFAA, 0xAAFFFF, 0xFFAAAA, 0xAAAAFF, 0xFFD5AA, 0xD5AAFF,
                                                   0xD4D4D4, 0xAAD5FF, 0xFFAAD5, 0xD5FFD5, 0xFFFFD5, 0xD5FFFF, 0xFFD5D5,
                                                   0xD5D5FF, 0xFFEAD5, 0xEAD5FF, 0xE9E9E9, 0xD5EAFF};
    const int channel = ChannelOf(n, width);
    if (n < kMinNumber || n > kMaxNumber || channel <= 0) return 0xFF0000;
    return kColours[(channel - 1) % 19];
}

}  // namespace corvel
