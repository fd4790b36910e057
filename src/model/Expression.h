#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/StringTable.h"
#include "model/GameConstants.h"

// The arithmetic expression language of the shredding formulas, evaluated in
// extended precision (long double): "+", "-" and, with one equal precedence,
// "*", "/" and "^", all left to right; brackets; decimal and "$" hexadecimal
// numbers; the constants E and PI; the functions ARCTAN, COS, SIN, TAN, ABS,
// EXP, LN, LOG, SQRT, SQR, INT, FRAC, TRUNC, ROUND, ARCSIN, ARCCOS, SIGN, NOT.
//
// A text is read once into a short list of instructions in evaluation order;
// running the list gives the value or the first error the text meets, in the
// order a left-to-right reading meets it (a division by zero before a later
// syntax error is a division by zero). The formulas' variables n1..n6, p1..p6
// and t1..t6 stand for the decimal text of numbers; a compiled formula keeps
// them as slots filled when it runs, and gives the value the substituted text
// would give.
namespace corvel {

enum class TExprError : std::uint8_t {
    None,
    Syntax,          // texts::kSyntaxError
    Bracket,         // texts::kBracketMissing
    DivisionByZero,  // texts::kDivisionByZero
    Logarithm,       // logarithm of x <= 0
    Root,            // square root of x < 0
    FloatingPoint,   // overflow or an invalid operation
};

// The text the person is shown for an error (empty for None).
std::string ExprErrorText(TExprError error);

struct TExprResult {
    long double Value = 0;
    TExprError Error = TExprError::None;
    explicit operator bool() const { return Error == TExprError::None; }
};

// The value of a text without variables.
TExprResult EvaluateExpression(std::string_view text);

// The 18 variables of a formula: n1..n6 (slots 0..5), p1..p6 (6..11) and
// t1..t6 (12..17).
inline constexpr std::size_t kFormulaSlots = 18;
using TFormulaValues = std::array<std::uint8_t, kFormulaSlots>;

// The numbers of the item being valued (n), of the draw before it (p) and of
// the draw two before it (t) as the variables' values.
TFormulaValues FormulaValues(const TCombination& n, const TCombination& p, const TCombination& t);

// The formula text with every variable replaced by the decimal text of its
// number: for k = 1..6, every "n"k, then "p"k, then "t"k, in any letter case.
std::string SubstituteVariables(std::string_view formula, const TFormulaValues& values);

// The shredded value of a result: the first `digits` digits after the decimal
// point of its absolute value, 0 .. 10^digits - 1 (digits taken within 0..9).
inline int ShredValue(long double value, int digits) {
    static constexpr long double kPowers[] = {1, 10, 100, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L, 1e8L, 1e9L};
    const int d = digits < 0 ? 0 : digits > 9 ? 9 : digits;
    const long double x = std::fabs(value);
    const int shifted = static_cast<int>((x - std::trunc(x)) * kPowers[d]);
    // A fraction just below 1 may round up to 10^digits when multiplied.
    const int limit = static_cast<int>(kPowers[d]) - 1;
    return shifted < limit ? shifted : limit;
}

// The shredded value of a formula by substituting the numbers into its text
// and evaluating it; an error gives 0.
int ShreddedValue(std::string_view formula, int digits, const TFormulaValues& values);

namespace expr {

enum class TOp : std::uint8_t {
    PushConst,
    PushSlot,
    PushNegSlot,
    Add,
    Sub,
    Mul,
    Div,
    Pow,
    // The same with the right operand a constant or a slot, not the stack.
    AddConst,
    SubConst,
    MulConst,
    DivConst,
    PowConst,
    AddSlot,
    SubSlot,
    MulSlot,
    DivSlot,
    PowSlot,
    Function,
    Fail,
};

enum class TFunction : std::uint8_t {
    ArcTan,
    Cos,
    Sin,
    Tan,
    Abs,
    Exp,
    Ln,
    Log,
    Sqrt,
    Sqr,
    Int,
    Frac,
    Trunc,
    Round,
    ArcSin,
    ArcCos,
    Sign,
    Not,
};

struct TInstr {
    TOp Op = TOp::PushConst;
    std::uint8_t Arg = 0;  // slot, function or error
    long double Const = 0;
};

// Checked operations: the result, or the error in `error`.
long double Power(long double a, long double b, TExprError& error);
long double ApplyFunction(TFunction f, long double x, TExprError& error);

}  // namespace expr

namespace expr {

// The instructions of a text and the stack depth they need. With variables,
// `Compiled` is false when some variable does not stand as a number of its
// own; `UsesEarlier` tells whether a p or t variable occurs (or could be made
// by a substituted digit).
struct TProgram {
    std::vector<TInstr> Code;
    std::size_t Depth = 0;
    bool Compiled = true;
    bool UsesEarlier = false;
};
TProgram Compile(std::string_view text, bool withVariables);

inline TExprResult RunOn(const std::vector<TInstr>& code, const TFormulaValues& v, long double* st) {
    std::ptrdiff_t sp = -1;
    TExprError error = TExprError::None;
    auto finite = [](long double x) { return std::fabs(x) <= std::numeric_limits<long double>::max(); };
    for (const TInstr& in : code) {
        switch (in.Op) {
            case TOp::PushConst:
                st[++sp] = in.Const;
                break;
            case TOp::PushSlot:
                st[++sp] = static_cast<long double>(v[in.Arg]);
                break;
            case TOp::PushNegSlot:
                st[++sp] = -static_cast<long double>(v[in.Arg]);
                break;
            case TOp::Add:
                --sp;
                st[sp] += st[sp + 1];
                if (!finite(st[sp])) return {0, TExprError::FloatingPoint};
                break;
            case TOp::Sub:
                --sp;
                st[sp] -= st[sp + 1];
                if (!finite(st[sp])) return {0, TExprError::FloatingPoint};
                break;
            case TOp::Mul:
                --sp;
                st[sp] *= st[sp + 1];
                if (!finite(st[sp])) return {0, TExprError::FloatingPoint};
                break;
            case TOp::Div:
                --sp;
                if (st[sp + 1] == 0) return {0, TExprError::DivisionByZero};
                st[sp] /= st[sp + 1];
                if (!finite(st[sp])) return {0, TExprError::FloatingPoint};
                break;
            case TOp::Pow:
                --sp;
                st[sp] = Power(st[sp], st[sp + 1], error);
                if (error != TExprError::None) return {0, error};
                break;
            case TOp::AddConst:
                st[sp] += in.Const;
                if (!finite(st[sp])) return {0, TExprError::FloatingPoint};
                break;
            case TOp::SubConst:
                st[sp] -= in.Const;
                if (!finite(st[sp])) return {0, TExprError::FloatingPoint};
                break;
            case TOp::MulConst:
                st[sp] *= in.Const;
                if (!finite(st[sp])) return {0, TExprError::FloatingPoint};
                break;
            case TOp::DivConst:
                if (in.Const == 0) return {0, TExprError::DivisionByZero};
                st[sp] /= in.Const;
                if (!finite(st[sp])) return {0, TExprError::FloatingPoint};
                break;
            case TOp::PowConst:
                st[sp] = Power(st[sp], in.Const, error);
                if (error != TExprError::None) return {0, error};
                break;
            // A finite value plus or minus at most 255 stays finite.
            case TOp::AddSlot:
                st[sp] += static_cast<long double>(v[in.Arg]);
                break;
            case TOp::SubSlot:
                st[sp] -= static_cast<long double>(v[in.Arg]);
                break;
            case TOp::MulSlot:
                st[sp] *= static_cast<long double>(v[in.Arg]);
                if (!finite(st[sp])) return {0, TExprError::FloatingPoint};
                break;
            case TOp::DivSlot:
                if (v[in.Arg] == 0) return {0, TExprError::DivisionByZero};
                st[sp] /= static_cast<long double>(v[in.Arg]);
                break;
            case TOp::PowSlot:
                st[sp] = Power(st[sp], static_cast<long double>(v[in.Arg]), error);
                if (error != TExprError::None) return {0, error};
                break;
            case TOp::Function:
                st[sp] = ApplyFunction(static_cast<TFunction>(in.Arg), st[sp], error);
                if (error != TExprError::None) return {0, error};
                break;
            case TOp::Fail:
                return {0, static_cast<TExprError>(in.Arg)};
        }
    }
    return {sp == 0 ? st[0] : 0, TExprError::None};
}

// Runs the instructions with a stack of `depth` values.
inline TExprResult Run(const std::vector<TInstr>& code, std::size_t depth, const TFormulaValues& values) {
    constexpr std::size_t kInlineDepth = 32;
    if (depth <= kInlineDepth) {
        std::array<long double, kInlineDepth> stack;
        return RunOn(code, values, stack.data());
    }
    std::vector<long double> stack(depth);
    return RunOn(code, values, stack.data());
}

}  // namespace expr

// A formula read once. Where every variable stands as a number of its own
// (between operators or brackets), it runs as a list of instructions on the
// variables' values. Where a variable's text would merge with what surrounds
// it ("n12", "n1.5", "$n1", "1E-n1", or a letter that a value's digit could
// turn into another variable), the formula is kept as text and substituted
// and read for every item, which gives the same value by construction.
class TCompiledFormula {
  public:
    TCompiledFormula() = default;
    explicit TCompiledFormula(std::string_view formula);

    // True when the formula runs on its slots; false when it is read anew as
    // text for every item.
    bool Compiled() const { return compiled_; }
    // Whether a slot of the draws before (p, t) may enter the value.
    bool UsesEarlierDraws() const { return usesEarlier_; }

    TExprResult Evaluate(const TFormulaValues& values) const {
        if (!compiled_) return EvaluateExpression(SubstituteVariables(text_, values));
        return expr::Run(code_, depth_, values);
    }
    int Shredded(const TFormulaValues& values, int digits) const {
        const TExprResult r = Evaluate(values);
        return r ? ShredValue(r.Value, digits) : 0;
    }

  private:
    std::string text_;
    std::vector<expr::TInstr> code_;
    std::size_t depth_ = 0;
    bool compiled_ = false;
    bool usesEarlier_ = false;
};

}  // namespace corvel
