#include "stats/StatClass.h"

#include <filesystem>

#include "i18n/Texts.h"
#include "model/Format.h"

namespace corvel {
namespace {

struct GroupInfo {
    const char* Code;
    i18n::TextId Caption;
};

constexpr GroupInfo kGroups[kGroupCount] = {
    {"num", texts::kStatGroupNumbers},   {"sum", texts::kStatGroupSum},     {"dif", texts::kStatGroupDifferences},
    {"grp", texts::kStatGroupChannels},  {"mtx", texts::kStatGroupMatrix},  {"sgm", texts::kStatGroupMatrixSegments},
    {"seq", texts::kStatGroupSequences}, {"rep", texts::kStatGroupRepeats}, {"ser", texts::kStatGroupSeries},
    {"per", texts::kStatGroupPeriods},   {"mov", texts::kStatGroupMoves},   {"ogn", texts::kStatGroupOgnev},
    {"shr", texts::kStatGroupShredding},
};

}  // namespace

std::string TStatClass::CodeFor(int param) const { return Format(Code, {param}); }

std::string TStatClass::CaptionFor(int param) const {
    return CaptionText ? CaptionText(Caption, param) : Format(Caption, {param});
}

std::string TStatClass::HelpTopic(int param, const std::string& helpFile) const {
    std::error_code ec;
    if (helpFile.empty() || !std::filesystem::exists(helpFile, ec)) return {};
    return "ms-its:" + helpFile + Format("::/Filters_%.4d_%s.htm", {1049, Format(GetFamilyCode(), {param})});
}

std::string FlagLetters(std::uint8_t flags) {
    static constexpr const char* kLetters[] = {"S", "N", "D", "P", "G"};
    std::string letters;
    for (int bit = 0; bit < 5; ++bit)
        if (flags & (1 << bit)) letters += kLetters[bit];
    return letters;
}

std::string_view GroupCode(int group) {
    return group >= 0 && group < kGroupCount ? std::string_view(kGroups[group].Code) : texts::kUnknownGroup;
}

std::string_view GroupCaption(int group) {
    return group >= 0 && group < kGroupCount ? std::string_view(kGroups[group].Caption) : texts::kUnknownGroup;
}

}  // namespace corvel
