// The checks of the settings dialogs, each with the exact text it shows.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "model/SettingsValidation.h"

namespace corvel {
namespace {

const std::optional<std::string> kAccepted = std::nullopt;

struct SegmentCase {
    const char* Name;
    const char* Typed;
    std::optional<std::string> Error;
    int Value;
};

void PrintTo(const SegmentCase& c, std::ostream* os) { *os << c.Name; }

class SettingsSegmentCell : public ::testing::TestWithParam<SegmentCase> {};

TEST_P(SettingsSegmentCell, AcceptsOneToNineOrEmpty) {
    const SegmentCase& c = GetParam();
    EXPECT_EQ(test::RefusalOf(CheckSegmentCell(c.Typed)), c.Error);
    EXPECT_EQ(SegmentCellValue(c.Typed), c.Value);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, SettingsSegmentCell,
    ::testing::Values(SegmentCase{"EmptyCountsAsOne", "", kAccepted, 1}, SegmentCase{"One", "1", kAccepted, 1},
                      SegmentCase{"Nine", "9", kAccepted, 9},
                      SegmentCase{"Zero", "0", "Некорректное значение: 0!\r\rУкажите любое число от 1 до 9", 1},
                      SegmentCase{"Ten", "10", "Некорректное значение: 10!\r\rУкажите любое число от 1 до 9", 1},
                      SegmentCase{"Letter", "a", "Некорректное значение: a!\r\rУкажите любое число от 1 до 9", 1}),
    [](const auto& row) { return std::string(row.param.Name); });

struct CostCase {
    const char* Name;
    const char* Typed;
    std::optional<std::string> Error;
};

void PrintTo(const CostCase& c, std::ostream* os) { *os << c.Name; }

class SettingsCostText : public ::testing::TestWithParam<CostCase> {};

TEST_P(SettingsCostText, IsANonNegativeAmount) {
    EXPECT_EQ(test::RefusalOf(CheckCostText(GetParam().Typed)), GetParam().Error);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SettingsCostText,
    ::testing::Values(CostCase{"Whole", "50", kAccepted}, CostCase{"Comma", "12,50", kAccepted},
                      CostCase{"Point", "0.5", kAccepted}, CostCase{"Zero", "0", kAccepted},
                      CostCase{"Negative", "-1", "Некорректное значение поля \"Стоимость ставки\": -1!"},
                      CostCase{"Empty", "", "Некорректное значение поля \"Стоимость ставки\": !"},
                      CostCase{"Word", "пять", "Некорректное значение поля \"Стоимость ставки\": пять!"},
                      CostCase{"TwoSeparators", "1.2.3", "Некорректное значение поля \"Стоимость ставки\": 1.2.3!"}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(SettingsPrizeTable, RowsBecomeEntriesAndUnreadablePrizesZero) {
    const std::vector<std::string> typed = {"0", "", "abc", "1.5", "-2", "10,25", "1000000", "7"};
    const auto profits = ProfitsFromPrizeTexts(typed);
    ASSERT_EQ(profits.size(), 7u);  // rows 0..6; nothing beyond six matches
    const std::int64_t expected[] = {0, 0, 0, 15'000, 0, 102'500, 10'000'000'000};
    for (std::size_t i = 0; i < profits.size(); ++i) {
        EXPECT_EQ(profits[i].Overlap, i);
        EXPECT_EQ(profits[i].Profit.Raw(), expected[i]) << "row " << i;
    }
}

struct ConfigCase {
    const char* Name;
    std::function<void(TConfigData&)> Change;
    std::optional<std::string> Error;
};

void PrintTo(const ConfigCase& c, std::ostream* os) { *os << c.Name; }

class SettingsConfig : public ::testing::TestWithParam<ConfigCase> {};

TEST_P(SettingsConfig, ChecksEveryField) {
    TConfigData config;
    config.Profits = {{6, TMoney::FromRaw(10'000)}, {0, TMoney{}}};
    GetParam().Change(config);
    EXPECT_EQ(test::RefusalOf(ValidateConfig(config)), GetParam().Error);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SettingsConfig,
    ::testing::Values(
        ConfigCase{"Defaults", [](TConfigData&) {}, kAccepted},
        ConfigCase{"LimitsInclusive",
                   [](TConfigData& c) {
                       c.MatrixCols = 48;
                       c.ChannelSize = 3;
                       c.MaxStake = 8;
                       c.MatrixSegments.fill(9);
                   },
                   kAccepted},
        ConfigCase{"MatrixColsZero", [](TConfigData& c) { c.MatrixCols = 0; },
                   "Некорректное значение поля \"Размер матрицы\": 0!\r\rУкажите любое число от 1 до 48"},
        ConfigCase{"MatrixColsAbove48", [](TConfigData& c) { c.MatrixCols = 49; },
                   "Некорректное значение поля \"Размер матрицы\": 49!\r\rУкажите любое число от 1 до 48"},
        ConfigCase{"ChannelSizeTwo", [](TConfigData& c) { c.ChannelSize = 2; },
                   "Некорректное значение поля \"Размер канала\": 2!\r\rУкажите любое число от 3 до 48"},
        ConfigCase{"MaxStakeFive", [](TConfigData& c) { c.MaxStake = 5; },
                   "Некорректное значение поля \"Расширенная ставка\": 5!\r\rУкажите любое число от 6 до 8"},
        ConfigCase{"CostNegative", [](TConfigData& c) { c.Cost = TMoney::FromRaw(-5000); },
                   "Некорректное значение поля \"Стоимость ставки\": -0.5!"},
        ConfigCase{"OverlapSeven", [](TConfigData& c) { c.Profits[1].Overlap = 7; },
                   "Некорректное значение поля \"Совпадений\": 7!\r\rУкажите любое число от 0 до 6"},
        ConfigCase{"PrizeNegative", [](TConfigData& c) { c.Profits[0].Profit = TMoney::FromRaw(-10'000); },
                   "Некорректное значение поля \"Сумма выигрыша\": -1!"},
        ConfigCase{"SegmentZero", [](TConfigData& c) { c.MatrixSegments[47] = 0; },
                   "Некорректное значение: 0!\r\rУкажите любое число от 1 до 9"},
        ConfigCase{"SegmentTen", [](TConfigData& c) { c.MatrixSegments[0] = 10; },
                   "Некорректное значение: 10!\r\rУкажите любое число от 1 до 9"}),
    [](const auto& row) { return std::string(row.param.Name); });

struct ShreddingCase {
    const char* Name;
    std::array<std::string, 3> Formulas;
    std::array<std::int32_t, 3> Digits;
    std::optional<std::string> Error;
};

void PrintTo(const ShreddingCase& c, std::ostream* os) { *os << c.Name; }

class SettingsShredding : public ::testing::TestWithParam<ShreddingCase> {};

TEST_P(SettingsShredding, ChecksFormulasAndDigits) {
    const ShreddingCase& c = GetParam();
    EXPECT_EQ(test::RefusalOf(ValidateShredding(c.Formulas, c.Digits)), c.Error);
}

const std::array<std::string, 3> kFormulas = {"(n1+n2+n3)/(n4+n5+n6)", "(n4+n5+n6)/(n1+n2+n3)",
                                              "(n1+n3+n5)/(n2+n4+n6)"};

INSTANTIATE_TEST_SUITE_P(
    Dialog, SettingsShredding,
    ::testing::Values(
        ShreddingCase{"Defaults", kFormulas, {2, 2, 2}, kAccepted},
        ShreddingCase{"DigitLimits", kFormulas, {1, 5, 3}, kAccepted},
        // An error on every draw is the evaluator's message; one that only
        // some draws meet (n1 = 3) leaves the formula, whose value is then 0
        // on those draws.
        ShreddingCase{"DivisionByZero", {"n1/0", kFormulas[1], kFormulas[2]}, {2, 2, 2}, "Формула 1: Деление на нуль"},
        ShreddingCase{"RootOfNegative",
                      {kFormulas[0], "SQRT(-1)", kFormulas[2]},
                      {2, 2, 2},
                      "Формула 2: Выражение под корнем меньне нуля"},
        ShreddingCase{
            "IncompleteSum", {kFormulas[0], kFormulas[1], "n1 +"}, {2, 2, 2}, "Формула 3: Синтаксическая ошибка"},
        ShreddingCase{"FailsOnSomeDrawsOnly", {"1/(n1-3)", kFormulas[1], kFormulas[2]}, {2, 2, 2}, kAccepted},
        ShreddingCase{"MissingClosingBracket",
                      {"(n1+n2", kFormulas[1], kFormulas[2]},
                      {2, 2, 2},
                      "Формула 1: Не хватает скобочки"},
        ShreddingCase{
            "ExtraClosingBracket", {kFormulas[0], kFormulas[1], "n1)"}, {2, 2, 2}, "Формула 3: Не хватает скобочки"},
        ShreddingCase{"Blank", {kFormulas[0], " \t ", kFormulas[2]}, {2, 2, 2}, "Формула 2: Синтаксическая ошибка"},
        ShreddingCase{"LineBreak",
                      {kFormulas[0], kFormulas[1], "n1\nn2"},
                      {2, 2, 2},
                      "Значение поля \"Формула 3\" содержит символы, которые нельзя сохранить в файле конфигурации "
                      "(перевод строки или символ вне кодовой страницы 1251)"},
        ShreddingCase{"DigitsZero",
                      kFormulas,
                      {0, 2, 2},
                      "Некорректное значение поля \"Количество знаков после запятой (формула 1)\": 0!\r\r"
                      "Укажите любое число от 1 до 5"},
        ShreddingCase{"DigitsSix",
                      kFormulas,
                      {2, 2, 6},
                      "Некорректное значение поля \"Количество знаков после запятой (формула 3)\": 6!\r\r"
                      "Укажите любое число от 1 до 5"}),
    [](const auto& row) { return std::string(row.param.Name); });

struct ProxyCase {
    const char* Name;
    TProxySettings Proxy;
    std::optional<std::string> Error;
};

void PrintTo(const ProxyCase& c, std::ostream* os) { *os << c.Name; }

class SettingsProxy : public ::testing::TestWithParam<ProxyCase> {};

TEST_P(SettingsProxy, ChecksTheDialog) {
    EXPECT_EQ(test::RefusalOf(ValidateProxy(GetParam().Proxy)), GetParam().Error);
}

const std::string kUnstorable =
    "содержит символы, которые нельзя сохранить в файле конфигурации (перевод строки или символ вне кодовой "
    "страницы 1251)";

INSTANTIATE_TEST_SUITE_P(
    Dialog, SettingsProxy,
    ::testing::Values(ProxyCase{"Off", {0, "", 0, "", ""}, kAccepted},
                      ProxyCase{"Manual", {2, "proxy.local", 3128, "Иван", "пароль с пробелом "}, kAccepted},
                      ProxyCase{"ManualWithoutServer", {2, "", 80, "", ""}, kAccepted},
                      ProxyCase{"ManualPortLimits", {2, "p", 65535, "", ""}, kAccepted},
                      ProxyCase{"AutomaticWithoutPort", {1, "", 0, "", ""}, kAccepted},
                      ProxyCase{"ManualPortZero",
                                {2, "p", 0, "", ""},
                                "Некорректное значение поля \"Порт\": 0!\r\rУкажите любое число от 1 до 65535"},
                      ProxyCase{"ManualPortTooLarge",
                                {2, "p", 65536, "", ""},
                                "Некорректное значение поля \"Порт\": 65536!\r\rУкажите любое число от 1 до 65535"},
                      ProxyCase{"ServerWithEmoji",
                                {2, "p\xF0\x9F\x98\x80", 80, "", ""},
                                "Значение поля \"Имя или адрес сервера\" " + kUnstorable},
                      ProxyCase{"UsernameWithTab", {2, "p", 80, "a\tb", ""}, kAccepted},
                      ProxyCase{
                          "PasswordWithLineBreak", {0, "", 80, "", "a\nb"}, "Значение поля \"Пароль\" " + kUnstorable}),
    [](const auto& row) { return std::string(row.param.Name); });

struct ProxyResultCase {
    const char* Name;
    TProxySettings Edited;
    TProxySettings Stored;
};

void PrintTo(const ProxyResultCase& c, std::ostream* os) { *os << c.Name; }

class SettingsProxyResult : public ::testing::TestWithParam<ProxyResultCase> {};

TEST_P(SettingsProxyResult, IsWhatTheDialogStores) {
    EXPECT_EQ(ProxyDialogResult(GetParam().Edited), GetParam().Stored);
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, SettingsProxyResult,
    ::testing::Values(ProxyResultCase{"ManualKeepsFields", {2, "h", 8080, "u", "p"}, {2, "h", 8080, "u", "p"}},
                      ProxyResultCase{"OffKeepsFields", {0, "h", 8080, "u", "p"}, {0, "h", 8080, "u", "p"}},
                      ProxyResultCase{"AutomaticForgetsServer", {1, "h", 8080, "u", "p"}, {1, "", 0, "", ""}},
                      ProxyResultCase{"UnknownModeIsOff", {5, "h", 8080, "u", "p"}, {0, "h", 8080, "u", "p"}},
                      ProxyResultCase{"NegativeModeIsOff", {-1, "h", 1, "", ""}, {0, "h", 1, "", ""}}),
    [](const auto& row) { return std::string(row.param.Name); });

}  // namespace
}  // namespace corvel
