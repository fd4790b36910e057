#include "model/Expression.h"

#include <algorithm>
#include <charconv>
#include <numbers>
#include <string>

#include "i18n/Texts.h"

namespace corvel {

std::string ExprErrorText(TExprError error) {
    switch (error) {
        case TExprError::None:
            break;
        case TExprError::Syntax:
            return texts::kSyntaxError.Str();
        case TExprError::Bracket:
            return texts::kBracketMissing.Str();
        case TExprError::DivisionByZero:
            return texts::kDivisionByZero.Str();
        case TExprError::Logarithm:
            return texts::kLogarithmBelowZero.Str();
        case TExprError::Root:
            return texts::kRootBelowZero.Str();
        case TExprError::FloatingPoint:
            return texts::kFloatingPointError.Str();
    }
    return {};
}

namespace expr {
namespace {

constexpr long double kTwo63 = 9223372036854775808.0L;

bool Finite(long double x) { return std::fabs(x) <= std::numeric_limits<long double>::max(); }

// The value as a 64-bit integer would hold it, truncated toward zero; a value
// outside that range is an invalid operation.
bool Int64Range(long double truncated) { return truncated < kTwo63 && truncated >= -kTwo63; }

long double RoundHalfEven(long double x) {
    long double t = std::trunc(x);
    const long double rest = std::fabs(x - t);
    const long double away = x > 0 ? 1.0L : -1.0L;
    if (rest > 0.5L || (rest == 0.5L && std::fmod(t, 2.0L) != 0)) t += away;
    return t;
}

long double IntPower(long double base, long long exponent, TExprError& error) {
    long double y = 1;
    unsigned long long i = static_cast<unsigned long long>(exponent < 0 ? -exponent : exponent);
    // Squares only while a factor is still to come, so that a power whose
    // last square would overflow is not refused.
    while (i > 0) {
        while ((i & 1) == 0) {
            i >>= 1;
            base *= base;
        }
        --i;
        y *= base;
    }
    if (!Finite(y)) {
        error = TExprError::FloatingPoint;
        return 0;
    }
    if (exponent < 0) {
        if (y == 0) {
            error = TExprError::DivisionByZero;
            return 0;
        }
        y = 1 / y;
    }
    return y;
}

}  // namespace

long double Power(long double a, long double b, TExprError& error) {
    if (b == 0) return 1;
    if (a == 0 && b > 0) return 0;
    if (b == std::trunc(b) && b >= -2147483648.0L && b <= 2147483647.0L)
        return IntPower(a, static_cast<long long>(b), error);
    // 2^(b log2 a): a negative base has no logarithm, and a zero base with a
    // negative exponent overflows.
    if (a <= 0) {
        error = TExprError::FloatingPoint;
        return 0;
    }
    const long double r = std::exp2(b * std::log2(a));
    if (!Finite(r)) {
        error = TExprError::FloatingPoint;
        return 0;
    }
    return r;
}

long double ApplyFunction(TFunction f, long double x, TExprError& error) {
    constexpr long double kHalfPi = std::numbers::pi_v<long double> / 2;
    long double r = 0;
    switch (f) {
        case TFunction::ArcTan:
            r = std::atan(x);
            break;
        case TFunction::Cos:
            r = std::cos(x);
            break;
        case TFunction::Sin:
            r = std::sin(x);
            break;
        case TFunction::Tan: {
            const long double c = std::cos(x);
            if (c == 0) {
                error = TExprError::DivisionByZero;
                return 0;
            }
            r = std::sin(x) / c;
            break;
        }
        case TFunction::Abs:
            r = std::fabs(x);
            break;
        case TFunction::Exp:
            r = std::exp(x);
            break;
        case TFunction::Ln:
        case TFunction::Log:
            if (x <= 0) {
                error = TExprError::Logarithm;
                return 0;
            }
            r = f == TFunction::Ln ? std::log(x) : std::log(x) / std::log(10.0L);
            break;
        case TFunction::Sqrt:
            if (x < 0) {
                error = TExprError::Root;
                return 0;
            }
            r = std::sqrt(x);
            break;
        case TFunction::Sqr:
            r = x * x;
            break;
        case TFunction::Int:
        case TFunction::Round:
            r = RoundHalfEven(x);
            if (!Int64Range(r)) r = std::numeric_limits<long double>::infinity();
            break;
        case TFunction::Frac:
            r = x - std::trunc(x);
            break;
        case TFunction::Trunc:
            r = std::trunc(x);
            if (!Int64Range(r)) r = std::numeric_limits<long double>::infinity();
            break;
        case TFunction::ArcSin:
        case TFunction::ArcCos:
            if (x == 1) {
                r = f == TFunction::ArcSin ? kHalfPi : 0;
            } else if (x > -1 && x < 1) {
                const long double a = std::atan(x / std::sqrt(1 - x * x));
                r = f == TFunction::ArcSin ? a : kHalfPi - a;
            } else {
                r = std::numeric_limits<long double>::quiet_NaN();
            }
            break;
        case TFunction::Sign:
            r = x > 0 ? 1 : x < 0 ? -1 : 0;
            break;
        case TFunction::Not: {
            const long double t = std::trunc(x);
            r = Int64Range(t) ? static_cast<long double>(~static_cast<long long>(t))
                              : std::numeric_limits<long double>::infinity();
            break;
        }
    }
    if (!Finite(r)) {
        error = TExprError::FloatingPoint;
        return 0;
    }
    return r;
}

namespace {

// Elements of a prepared text: a character (1..255), a variable's slot
// (kSlot + slot) or the end marker 0.
constexpr int kSlot = 256;
constexpr int kEnd = 0;
// Brackets and function calls nested deeper than this are refused as a
// syntax error rather than risking the stack of a worker thread.
constexpr int kMaxNesting = 256;

bool IsSlot(int e) { return e >= kSlot; }
bool IsDigit(int e) { return e >= '0' && e <= '9'; }
int HexDigit(int e) {
    if (IsDigit(e)) return e - '0';
    if (e >= 'A' && e <= 'F') return e - 'A' + 10;
    return -1;
}
// What may follow a number or a constant.
bool IsNumberEnd(int e) { return e == kEnd || e == ')' || e == '*' || e == '+' || e == '-' || e == '/' || e == '^'; }
// What may follow an expression.
bool IsExpressionEnd(int e) { return e == kEnd || e == ')' || e == ',' || e == '<' || e == '=' || e == '>'; }
int Upper(int e) { return e >= 'a' && e <= 'z' ? e - 'a' + 'A' : e; }

struct TFunctionName {
    std::string_view Name;
    TFunction Function;
};
constexpr TFunctionName kFunctions[] = {
    {"ARCTAN", TFunction::ArcTan}, {"COS", TFunction::Cos},     {"SIN", TFunction::Sin},
    {"TAN", TFunction::Tan},       {"ABS", TFunction::Abs},     {"EXP", TFunction::Exp},
    {"LN", TFunction::Ln},         {"LOG", TFunction::Log},     {"SQRT", TFunction::Sqrt},
    {"SQR", TFunction::Sqr},       {"INT", TFunction::Int},     {"FRAC", TFunction::Frac},
    {"TRUNC", TFunction::Trunc},   {"ROUND", TFunction::Round}, {"ARCSIN", TFunction::ArcSin},
    {"ARCCOS", TFunction::ArcCos}, {"SIGN", TFunction::Sign},   {"NOT", TFunction::Not},
};

// Recursive descent over the prepared elements, writing the instructions in
// the order a direct evaluation would compute them. A syntax error ends the
// list with a Fail instruction at the place it is met, so that errors of the
// operations before it still come first when the list runs.
class TParser {
  public:
    explicit TParser(std::vector<int> elements) : e_(std::move(elements)) {}

    // False when a variable's digits would merge with the text around it.
    bool Parse(TProgram& program) {
        try {
            Expression();
        } catch (const Stop&) {
        }
        program.Code = std::move(code_);
        program.Depth = std::max<std::size_t>(maxDepth_, 1);
        return !unclean_;
    }

  private:
    struct Stop {};

    int At(std::size_t i) const { return i < e_.size() ? e_[i] : kEnd; }

    [[noreturn]] void Fail(TExprError error) {
        code_.push_back({TOp::Fail, static_cast<std::uint8_t>(error), 0});
        throw Stop{};
    }
    [[noreturn]] void Unclean() {
        unclean_ = true;
        throw Stop{};
    }

    void Push(TOp op, std::uint8_t arg, long double value) {
        code_.push_back({op, arg, value});
        maxDepth_ = std::max(maxDepth_, ++depth_);
    }
    // A binary operation; with a right operand that is a single push, the
    // push and the operation become one instruction.
    void Binary(TOp op) {
        const TInstr last = code_.back();
        const int index = static_cast<int>(op) - static_cast<int>(TOp::Add);
        if (last.Op == TOp::PushConst || last.Op == TOp::PushSlot) {
            const TOp base = last.Op == TOp::PushConst ? TOp::AddConst : TOp::AddSlot;
            code_.back() = {static_cast<TOp>(static_cast<int>(base) + index), last.Arg, last.Const};
        } else {
            code_.push_back({op, 0, 0});
        }
        --depth_;
    }

    void Expression() {
        Term();
        for (int c = At(pos_); c == '+' || c == '-'; c = At(pos_)) {
            ++pos_;
            Term();
            Binary(c == '+' ? TOp::Add : TOp::Sub);
        }
        if (!IsExpressionEnd(At(pos_))) Fail(TExprError::Syntax);
    }

    void Term() {
        Factor();
        for (int c = At(pos_); c == '*' || c == '/' || c == '^'; c = At(pos_)) {
            ++pos_;
            Factor();
            Binary(c == '*' ? TOp::Mul : c == '/' ? TOp::Div : TOp::Pow);
        }
    }

    void Factor() {
        if (At(pos_) == '(') {
            ++pos_;
            Nested();
            return;
        }
        if (Number() || Constant()) return;
        for (const TFunctionName& f : kFunctions) {
            if (!NameAt(f.Name)) continue;
            pos_ += f.Name.size() + 1;
            Nested();
            code_.push_back({TOp::Function, static_cast<std::uint8_t>(f.Function), 0});
            return;
        }
        Fail(TExprError::Syntax);
    }

    // An expression after "(" and its closing bracket.
    void Nested() {
        if (++nesting_ > kMaxNesting) Fail(TExprError::Syntax);
        Expression();
        --nesting_;
        if (At(pos_) != ')') Fail(TExprError::Bracket);
        ++pos_;
    }

    bool NameAt(std::string_view name) const {
        for (std::size_t i = 0; i < name.size(); ++i)
            if (At(pos_ + i) != name[i]) return false;
        return At(pos_ + name.size()) == '(';
    }

    bool Constant() {
        if (At(pos_) == 'E' && IsNumberEnd(At(pos_ + 1))) {
            Push(TOp::PushConst, 0, std::numbers::e_v<long double>);
            pos_ += 1;
            return true;
        }
        if (At(pos_) == 'P' && At(pos_ + 1) == 'I' && IsNumberEnd(At(pos_ + 2))) {
            Push(TOp::PushConst, 0, std::numbers::pi_v<long double>);
            pos_ += 2;
            return true;
        }
        return false;
    }

    // Appends the digits from position q to `text`; a variable among them
    // would lengthen the number it joins.
    std::size_t Digits(std::size_t q, std::string& text) {
        for (; IsDigit(At(q)); ++q) text += static_cast<char>(At(q));
        if (IsSlot(At(q))) Unclean();
        return q;
    }

    bool Number() {
        std::size_t p = pos_;
        const bool negative = At(p) == '-';
        if (At(p) == '+' || At(p) == '-') ++p;

        if (IsSlot(At(p))) {
            const int next = At(p + 1);
            if (IsNumberEnd(next)) {
                Push(negative ? TOp::PushNegSlot : TOp::PushSlot, static_cast<std::uint8_t>(At(p) - kSlot), 0);
                pos_ = p + 1;
                return true;
            }
            if (IsDigit(next) || next == '.' || next == 'E' || IsSlot(next)) Unclean();
            return false;
        }

        if (At(pos_) == '$') {
            std::size_t q = pos_ + 1;
            unsigned long value = 0;
            int count = 0;
            for (; count < 8 && HexDigit(At(q)) >= 0; ++count, ++q) value = value * 16 + HexDigit(At(q));
            if (IsSlot(At(q))) Unclean();
            if (count == 0 || !IsNumberEnd(At(q))) return false;
            Push(TOp::PushConst, 0, static_cast<long double>(value));
            pos_ = q;
            return true;
        }

        std::string text = negative ? "-" : "";
        const std::size_t before = text.size();
        std::size_t q = Digits(p, text);
        const bool whole = text.size() > before;
        bool separator = false;
        if (At(q) == '.') {
            separator = true;
            if (!whole) text += '0';
            text += '.';
            const std::size_t fractionStart = text.size();
            q = Digits(q + 1, text);
            if (text.size() == fractionStart) text += '0';
        }
        if (!whole && !separator) return false;
        if (At(q) == 'E') {
            std::string exponent = "e";
            std::size_t r = q + 1;
            if (At(r) == '+' || At(r) == '-') exponent += static_cast<char>(At(r++));
            if (IsSlot(At(r))) Unclean();
            const std::size_t digitsStart = exponent.size();
            r = Digits(r, exponent);
            if (exponent.size() > digitsStart) {
                text += exponent;
                q = r;
            }
        }
        if (!IsNumberEnd(At(q))) return false;

        long double value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        // Too small to hold reads as zero (a negative exponent, or no digit
        // before the point but zeros); too large is an overflow.
        if (ec == std::errc::result_out_of_range) {
            const std::size_t digitsEnd = text.find_first_of(".e");
            const bool noWhole = text.find_first_not_of("-0") >= digitsEnd;
            const bool tiny = text.find("e-") != std::string::npos || (noWhole && text.find('e') == std::string::npos);
            if (!tiny) Fail(TExprError::FloatingPoint);
            value = 0;
        } else if (ec != std::errc() || end != text.data() + text.size() || !Finite(value)) {
            Fail(TExprError::FloatingPoint);
        }
        Push(TOp::PushConst, 0, value);
        pos_ = q;
        return true;
    }

    std::vector<int> e_;
    std::size_t pos_ = 0;
    std::vector<TInstr> code_;
    std::size_t depth_ = 0;
    std::size_t maxDepth_ = 0;
    int nesting_ = 0;
    bool unclean_ = false;
};

constexpr char kVariableLetters[] = {'N', 'P', 'T'};

}  // namespace

TProgram Compile(std::string_view text, bool withVariables) {
    TProgram program;
    std::vector<int> e;
    e.reserve(text.size() + 2);
    for (char ch : text) e.push_back(static_cast<unsigned char>(ch));

    if (withVariables) {
        // The replacements of the text, in their order, with each variable a
        // slot instead of its digits.
        for (int k = 1; k <= 6; ++k)
            for (std::size_t v = 0; v < 3; ++v) {
                const int slot = kSlot + static_cast<int>(v) * 6 + k - 1;
                std::vector<int> out;
                out.reserve(e.size());
                for (std::size_t i = 0; i < e.size(); ++i) {
                    if (i + 1 < e.size() && Upper(e[i]) == kVariableLetters[v] && e[i + 1] == '0' + k) {
                        out.push_back(slot);
                        ++i;
                    } else {
                        out.push_back(e[i]);
                    }
                }
                e = std::move(out);
            }
        for (std::size_t i = 0; i < e.size(); ++i) {
            if (!IsSlot(e[i])) continue;
            if (e[i] - kSlot >= 6) program.UsesEarlier = true;
            // A variable letter before a value's first digit may make a new
            // variable of a later replacement.
            if (i > 0 && !IsSlot(e[i - 1]) &&
                std::find(std::begin(kVariableLetters), std::end(kVariableLetters), Upper(e[i - 1])) !=
                    std::end(kVariableLetters))
                program.Compiled = false;
        }
        if (!program.Compiled) {
            for (int c : e)
                if (Upper(c) == 'P' || Upper(c) == 'T') program.UsesEarlier = true;
            return program;
        }
    }

    // Preparation: no characters up to the blank, upper case, brackets
    // counted over the whole text, a leading sign made a subtraction from 0.
    std::vector<int> prepared;
    prepared.reserve(e.size() + 2);
    for (int c : e)
        if (IsSlot(c) || c > ' ') prepared.push_back(IsSlot(c) ? c : Upper(c));
    if (std::count(prepared.begin(), prepared.end(), '(') != std::count(prepared.begin(), prepared.end(), ')')) {
        program.Code.push_back({TOp::Fail, static_cast<std::uint8_t>(TExprError::Bracket), 0});
        program.Depth = 1;
        program.UsesEarlier = false;
        return program;
    }
    if (!prepared.empty() && (prepared.front() == '+' || prepared.front() == '-'))
        prepared.insert(prepared.begin(), '0');
    prepared.push_back(kEnd);

    TParser parser(std::move(prepared));
    program.Compiled = parser.Parse(program);
    if (program.Compiled) {
        // Only the variables the instructions read count.
        program.UsesEarlier = false;
        for (const TInstr& in : program.Code)
            if ((in.Op == TOp::PushSlot || in.Op == TOp::PushNegSlot ||
                 (in.Op >= TOp::AddSlot && in.Op <= TOp::PowSlot)) &&
                in.Arg >= 6)
                program.UsesEarlier = true;
    }
    return program;
}

}  // namespace expr

TExprResult EvaluateExpression(std::string_view text) {
    const expr::TProgram program = expr::Compile(text, false);
    return expr::Run(program.Code, program.Depth, TFormulaValues{});
}

TFormulaValues FormulaValues(const TCombination& n, const TCombination& p, const TCombination& t) {
    TFormulaValues v{};
    std::copy(n.begin(), n.end(), v.begin());
    std::copy(p.begin(), p.end(), v.begin() + 6);
    std::copy(t.begin(), t.end(), v.begin() + 12);
    return v;
}

std::string SubstituteVariables(std::string_view formula, const TFormulaValues& values) {
    std::string text(formula);
    std::string out;
    for (int k = 1; k <= 6; ++k)
        for (std::size_t v = 0; v < 3; ++v) {
            const char letter = expr::kVariableLetters[v];
            auto matchesAt = [&](std::size_t i) {
                return i + 1 < text.size() && expr::Upper(static_cast<unsigned char>(text[i])) == letter &&
                       text[i + 1] == '0' + k;
            };
            std::size_t first = 0;
            while (first < text.size() && !matchesAt(first)) ++first;
            if (first == text.size()) continue;
            const std::string number = std::to_string(values[v * 6 + static_cast<std::size_t>(k) - 1]);
            out.assign(text, 0, first);
            for (std::size_t i = first; i < text.size(); ++i) {
                if (matchesAt(i)) {
                    out += number;
                    ++i;
                } else {
                    out += text[i];
                }
            }
            text.swap(out);
        }
    return text;
}

int ShreddedValue(std::string_view formula, int digits, const TFormulaValues& values) {
    const TExprResult r = EvaluateExpression(SubstituteVariables(formula, values));
    return r ? ShredValue(r.Value, digits) : 0;
}

TCompiledFormula::TCompiledFormula(std::string_view formula) : text_(formula) {
    expr::TProgram program = expr::Compile(formula, true);
    compiled_ = program.Compiled;
    usesEarlier_ = program.UsesEarlier;
    code_ = std::move(program.Code);
    depth_ = program.Depth;
}

}  // namespace corvel
