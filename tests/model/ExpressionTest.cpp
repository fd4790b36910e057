// The formula evaluator: worked examples of every rule (precedence, numbers,
// constants, functions, the power rule, every error text), the substitution
// of the variables, the shredded value, the compiled formulas against the
// substituted text for unusual formulas, and random texts that must neither
// crash nor hang.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <numbers>
#include <random>
#include <string>

#include "i18n/Texts.h"
#include "model/Expression.h"

namespace corvel {
namespace {

struct EvalCase {
    const char* Name;
    const char* Text;
    long double Value;  // when Error is None
    TExprError Error = TExprError::None;
};

class Evaluate : public ::testing::TestWithParam<EvalCase> {};

TEST_P(Evaluate, GivesTheValueOrTheError) {
    const EvalCase& c = GetParam();
    const TExprResult r = EvaluateExpression(c.Text);
    EXPECT_EQ(r.Error, c.Error) << ExprErrorText(r.Error);
    if (c.Error == TExprError::None) {
        EXPECT_EQ(r.Value, c.Value);
    }
}

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kE = std::numbers::e_v<long double>;
constexpr auto kSyntax = TExprError::Syntax;
constexpr auto kBracket = TExprError::Bracket;
constexpr auto kZero = TExprError::DivisionByZero;
constexpr auto kFloat = TExprError::FloatingPoint;

INSTANTIATE_TEST_SUITE_P(
    Rules, Evaluate,
    ::testing::Values(
        // "^" binds like "*" and "/", and all three go left to right.
        EvalCase{"PowerAfterProduct", "2*3^2", 36}, EvalCase{"PowerLeftToRight", "2^3^2", 64},
        EvalCase{"DivisionLeftToRight", "8/4/2", 1}, EvalCase{"SumBeforeProductOnlyInBrackets", "(1+2)*3", 9},
        EvalCase{"ProductBeforeSum", "1+2*3", 7}, EvalCase{"SubtractionLeftToRight", "10-4-3", 3},
        // A leading sign is a subtraction from 0, so the power comes first.
        EvalCase{"LeadingMinus", "-2^2", -4}, EvalCase{"LeadingPlus", "+5", 5},
        EvalCase{"SignedNumberAfterOperator", "2*-3", -6}, EvalCase{"MinusMinus", "2--3", 5},
        EvalCase{"SignBeforeBracketIsNoNumber", "2*-(3)", 0, kSyntax},
        EvalCase{"TwoSignsAreNoNumber", "2*--3", 0, kSyntax},
        // Numbers.
        EvalCase{"Hexadecimal", "$1F", 31}, EvalCase{"HexadecimalEightDigits", "$FFFFFFFF", 4294967295.0L},
        EvalCase{"HexadecimalNineDigits", "$123456789", 0, kSyntax}, EvalCase{"HexadecimalEmpty", "$", 0, kSyntax},
        EvalCase{"HexadecimalLowerCase", "$ff", 255}, EvalCase{"Exponent", "1E2", 100},
        EvalCase{"NegativeExponent", "5E-1", 0.5L}, EvalCase{"ExponentWithoutDigits", "2E", 0, kSyntax},
        EvalCase{"LeadingSeparator", ".5", 0.5L}, EvalCase{"TrailingSeparator", "1.", 1},
        EvalCase{"SeparatorBeforeExponent", "1.E2", 100}, EvalCase{"CommaIsNoSeparator", "3,4", 0, kSyntax},
        EvalCase{"Blanks", " 1 + 2\t* 3 ", 7}, EvalCase{"BlanksInsideANumber", "1 2", 12},
        EvalCase{"NumberBeforeBracket", "3(4)", 0, kSyntax}, EvalCase{"Overflow", "1E5000", 0, kFloat},
        EvalCase{"UnderflowIsZero", "1E-5000", 0},
        // Constants, in any case.
        EvalCase{"ConstantE", "E", kE}, EvalCase{"ConstantPi", "pi", kPi}, EvalCase{"TwoPi", "2*PI", 2 * kPi},
        EvalCase{"ConstantBeforeNumber", "PI2", 0, kSyntax},
        // Functions.
        EvalCase{"Sqr", "SQR(3)+1", 10}, EvalCase{"Sqrt", "SQRT(16)", 4}, EvalCase{"Abs", "ABS(-2.5)", 2.5L},
        EvalCase{"IntHalfToEven", "INT(2.5)", 2}, EvalCase{"RoundHalfToEven", "ROUND(2.5)", 2},
        EvalCase{"IntHalfUpToEven", "INT(3.5)", 4}, EvalCase{"RoundNegativeHalf", "ROUND(-2.5)", -2},
        EvalCase{"RoundNearest", "ROUND(2.6)", 3}, EvalCase{"Trunc", "TRUNC(-2.7)", -2},
        EvalCase{"Frac", "FRAC(-2.75)", -0.75L}, EvalCase{"SignPositive", "SIGN(7)", 1},
        EvalCase{"SignNegative", "SIGN(-0.1)", -1}, EvalCase{"SignZero", "SIGN(0)", 0}, EvalCase{"Not", "NOT(5)", -6},
        EvalCase{"NotTruncates", "NOT(-2.7)", 1}, EvalCase{"Exp", "EXP(0)", 1}, EvalCase{"Ln", "LN(1)", 0},
        EvalCase{"Log", "LOG(1)", 0}, EvalCase{"Sin", "SIN(0)", 0}, EvalCase{"Cos", "COS(0)", 1},
        EvalCase{"Tan", "TAN(0)", 0}, EvalCase{"ArcTan", "ARCTAN(0)", 0}, EvalCase{"ArcSinOfOne", "ARCSIN(1)", kPi / 2},
        EvalCase{"ArcCosOfOne", "ARCCOS(1)", 0}, EvalCase{"ArcSinOfZero", "ARCSIN(0)", 0},
        EvalCase{"ArcCosOfZero", "ARCCOS(0)", kPi / 2}, EvalCase{"NestedFunctions", "SQR(SQRT(9))", 9},
        EvalCase{"FunctionNeedsItsBracket", "SQR 3", 0, kSyntax}, EvalCase{"UnknownFunction", "FOO(1)", 0, kSyntax},
        // The power rule.
        EvalCase{"ZeroExponent", "0^0", 1}, EvalCase{"ZeroBase", "0^2.5", 0},
        EvalCase{"NegativeIntegralExponent", "2^-2", 0.25L}, EvalCase{"NegativeBaseIntegral", "(-2)^3", -8},
        EvalCase{"NegativeBaseFraction", "(-8)^(1/3)", 0, kFloat},
        EvalCase{"ZeroBaseNegativeExponent", "0^-1", 0, kZero},
        EvalCase{"ZeroBaseNegativeFraction", "0^-0.5", 0, kFloat}, EvalCase{"PowerOverflow", "10^5000", 0, kFloat},
        // Every error.
        EvalCase{"DivisionByZero", "1/0", 0, kZero}, EvalCase{"ZeroByZero", "0/0", 0, kZero},
        EvalCase{"LogOfZero", "LN(0)", 0, TExprError::Logarithm},
        EvalCase{"LogOfNegative", "LOG(-1)", 0, TExprError::Logarithm},
        EvalCase{"RootOfNegative", "SQRT(-1)", 0, TExprError::Root},
        EvalCase{"ArcSinOfMinusOne", "ARCSIN(-1)", 0, kFloat}, EvalCase{"ArcCosOfTwo", "ARCCOS(2)", 0, kFloat},
        EvalCase{"ExpOverflow", "EXP(100000)", 0, kFloat}, EvalCase{"TruncBeyond64Bits", "TRUNC(1E19)", 0, kFloat},
        EvalCase{"ProductOverflow", "1E4000*1E4000", 0, kFloat},
        // An overflow is an error even where a later step would hide it.
        EvalCase{"OverflowNotHidden", "1/(1E4000*1E4000)", 0, kFloat}, EvalCase{"UnbalancedOpen", "(1+2", 0, kBracket},
        EvalCase{"UnbalancedClose", "1+2)", 0, kBracket},
        // Balanced in number, but the bracket meets a comma where it should
        // close; a bare number before the comma is no number at all.
        EvalCase{"CommaBeforeTheBracket", "(SQR(2),3)", 0, kBracket},
        EvalCase{"NumberBeforeComma", "(1,2)", 0, kSyntax}, EvalCase{"Empty", "", 0, kSyntax},
        EvalCase{"OnlyBlanks", "  \t ", 0, kSyntax}, EvalCase{"DanglingOperator", "1+", 0, kSyntax},
        EvalCase{"UnknownCharacter", "1#2", 0, kSyntax},
        // Errors come in the order of reading: a division by zero before a
        // syntax error further on, and the other way round.
        EvalCase{"DivisionBeforeSyntax", "1/0+3A", 0, kZero}, EvalCase{"SyntaxBeforeDivision", "3A+1/0", 0, kSyntax},
        // At the top level the value is returned at a closing bracket or a
        // comparison: the rest is not read.
        EvalCase{"TopLevelStopsAtBracket", "3)(", 3}, EvalCase{"TopLevelStopsAtComparison", "(3)<4", 3},
        EvalCase{"TopLevelStopsAtComma", "(3),1/0", 3}),
    [](const auto& row) { return std::string(row.param.Name); });

TEST(ExpressionErrors, TextsAreTheRussianMessages) {
    EXPECT_EQ(ExprErrorText(TExprError::Syntax), "Синтаксическая ошибка");
    EXPECT_EQ(ExprErrorText(TExprError::Bracket), "Не хватает скобочки");
    EXPECT_EQ(ExprErrorText(TExprError::DivisionByZero), "Деление на нуль");
    EXPECT_EQ(ExprErrorText(TExprError::Logarithm), "Выражение под логарифмом меньне нуля");
    EXPECT_EQ(ExprErrorText(TExprError::Root), "Выражение под корнем меньне нуля");
    EXPECT_EQ(ExprErrorText(TExprError::FloatingPoint), "Ошибка в операции с плавающей точкой");
    EXPECT_EQ(ExprErrorText(TExprError::None), "");
}

TEST(ExpressionNesting, DeepTextsAreRefusedWithoutExhaustingTheStack) {
    const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
    EXPECT_EQ(EvaluateExpression(deep).Error, kSyntax);
    const std::string fine = std::string(100, '(') + "1" + std::string(100, ')');
    EXPECT_EQ(EvaluateExpression(fine).Value, 1);
    // Sums in deep brackets need a stack beyond the inline one.
    std::string sums = "1";
    for (int i = 0; i < 60; ++i) sums = "1+(" + sums + ")";
    EXPECT_EQ(EvaluateExpression(sums).Value, 61);
}

// ---- variables and the shredded value

const TFormulaValues kExample = FormulaValues({3, 10, 17, 25, 31, 44}, {1, 2, 5, 6, 12, 40}, {7, 8, 9, 20, 21, 48});

TEST(ShreddedValue, WorkedExamples) {
    const struct {
        const char* Formula;
        int Digits;
        int Value;
    } cases[] = {
        {"(n1+n2+n3)/(n4+n5+n6)", 2, 30},  // 30 / 100 = 0.3
        {"(n4+n5+n6)/(n1+n2+n3)", 2, 33},  // 100 / 30 = 3.333...
        {"(n4+n5+n6)/(n1+n2+n3)", 5, 33333},
        {"(n1+n3+n5)/(n2+n4+n6)", 3, 645},  // 51 / 79 = 0.645569...
        {"n1/7", 2, 42},                    // 0.428571...
        {"-n1/7", 2, 42},                   // the absolute value first
        {"n1-n1", 2, 0},
        {"n1/0", 2, 0},
        {"(n1+n2", 2, 0},
        {" ( n1 + n2 ) / n6 ", 3, 295},  // 13 / 44 = 0.29545...
        {"(N1+n2)/N6", 3, 295},
        {"p1/t1", 2, 14},     // 1 / 7 = 0.142857...
        {"t5/p5", 4, 7500},   // 21 / 12 = 1.75
        {"n2/3", 1, 3},       // 3.333...
        {"$n1", 2, 0},        // "$3" is an integer
        {"n1.5", 1, 5},       // "3.5"
        {"n12/1024", 3, 31},  // "32/1024" = 0.03125
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Formula);
        EXPECT_EQ(ShreddedValue(c.Formula, c.Digits, kExample), c.Value);
        EXPECT_EQ(TCompiledFormula(c.Formula).Shredded(kExample, c.Digits), c.Value);
    }
}

TEST(ShreddedValue, KeepsTheDigitsOfTheFraction) {
    EXPECT_EQ(ShredValue(0.3L, 2), 30);
    EXPECT_EQ(ShredValue(-12.3456L, 3), 345);
    EXPECT_EQ(ShredValue(7, 5), 0);
    EXPECT_EQ(ShredValue(0.999999999L, 5), 99999);
    // The largest fraction below 1 stays below 10^digits.
    EXPECT_EQ(ShredValue(std::nextafter(1.0L, 0.0L), 5), 99999);
}

TEST(SubstituteVariables, ReplacesEveryVariableInOrderAndInAnyCase) {
    const TFormulaValues v = kExample;
    const struct {
        const char* Formula;
        const char* Text;
    } cases[] = {
        {"n1+N2+p1+P6+t1+T6", "3+10+1+40+7+48"},
        {"n12", "32"},
        {"n1.5", "3.5"},
        {"$n1", "$3"},
        {"1En1", "1E3"},
        {"n 1", "n 1"},
        {"n7+p0", "n7+p0"},
        // A letter before a substituted digit may form a variable that a
        // later replacement takes: "nn1" becomes "n3", which n3 replaces.
        {"nn1", "17"},
        // ...but not one whose replacement is already done: "nn3" becomes
        // "n17", and n1 was replaced first.
        {"nn3", "n17"},
        // "tn1" becomes "t3" after the t replacements of 1 and 2, before t3.
        {"tn1", "9"},
    };
    for (const auto& c : cases) EXPECT_EQ(SubstituteVariables(c.Formula, v), c.Text) << c.Formula;
}

// ---- compiled formulas against the substituted text

TFormulaValues RandomValues(std::mt19937& rng) {
    std::uniform_int_distribution<int> number(0, 48), anyByte(0, 255), pick(0, 9);
    TFormulaValues v{};
    for (auto& x : v) x = static_cast<std::uint8_t>(pick(rng) == 0 ? anyByte(rng) : number(rng));
    return v;
}

// Every value, every error: the compiled formula and the text give the same.
void ExpectAgreement(const std::string& formula, std::mt19937& rng, int draws) {
    const TCompiledFormula compiled(formula);
    for (int i = 0; i < draws; ++i) {
        TFormulaValues v = RandomValues(rng);
        if (i == 0) v = {};  // the variables of a prefetch: all zero
        const TExprResult a = compiled.Evaluate(v);
        const TExprResult b = EvaluateExpression(SubstituteVariables(formula, v));
        ASSERT_EQ(a.Error, b.Error) << formula << " at draw " << i;
        if (b) {
            ASSERT_EQ(a.Value, b.Value) << formula;
        }
        ASSERT_EQ(compiled.Shredded(v, 4), ShreddedValue(formula, 4, v)) << formula;
    }
}

struct FormulaCase {
    const char* Name;
    const char* Formula;
    bool Compiled;  // runs on its slots rather than as text
    bool UsesEarlier;
};

class CompiledFormula : public ::testing::TestWithParam<FormulaCase> {};

TEST_P(CompiledFormula, AgreesWithTheSubstitutedText) {
    const FormulaCase& c = GetParam();
    const TCompiledFormula compiled(c.Formula);
    EXPECT_EQ(compiled.Compiled(), c.Compiled);
    EXPECT_EQ(compiled.UsesEarlierDraws(), c.UsesEarlier);
    std::mt19937 rng(606);
    ExpectAgreement(c.Formula, rng, 3000);
}

INSTANTIATE_TEST_SUITE_P(
    Formulas, CompiledFormula,
    ::testing::Values(
        FormulaCase{"Default1", "(n1+n2+n3)/(n4+n5+n6)", true, false},
        FormulaCase{"Default2", "(n4+n5+n6)/(n1+n2+n3)", true, false},
        FormulaCase{"Default3", "(n1+n3+n5)/(n2+n4+n6)", true, false},
        FormulaCase{"EveryVariable", "n1*p1/(t1+1)-n6^2/(p6+t6+1)", true, true},
        FormulaCase{"UpperCaseAndBlanks", " N1 / ( P2 + 1 ) ", true, true},
        FormulaCase{"SignedVariables", "-n1*-n2/+n3", true, false},
        FormulaCase{"Functions", "SQRT(n1)+LN(n2+1)+SIN(n3)*ARCTAN(p4)", true, true},
        FormulaCase{"DivisionByAVariable", "n1/n2/p3", true, true},
        FormulaCase{"PowerOfVariables", "n1^(p1/10)+(n2-24)^t2", true, true},
        FormulaCase{"DomainErrors", "LN(n1-n2)+SQRT(n3-n4)+ARCSIN(n5/48)", true, false},
        FormulaCase{"DigitAfter", "n12+n1", false, false}, FormulaCase{"DigitBefore", "1n1", false, false},
        FormulaCase{"Separator", "n1.5*2", false, false}, FormulaCase{"SeparatorBefore", ".n1", false, false},
        FormulaCase{"Hexadecimal", "$n1+1", false, false}, FormulaCase{"Exponent", "1En1", false, false},
        FormulaCase{"SignedExponent", "2E-n1", false, false}, FormulaCase{"ExponentAfter", "n1E2", false, false},
        FormulaCase{"TwoVariablesTouching", "n1n2", false, false},
        FormulaCase{"LetterMakesVariable", "nn1", false, false},
        FormulaCase{"LetterMakesEarlierVariable", "pn1+tn2", false, true},
        FormulaCase{"BlankBetween", "n 1+n1", true, false}, FormulaCase{"InsideAName", "SIN1+n2", true, false},
        FormulaCase{"ConstantBefore", "En1", true, false}, FormulaCase{"NotAVariable", "n7+n0", true, false},
        FormulaCase{"BracketsUnbalanced", "(n1+p1", true, false}, FormulaCase{"AfterTheEnd", "(n1)<p1", true, false},
        FormulaCase{"SyntaxErrorLater", "n1/p1+3A", true, true}),
    [](const auto& row) { return std::string(row.param.Name); });

// Random texts over the formula alphabet: the evaluator ends on each (no
// crash, no hang), and the compiled formula agrees with the text.
TEST(ExpressionFuzz, RandomTextsEndAndAgree) {
    static constexpr std::string_view kPieces[] = {
        "n1", "n2", "n3", "p1", "p6", "t2",    "N4",  "n",    "p",    "t",    "+",       "-", "*",
        "/",  "^",  "(",  ")",  "(",  ")",     "1",   "2",    "0",    ".",    "5",       "$", "E",
        "F",  "PI", ",",  "<",  " ",  "SQRT(", "LN(", "SIN(", "INT(", "NOT(", "ARCSIN(", "#"};
    std::mt19937 rng(4848);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1), length(1, 14);
    const auto start = std::chrono::steady_clock::now();
    int evaluated = 0, valid = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string formula;
        for (std::size_t k = length(rng); k > 0; --k) formula += kPieces[piece(rng)];
        const TCompiledFormula compiled(formula);
        for (int j = 0; j < 3; ++j) {
            const TFormulaValues v = RandomValues(rng);
            const TExprResult a = compiled.Evaluate(v);
            const TExprResult b = EvaluateExpression(SubstituteVariables(formula, v));
            ASSERT_EQ(a.Error, b.Error) << formula;
            ASSERT_EQ(compiled.Shredded(v, 3), ShreddedValue(formula, 3, v)) << formula;
            valid += b ? 1 : 0;
            ++evaluated;
        }
    }
    // Some of the texts are formulas, so both kinds were compared.
    EXPECT_GT(valid, evaluated / 50);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));

    // Arbitrary bytes, control characters and unmatched text never crash.
    std::uniform_int_distribution<int> anyByte(1, 255);
    for (int i = 0; i < 5000; ++i) {
        std::string text;
        for (std::size_t k = length(rng) * 2; k > 0; --k) text += static_cast<char>(anyByte(rng));
        const TExprResult r = EvaluateExpression(text);
        EXPECT_TRUE(r || !ExprErrorText(r.Error).empty());
        (void)TCompiledFormula(text).Shredded(RandomValues(rng), 2);
    }
}

}  // namespace
}  // namespace corvel
