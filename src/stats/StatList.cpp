#include "stats/StatList.h"

#include <algorithm>

#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "model/IniFile.h"
#include "model/TextUtil.h"
#include "stats/CustomStat.h"

namespace corvel {

std::string GroupHeading(int group) {
    if (group < 0 || group >= kGroupCount) return texts::kUnknownGroup.Str();
    return Format(texts::kGroupHeading, {GroupCaption(group), GroupCode(group)});
}

void TStatList::RegisterMethods() {
    Ordered = false;
    ShowGroupName = true;
    ShowMethodFlags = true;
    AllFavorites = true;
    methods_.clear();
    for (const TStatClass* cls : RegisteredClasses()) {
        if (!cls->Enabled) continue;
        const bool shredding = cls->Group == 12;
        auto add = [&](int param) {
            TStatMethod m;
            m.StatClass = cls;
            m.Param = param;
            if (shredding && param >= 1 && param <= 3)
                m.Formula = Settings.Formulas[static_cast<std::size_t>(param - 1)];
            methods_.push_back(std::move(m));
        };
        if (cls->HasParamRange()) {
            int low = 0, high = 0;
            cls->ParamRange(Settings, low, high);
            for (int p = low; p <= high; ++p) add(p);
        } else {
            add(0);
        }
    }
}

std::unique_ptr<TCustomStat> TStatList::CreateStat(int i) const {
    const TStatMethod& m = Item(i);
    return m.StatClass->Create(*m.StatClass, *this, m.Param);
}

std::unique_ptr<TCustomStat> TStatList::StatFromSelection(int i, std::string_view listName) const {
    if (i < 0 || i >= Count()) throw EInvalidArgument(Format(texts::kNoMethodSelected, {listName}));
    return CreateStat(i);
}

int TStatList::FindMethod(std::string_view code) const {
    for (int i = 0; i < Count(); ++i)
        if (EqualsIgnoreCaseAscii(Item(i).Code(), Trim(code))) return i;
    return -1;
}

namespace {
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diag = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diag + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diag = up;
        }
    }
    return row[b.size()];
}
}  // namespace

std::vector<std::string> TStatList::SimilarCodes(std::string_view code, std::size_t most) const {
    const std::string wanted = ToUpperAscii(Trim(code));
    std::vector<std::pair<std::size_t, std::string>> scored;
    for (const auto& m : methods_) {
        std::string c = m.Code();
        std::size_t d = EditDistance(wanted, c);
        bool prefix = !wanted.empty() && c.rfind(wanted.substr(0, std::min<std::size_t>(wanted.size(), 3)), 0) == 0;
        if (d <= 2 || prefix) scored.emplace_back(prefix ? std::min<std::size_t>(d, 1) : d, c);
    }
    std::stable_sort(scored.begin(), scored.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<std::string> codes;
    for (auto& [d, c] : scored) {
        if (codes.size() == most) break;
        codes.push_back(c);
    }
    return codes;
}

std::string TStatList::GetMethodCaption(int i) const {
    const TStatMethod& m = Item(i);
    std::string caption = !m.UserCaption.empty() ? m.UserCaption : m.StatClass->CaptionFor(m.Param);
    if (m.StatClass->Group == 12) caption = Format(caption, {m.Formula});
    return caption;
}

std::string TStatList::GetMethodText(int i, bool withFlags) const {
    const TStatMethod& m = Item(i);
    std::string text = GetMethodCaption(i);
    if (ShowGroupName) text = Format(texts::kGroupHeading, {text, GroupCode(m.StatClass->Group)});
    const std::uint8_t flags = m.StatClass->AllFlags();
    if (withFlags && ShowMethodFlags && (flags & 0x1F))
        text = Format(texts::kMethodWithFlags, {text, FlagLetters(flags)});
    return text;
}

void TStatList::SetAllFavorites() {
    AllFavorites = true;
    for (auto& m : methods_) m.Favorite = true;
}

void TStatList::NormalizeFavorites() {
    if (methods_.empty()) return;
    const bool anyOn = std::any_of(methods_.begin(), methods_.end(), [](const auto& m) { return m.Favorite; });
    const bool allOn = std::all_of(methods_.begin(), methods_.end(), [](const auto& m) { return m.Favorite; });
    if (allOn) {
        AllFavorites = true;
    } else if (!anyOn) {
        SetAllFavorites();
    } else {
        AllFavorites = false;
    }
}

std::string TStatList::GetFavoritesText() const {
    if (AllFavorites) return {};
    std::string text;
    for (const auto& m : methods_) {
        if (!m.Favorite) continue;
        if (!text.empty()) text += ',';
        text += m.Code();
    }
    return text;
}

void TStatList::SetFavoritesText(std::string_view text) {
    if (Trim(text).empty()) {
        SetAllFavorites();
        return;
    }
    AllFavorites = false;
    const auto words = SplitAny(text, ",", false);
    for (auto& m : methods_) {
        const std::string code = m.Code();
        m.Favorite = std::any_of(words.begin(), words.end(),
                                 [&](std::string_view w) { return EqualsIgnoreCaseAscii(Trim(w), code); });
    }
}

void TStatList::LoadNames(const std::filesystem::path& file, bool withOptions, std::string_view language) {
    const IniFile ini = IniFile::Load(file);
    if (withOptions) {
        SetFavoritesText(ini.ReadString("FILTERS", "Favorites", GetFavoritesText()));
        Ordered = ini.ReadBool("FILTERS", "Ordered", Ordered);
        ShowGroupName = ini.ReadBool("FILTERS", "ShowGroupName", ShowGroupName);
        ShowMethodFlags = ini.ReadBool("FILTERS", "ShowMethodFlags", ShowMethodFlags);
    }
    const std::string section = Format("STRINGS_%s", {language});
    for (auto& m : methods_) m.UserCaption = std::string(Trim(ini.ReadString(section, m.Code(), "")));
}

void TStatList::SaveNames(const std::filesystem::path& file, bool withOptions, bool allCaptions,
                          std::string_view language) const {
    IniFile ini = IniFile::Load(file);
    if (withOptions) {
        ini.WriteString("FILTERS", "Favorites", GetFavoritesText());
        ini.WriteBool("FILTERS", "Ordered", Ordered);
        ini.WriteBool("FILTERS", "ShowGroupName", ShowGroupName);
        ini.WriteBool("FILTERS", "ShowMethodFlags", ShowMethodFlags);
    }
    const std::string section = Format("STRINGS_%s", {language});
    ini.EraseSection(section);
    for (const auto& m : methods_) {
        if (allCaptions) {
            ini.WriteString(section, m.Code(),
                            !m.UserCaption.empty() ? m.UserCaption : m.StatClass->CaptionFor(m.Param));
        } else if (!m.UserCaption.empty()) {
            ini.WriteString(section, m.Code(), m.UserCaption);
        }
    }
    ini.Save(file);
}

}  // namespace corvel
