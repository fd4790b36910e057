#pragma once

#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/DrawRecord.h"
#include "model/GameSettings.h"
#include "stats/StatClass.h"

namespace corvel {

class TCustomStat;

// One registry entry: a method class with its parameter and the user's
// settings for it.
struct TStatMethod {
    const TStatClass* StatClass = nullptr;
    int Param = 0;
    bool Favorite = true;
    std::string UserCaption;  // empty: the standard caption
    std::string Formula;      // shredding formula text, for group 12 only

    std::string Code() const { return StatClass->CodeFor(Param); }
};

// The registry of all statistic methods in their fixed order, with the game
// settings that decide the parameter ranges, the user's captions and
// favourites, and the options of the method lists.
class TStatList {
  public:
    TStatList() = default;
    TStatList(const TStatList&) = delete;
    TStatList& operator=(const TStatList&) = delete;

    // The archive the methods read; set before creating instances.
    void SetDraws(const TDrawsArray* draws) { draws_ = draws; }
    const TDrawsArray* Draws() const { return draws_; }

    TGameSettings Settings;
    bool Ordered = false;
    bool ShowGroupName = true;
    bool ShowMethodFlags = true;
    bool AllFavorites = true;

    // Rebuilds the entries from the class table for the current settings.
    void RegisterMethods();

    int Count() const { return static_cast<int>(methods_.size()); }
    const TStatMethod& Item(int i) const { return methods_.at(static_cast<std::size_t>(i)); }
    TStatMethod& Item(int i) { return methods_.at(static_cast<std::size_t>(i)); }
    bool IsVisible(int i) const { return AllFavorites || Item(i).Favorite; }

    // Whether entry i has a prefetch cache: its class has flag N and, under
    // the current settings, its values need no earlier draw.
    bool IsPrefetchable(int i) const {
        const TStatMethod& m = Item(i);
        return m.StatClass->IsPrefetchable(Settings, m.Param);
    }

    std::unique_ptr<TCustomStat> CreateStat(int i) const;
    // CreateStat of the entry selected in a method list; -1 (nothing selected)
    // raises texts::kNoMethodSelected with the list's name.
    std::unique_ptr<TCustomStat> StatFromSelection(int i, std::string_view listName) const;
    // Index of the entry with that code (case-insensitive), -1 when none.
    int FindMethod(std::string_view code) const;
    // Codes that resemble the given one, closest first (for error messages).
    std::vector<std::string> SimilarCodes(std::string_view code, std::size_t most) const;

    std::string GetMethodCaption(int i) const;
    std::string GetMethodText(int i, bool withFlags) const;

    void SetAllFavorites();
    void NormalizeFavorites();
    std::string GetFavoritesText() const;
    void SetFavoritesText(std::string_view text);

    // The filter-names file (.flt). Throw ECorvelError with the reason; the
    // registry keeps what was loaded before an error.
    void LoadNames(const std::filesystem::path& file, bool withOptions, std::string_view language = "RUS");
    void SaveNames(const std::filesystem::path& file, bool withOptions, bool allCaptions,
                   std::string_view language = "RUS") const;

  private:
    const TDrawsArray* draws_ = nullptr;
    std::vector<TStatMethod> methods_;
};

// The group heading texts::kGroupHeading ("{ num } " and the group's caption);
// texts::kUnknownGroup for an unknown group.
std::string GroupHeading(int group);

// Every method class in registration order. Classes whose family is not built
// yet are absent.
std::span<const TStatClass* const> RegisteredClasses();

}  // namespace corvel
