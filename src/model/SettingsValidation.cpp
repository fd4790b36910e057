#include "model/SettingsValidation.h"

#include <algorithm>

#include "i18n/Texts.h"
#include "model/Expression.h"
#include "model/Format.h"
#include "model/TextUtil.h"

namespace corvel {
namespace {

std::string OutOfRange(std::string_view field, long long value, TIntRange range) {
    return Format(texts::kValueOutOfRange, {field, std::to_string(value), range.Min, range.Max});
}

}  // namespace

TCheck CheckSegmentCell(std::string_view text) {
    if (Trim(text).empty()) return {};
    const auto v = ToInt64(text);
    if (v && kSegmentRange.Contains(*v)) return {};
    return Failure(Format(texts::kBadSegmentValue, {text}));
}

std::uint8_t SegmentCellValue(std::string_view text) {
    const auto v = ToInt64(text);
    return v && kSegmentRange.Contains(*v) ? static_cast<std::uint8_t>(*v) : 1;
}

TCheck CheckCostText(std::string_view text) {
    const auto cost = ParseMoneyText(text);
    if (cost && *cost >= TMoney{}) return {};
    return Failure(Format(texts::kBadFieldValue, {texts::kFieldCost, text}));
}

std::vector<TProfit> ProfitsFromPrizeTexts(const std::vector<std::string>& texts) {
    std::vector<TProfit> profits;
    for (std::size_t i = 0; i < texts.size() && i <= static_cast<std::size_t>(kOverlapRange.Max); ++i) {
        TProfit p;
        p.Overlap = static_cast<std::uint8_t>(i);
        const auto prize = ParseMoneyText(texts[i]);
        if (prize && *prize >= TMoney{}) p.Profit = *prize;
        profits.push_back(p);
    }
    return profits;
}

TCheck ValidateConfig(const TConfigData& config) {
    if (!kMatrixColsRange.Contains(config.MatrixCols))
        return Failure(OutOfRange(texts::kFieldMatrixCols, config.MatrixCols, kMatrixColsRange));
    if (!kChannelSizeRange.Contains(config.ChannelSize))
        return Failure(OutOfRange(texts::kFieldChannelSize, config.ChannelSize, kChannelSizeRange));
    if (!kMaxStakeRange.Contains(config.MaxStake))
        return Failure(OutOfRange(texts::kFieldMaxStake, config.MaxStake, kMaxStakeRange));
    if (config.Cost < TMoney{})
        return Failure(Format(texts::kBadFieldValue, {texts::kFieldCost, MoneyToIniText(config.Cost)}));
    for (const TProfit& p : config.Profits) {
        if (!kOverlapRange.Contains(p.Overlap))
            return Failure(OutOfRange(texts::kFieldOverlap, p.Overlap, kOverlapRange));
        if (p.Profit < TMoney{})
            return Failure(Format(texts::kBadFieldValue, {texts::kFieldProfit, MoneyToIniText(p.Profit)}));
    }
    for (std::uint8_t segment : config.MatrixSegments)
        if (!kSegmentRange.Contains(segment))
            return Failure(Format(texts::kBadSegmentValue, {std::to_string(segment)}));
    return {};
}

TCheck CheckShreddingFormula(int number, std::string_view formula) {
    if (!IsStorableSettingText(formula))
        return Failure(Format(texts::kUnstorableValue, {Format(texts::kFieldFormula, {number})}));
    // Two sample draws with the draws before them. An error of the text itself
    // (syntax, brackets) shows on both; an error of the numbers (a division by
    // zero, the logarithm of a negative number) refuses the formula only when
    // both meet one, since a formula that fails on some draws is still a
    // formula: those draws get the value 0.
    static const TFormulaValues kSamples[] = {
        FormulaValues({3, 10, 17, 25, 31, 44}, {5, 12, 19, 28, 36, 47}, {1, 8, 22, 30, 39, 45}),
        FormulaValues({7, 14, 21, 33, 40, 46}, {2, 9, 16, 27, 35, 41}, {4, 11, 20, 26, 37, 48}),
    };
    const TCompiledFormula compiled(formula);
    TExprError first = TExprError::None;
    for (const TFormulaValues& sample : kSamples) {
        const TExprResult r = compiled.Evaluate(sample);
        if (r) return {};
        if (first == TExprError::None) first = r.Error;
    }
    return Failure(Format(texts::kFormulaError, {number, ExprErrorText(first)}));
}

TCheck ValidateShredding(const std::array<std::string, 3>& formulas, const std::array<std::int32_t, 3>& digits) {
    for (std::size_t i = 0; i < formulas.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        if (TCheck check = CheckShreddingFormula(number, formulas[i]); !check) return check;
        if (!kFormulaDigitsRange.Contains(digits[i]))
            return Failure(OutOfRange(Format(texts::kFieldFormulaDigits, {number}), digits[i], kFormulaDigitsRange));
    }
    return {};
}

TCheck ValidateProxy(const TProxySettings& proxy) {
    const std::pair<i18n::TextId, const std::string*> fields[] = {{texts::kFieldProxyServer, &proxy.Server},
                                                                  {texts::kFieldProxyUsername, &proxy.Username},
                                                                  {texts::kFieldProxyPassword, &proxy.Password}};
    for (const auto& [caption, value] : fields)
        if (!IsStorableSettingText(*value)) return Failure(Format(texts::kUnstorableValue, {caption}));
    if (proxy.Mode == kProxyManual && !kProxyPortRange.Contains(proxy.Port))
        return Failure(OutOfRange(texts::kFieldProxyPort, proxy.Port, kProxyPortRange));
    return {};
}

TProxySettings ProxyDialogResult(TProxySettings edited) {
    if (edited.Mode < kProxyOff || edited.Mode > kProxyManual) edited.Mode = kProxyOff;
    if (edited.Mode == kProxyAuto) {
        edited.Server.clear();
        edited.Port = 0;
        edited.Username.clear();
        edited.Password.clear();
    }
    return edited;
}

}  // namespace corvel
