#include "stats/families/SeriesPeriods.h"

#include <algorithm>
#include <bitset>

#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Format.h"
#include "stats/CustomStat.h"
#include "stats/SpanKernels.h"
#include "stats/StatList.h"
#include "stats/families/Channels.h"

namespace corvel {
namespace {

using kernels::ByteTable;

// What the items of a member are: the item of every byte (0 for a byte that
// is no number), the range of items, and how an item is written.
struct TItems {
    ByteTable Of{};
    int Low = 1;
    int High = 0;
    bool TwoDigits = false;

    std::string TextOf(int item) const { return TwoDigits ? Format("%.2d", {item}) : std::to_string(item); }
};

TItems NumberItems(const TGameSettings&) {
    TItems items;
    for (int n = kMinNumber; n <= kMaxNumber; ++n) items.Of[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(n);
    items.High = kMaxNumber;
    return items;
}

TItems ChannelItems(const TGameSettings& settings) {
    TItems items;
    items.TwoDigits = true;
    const int width = settings.Config.ChannelSize;
    if (width <= 0) return items;  // no channels: an empty range
    for (int n = kMinNumber; n <= kMaxNumber; ++n)
        items.Of[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(ChannelOf(n, width));
    items.High = ChannelOf(kMaxNumber, width);
    return items;
}

TItems SegmentItems(const TGameSettings& settings) {
    TItems items;
    items.Low = 9;
    items.High = 1;
    for (int n = kMinNumber; n <= kMaxNumber; ++n) {
        const std::uint8_t segment = settings.Config.MatrixSegments[static_cast<std::size_t>(n - 1)];
        items.Of[static_cast<std::size_t>(n)] = segment;
        items.Low = std::min<int>(items.Low, segment);
        items.High = std::max<int>(items.High, segment);
    }
    // The map read from the settings holds segments 1..9; a 0 would have no
    // entry in the run table.
    items.Low = std::max(items.Low, 1);
    return items;
}

using TItemSet = std::bitset<256>;

TItemSet ItemsOf(const TItems& items, const TCombination& numbers) {
    TItemSet set;
    for (auto n : numbers) set.set(items.Of[n]);
    return set;
}

// Both families write a value as the item and a length: "17 x 3", "03 x 2".
template <TItems (*MakeItems)(const TGameSettings&)>
class TItemHistoryStat : public TCustomStat {
  public:
    TItemHistoryStat(const TStatClass& cls, const TStatList& list, int param)
        : TCustomStat(cls, list, param, true), items_(MakeItems(list.Settings)) {}

    std::string ValueToText(const TStatDrawRec& value) const override {
        return Format(texts::kStatItemTimes, {items_.TextOf(value.Key[0]), static_cast<int>(value.Key[1])});
    }
    void SpanMatch(std::span<const TCombination> combs, const TStatDrawArray& values, bool,
                   std::uint8_t* out) override {
        kernels::MatchPattern(combs, PickedNumbers(values), kernels::AnyPattern(), out);
    }

  protected:
    const TItems& Items() const { return items_; }
    // A bare combination has no history: it adds nothing to a table.
    void Values(const TStatItem&, const TValueSink&) override {}
    // The filter's test as a byte property: whether a number's item is one
    // the selection picks.
    virtual ByteTable PickedNumbers(const TStatDrawArray& values) const = 0;

  private:
    TItems items_;
};

// ---- serial groups

// A run in the pass's work area, one entry per item 1..48.
enum TRunField : std::size_t { kRunCount, kRunLastDraw, kRunDepth };

template <TItems (*MakeItems)(const TGameSettings&), bool Presence>
class TSeriesStat final : public TItemHistoryStat<MakeItems> {
  public:
    using TItemHistoryStat<MakeItems>::TItemHistoryStat;

    // Called for the draws of the window, oldest first. Every run of an item
    // of the window's newest draw that ends (or reaches that draw) is merged
    // as (item, length), dated by the run's last draw.
    void DrawValues(int index, TStatDrawArray& values) override {
        const TItems& items = this->Items();
        const int high = std::min(items.High, static_cast<int>(kMaxNumber));
        if (high < items.Low) return;
        const int last = this->Context().LastIndex;
        const TDrawRec draw = this->GetDraw(index);
        const TItemSet present = ItemsOf(items, draw.Numbers);
        const TItemSet inNewest = ItemsOf(items, this->PrevDraw().Numbers);
        auto& work = this->Pass().Work;
        for (int item = items.Low; item <= high; ++item) {
            auto& run = work[static_cast<std::size_t>(item - 1)];
            const bool isPresent = present.test(static_cast<std::size_t>(item));
            const bool listed = inNewest.test(static_cast<std::size_t>(item));
            if (isPresent == Presence) {
                ++run[kRunCount];
                run[kRunLastDraw] = draw.Number;
                run[kRunDepth] = last - index + 1;
                if (index == last && listed) Merge(values, item, run);
            } else {
                if (run[kRunCount] > 0 && listed) Merge(values, item, run);
                run = {};
            }
        }
    }

  protected:
    // A number is picked when its item is the item of a selected value.
    ByteTable PickedNumbers(const TStatDrawArray& values) const override {
        ByteTable picked{};
        for (std::size_t n = 0; n < picked.size(); ++n) {
            const std::uint8_t item = this->Items().Of[n];
            picked[n] = item != 0 && HasKeyWord(values, 0, item) ? 1 : 0;
        }
        return picked;
    }
    bool AnySelected(const TStatItem& item, const TStatDrawArray& values) override {
        for (auto n : item.Numbers) {
            const std::uint8_t of = this->Items().Of[n];
            if (of != 0 && HasKeyWord(values, 0, of)) return true;
        }
        return false;
    }

  private:
    static void Merge(TStatDrawArray& values, int item, const std::array<std::int32_t, 3>& run) {
        TStatDrawRec rec;
        rec.Key = {static_cast<std::uint16_t>(item), static_cast<std::uint16_t>(run[kRunCount]), 0, 0};
        rec.LastDraw = run[kRunLastDraw];
        rec.PrevDraw = run[kRunLastDraw];
        rec.Depth = run[kRunDepth];
        rec.Count = 1;
        AddStatValue(values, rec, true);
    }
};

// ---- periods

template <TItems (*MakeItems)(const TGameSettings&)>
class TPeriodStat final : public TItemHistoryStat<MakeItems> {
  public:
    using TItemHistoryStat<MakeItems>::TItemHistoryStat;

    // The distance from each item's previous occurrence; the first
    // occurrence in the pass and a second number of one item in the same
    // draw give none.
    void DrawValues(int index, TStatDrawArray& values) override {
        const TDrawRec draw = this->GetDraw(index);
        TStatDrawRec rec;
        rec.LastDraw = draw.Number;
        rec.PrevDraw = draw.Number;
        rec.Depth = this->Context().LastIndex - index + 1;
        rec.Count = 1;
        for (auto n : draw.Numbers) {
            const std::uint16_t item = this->Items().Of[n];
            TStatDrawRec seen;
            seen.LastDraw = draw.Number;
            seen.Key = {item, 0, 0, 0};
            const std::int32_t period = UpdateLastValue(seen, this->Pass().LastValues);
            if (period <= 0) continue;
            rec.Key = {item, static_cast<std::uint16_t>(period), 0, 0};
            AddStatValue(values, rec, true);
        }
    }

  protected:
    // A combination, as the draw after the window's last, matches when one of
    // its items would come back after exactly a selected period: the item
    // was drawn that many draws before. Keep and remove use this one test.
    ByteTable PickedNumbers(const TStatDrawArray& values) const override {
        const std::bitset<256> hit = RepeatingItems(values);
        ByteTable picked{};
        for (std::size_t n = 0; n < picked.size(); ++n) picked[n] = hit.test(this->Items().Of[n]) ? 1 : 0;
        return picked;
    }
    bool AnySelected(const TStatItem& item, const TStatDrawArray& values) override {
        const int last = this->Context().LastIndex;
        for (auto n : item.Numbers) {
            const std::uint8_t a = this->Items().Of[n];
            if (a == 0) continue;  // no number
            for (const auto& v : values)
                if (v.Key[0] == a && ItemsOf(this->Items(), DrawBefore(last, v.Key[1])).test(a)) return true;
        }
        return false;
    }

  private:
    // The numbers of the draw `period` draws before the one after `last`
    // (none for a period of 0, which would be that draw itself).
    TCombination DrawBefore(int last, int period) const {
        if (period < 1) return {};
        return corvel::GetDraw(*this->Context().Draws, last - period + 1, false).Numbers;
    }
    std::bitset<256> RepeatingItems(const TStatDrawArray& values) const {
        std::bitset<256> hit;
        const int last = this->Context().LastIndex;
        for (const auto& v : values)
            if (v.Key[0] < 256 && ItemsOf(this->Items(), DrawBefore(last, v.Key[1])).test(v.Key[0])) hit.set(v.Key[0]);
        // Bytes that are no number have item 0, which nothing selects.
        hit.reset(0);
        return hit;
    }
};

constexpr std::uint8_t kGroupSeries = 8;
constexpr std::uint8_t kGroupPeriods = 9;

template <class Stat>
constexpr TStatClass Row(const char* className, const char* code, i18n::TextId caption, std::uint8_t group,
                         std::uint8_t flags) {
    return {.ClassName = className,
            .Code = code,
            .Caption = caption,
            .Group = group,
            .Flags = flags,
            .CanParseValue = false,
            .Create = &CreateStatOf<Stat>};
}

template <TItems (*MakeItems)(const TGameSettings&), bool Presence>
constexpr TStatClass SeriesRow(const char* className, const char* code, i18n::TextId caption) {
    return Row<TSeriesStat<MakeItems, Presence>>(className, code, caption, kGroupSeries, kFlagD);
}

template <TItems (*MakeItems)(const TGameSettings&)>
constexpr TStatClass PeriodRow(const char* className, const char* code, i18n::TextId caption) {
    return Row<TPeriodStat<MakeItems>>(className, code, caption, kGroupPeriods, kFlagP);
}

const TStatClass kFamily[] = {
    SeriesRow<&NumberItems, true>("TstNumGroups", "GRPV", texts::kStatNumGroups),
    SeriesRow<&NumberItems, false>("TstNumPauses", "GRPP", texts::kStatNumPauses),
    SeriesRow<&ChannelItems, true>("TstChnGroups", "GRCV", texts::kStatChnGroups),
    SeriesRow<&ChannelItems, false>("TstChnPauses", "GRCP", texts::kStatChnPauses),
    SeriesRow<&SegmentItems, true>("TstSgmGroups", "GRSV", texts::kStatSgmGroups),
    SeriesRow<&SegmentItems, false>("TstSgmPauses", "GRSP", texts::kStatSgmPauses),
    PeriodRow<&NumberItems>("TstNumPeriods", "PRDV", texts::kStatNumPeriods),
    PeriodRow<&ChannelItems>("TstChnPeriods", "PRDC", texts::kStatChnPeriods),
    PeriodRow<&SegmentItems>("TstSgmPeriods", "PRDG", texts::kStatSgmPeriods),
};

}  // namespace

std::span<const TStatClass> SeriesPeriodClasses() { return kFamily; }

}  // namespace corvel
