#include "model/DrawArchive.h"

#include <algorithm>

#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"
#include "i18n/Texts.h"

namespace corvel {

TDrawsArray ReadArchiveFile(const std::filesystem::path& path) {
    TDrawsArray draws;
    // Room for the largest archive accepted and a partial record after it.
    constexpr std::uint64_t maxBytes = (kMaxArchiveRecords + 1) * TDrawRec::kFileSize - 1;
    std::string bytes;
    try {
        bytes = ReadFileBytes(path, maxBytes);
    } catch (const EFileNotFound&) {
        return draws;
    } catch (const EFileTooLarge& e) {
        const std::uint64_t records = std::max<std::uint64_t>(e.Size() / TDrawRec::kFileSize, kMaxArchiveRecords + 1);
        throw EFileError(Format(texts::kArchiveTooLarge,
                                {path.string(), static_cast<unsigned long long>(records), kMaxArchiveRecords}));
    }
    const std::size_t count = bytes.size() / TDrawRec::kFileSize;
    draws.reserve(count);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (std::size_t i = 0; i < count; ++i) draws.push_back(DecodeDrawRec(data + i * TDrawRec::kFileSize));
    return draws;
}

void WriteArchiveFile(const std::filesystem::path& path, const TDrawsArray& draws) {
    if (draws.size() > kMaxArchiveRecords)
        throw EFileError(Format(texts::kArchiveTooManyRecords, {path.string(), kMaxArchiveRecords}));
    std::string bytes(draws.size() * TDrawRec::kFileSize, '\0');
    auto* out = reinterpret_cast<std::uint8_t*>(bytes.data());
    for (std::size_t i = 0; i < draws.size(); ++i) EncodeDrawRec(draws[i], out + i * TDrawRec::kFileSize);
    WriteFileAtomically(path, bytes);
}

int FindDrawIndex(const TDrawsArray& draws, int number) {
    if (draws.empty()) return -1;
    const int high = static_cast<int>(draws.size()) - 1;
    const std::int64_t first = draws.front().Number;
    const std::int64_t last = draws.back().Number;
    if (number == first) return 0;
    if (number == last) return high;

    std::int64_t span = last - first + 1;
    std::int64_t guess = span != 0 ? static_cast<std::int64_t>(draws.size()) * (number - first) / span : high;
    if (guess < 0 || guess > high) guess = high;
    int i = static_cast<int>(guess);
    if (draws[static_cast<std::size_t>(i)].Number == number) return i;
    const int step = draws[static_cast<std::size_t>(i)].Number < number ? 1 : -1;
    for (i += step; i >= 0 && i <= high; i += step)
        if (draws[static_cast<std::size_t>(i)].Number == number) return i;

    for (int k = high; k >= 0; --k)
        if (draws[static_cast<std::size_t>(k)].Number == number) return k;
    return -1;
}

int NextDrawNumber(const TDrawsArray& draws, int offset) {
    const int count = static_cast<int>(draws.size());
    if (count == 0) return 1;
    if (offset < 0 || offset >= count) return -1;
    return draws[static_cast<std::size_t>(count - 1 - offset)].Number + 1;
}

std::string NextDrawText(const TDrawsArray& draws, int offset) {
    const int count = static_cast<int>(draws.size());
    if (count == 0 || offset <= 0 || offset >= count) return {};
    const TDrawRec& next = draws[static_cast<std::size_t>(count - offset)];
    std::string text;
    for (std::size_t i = 0; i < next.Numbers.size(); ++i) {
        if (i) text += ';';
        text += std::to_string(next.Numbers[i]);
    }
    return text;
}

TCombination DrawNumbersAt(const TDrawsArray& draws, int listIndex) {
    const int count = static_cast<int>(draws.size());
    if (listIndex < 0 || listIndex >= count) return {};
    return draws[static_cast<std::size_t>(count - 1 - listIndex)].Numbers;
}

TDrawRec GetDraw(const TDrawsArray& draws, int index, bool sorted) {
    if (index < 0 || static_cast<std::size_t>(index) >= draws.size()) return {};
    const TDrawRec& rec = draws[static_cast<std::size_t>(index)];
    return sorted ? SortedCopy(rec) : rec;
}

void DeleteDraw(TDrawsArray& draws, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= draws.size())
        throw EInvalidArgument(Format(texts::kDrawIndexNotFound, {index}));
    draws.erase(draws.begin() + index);
}

std::array<std::string, 3> ArchiveStatusTexts(const TDrawsArray& draws, int offset) {
    return {Format(texts::kStatusArchive, {static_cast<long long>(draws.size())}),
            Format(texts::kStatusNextDraw, {NextDrawNumber(draws, offset)}), NextDrawText(draws, offset)};
}

}  // namespace corvel
