#include "combs/CombsGeneration.h"

#include "model/CombinationEnumeration.h"
#include "combs/CombsFile.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"

namespace corvel {
namespace {

constexpr std::size_t ChooseSix(int n) {
    if (n < kNumbersPerDraw) return 0;
    std::size_t r = 1;
    for (int k = 1; k <= kNumbersPerDraw; ++k) r = r * static_cast<std::size_t>(n - kNumbersPerDraw + k) / k;
    return r;
}
static_assert(ChooseSix(kMaxNumber) == kAllCombinations);

constexpr std::uint64_t Bit(int n) { return std::uint64_t{1} << n; }

// The six nested loops of the lexicographic order, carrying the bits of the
// numbers chosen so far, so each complete combination costs one mask test.
template <typename Accept>
std::size_t EnumerateAccepted(TCombination* out, Accept accept) {
    std::size_t k = 0;
    for (int a = 1; a <= kMaxNumber - 5; ++a) {
        const std::uint64_t ma = Bit(a);
        for (int b = a + 1; b <= kMaxNumber - 4; ++b) {
            const std::uint64_t mb = ma | Bit(b);
            for (int c = b + 1; c <= kMaxNumber - 3; ++c) {
                const std::uint64_t mc = mb | Bit(c);
                for (int d = c + 1; d <= kMaxNumber - 2; ++d) {
                    const std::uint64_t md = mc | Bit(d);
                    for (int e = d + 1; e <= kMaxNumber - 1; ++e) {
                        const std::uint64_t me = md | Bit(e);
                        for (int f = e + 1; f <= kMaxNumber; ++f) {
                            if (!accept(me | Bit(f))) continue;
                            out[k++] = {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b),
                                        static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(d),
                                        static_cast<std::uint8_t>(e), static_cast<std::uint8_t>(f)};
                        }
                    }
                }
            }
        }
    }
    return k;
}

}  // namespace

ECombsGenerateMode ToGenerateMode(int mode) {
    if (mode < 0 || mode > static_cast<int>(ECombsGenerateMode::File)) return ECombsGenerateMode::All;
    return static_cast<ECombsGenerateMode>(mode);
}

std::size_t GeneratedCount(ECombsGenerateMode mode, const TNumberSet& numbers) {
    const int inSet = numbers.GameNumberCount();
    switch (mode) {
        case ECombsGenerateMode::AnyOfNumbers:
            return kAllCombinations - ChooseSix(kMaxNumber - inSet);
        case ECombsGenerateMode::OnlyNumbers:
            return ChooseSix(inSet);
        case ECombsGenerateMode::NoneOfNumbers:
            return ChooseSix(kMaxNumber - inSet);
        default:
            return kAllCombinations;
    }
}

void GenerateFromNumbers(TCombsArray& list, ECombsGenerateMode mode, const TNumberSet& numbers) {
    const std::size_t expected = GeneratedCount(mode, numbers);
    // The count is known beforehand, so a list that is too small is refused
    // before anything in it is overwritten.
    if (expected > list.Capacity()) throw ECorvelError(Format(texts::kCombsTooMany, {expected, list.Capacity()}));

    const std::uint64_t set = numbers.GameNumbers();
    TCombination* out = list.Data();
    std::size_t count = 0;
    switch (mode) {
        case ECombsGenerateMode::AnyOfNumbers:
            count = EnumerateAccepted(out, [set](std::uint64_t m) { return (m & set) != 0; });
            break;
        case ECombsGenerateMode::OnlyNumbers:
            count = EnumerateAccepted(out, [set](std::uint64_t m) { return (m & ~set) == 0; });
            break;
        case ECombsGenerateMode::NoneOfNumbers:
            count = EnumerateAccepted(out, [set](std::uint64_t m) { return (m & set) == 0; });
            break;
        default:
            count = EnumerateAllCombinations(list.Room());
            break;
    }
    list.SetCount(count);
}

void GenerateCombs(TCombsArray& list, int mode, std::string_view parameters) {
    const ECombsGenerateMode generateMode = ToGenerateMode(mode);
    if (generateMode == ECombsGenerateMode::File)
        ReadCombsFile(std::filesystem::path(std::string(parameters)), list);
    else
        GenerateFromNumbers(list, generateMode, ParseUserNumbers(parameters));
}

}  // namespace corvel
