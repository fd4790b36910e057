#include "stakes/TableRecord.h"

#include <algorithm>
#include <cstring>

#include "i18n/Texts.h"
#include "model/Cp1251.h"
#include "model/Errors.h"
#include "model/FileIo.h"
#include "model/Format.h"
#include "model/LittleEndian.h"

namespace corvel {
namespace {

bool AllZero(const TCombination& c) {
    return std::all_of(c.begin(), c.end(), [](std::uint8_t n) { return n == 0; });
}

// All zero, or six different numbers 1..48 in ascending order.
bool SoundCombination(const TCombination& c) {
    if (AllZero(c)) return true;
    for (std::size_t i = 0; i < c.size(); ++i) {
        if (c[i] < kMinNumber || c[i] > kMaxNumber) return false;
        if (i > 0 && c[i] <= c[i - 1]) return false;
    }
    return true;
}

// The bytes as the list would show them, zeros and all, for a damage report.
std::string RawText(const TCombination& c) {
    std::string out;
    for (std::size_t i = 0; i < c.size(); ++i) out += (i ? ";" : "") + std::to_string(c[i]);
    return out;
}

}  // namespace

std::string TTableRec::Comment() const {
    const std::size_t len = std::min<std::size_t>(CommentBytes[0], kCommentCapacity);
    return Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(CommentBytes.data() + 1), len));
}

void TTableRec::SetComment(std::string_view utf8) {
    std::string raw = Utf8ToCp1251(utf8);
    if (raw.size() > kCommentCapacity) raw.resize(kCommentCapacity);
    CommentBytes.fill(0);
    CommentBytes[0] = static_cast<std::uint8_t>(raw.size());
    std::memcpy(CommentBytes.data() + 1, raw.data(), raw.size());
}

void EncodeTableRec(const TTableRec& rec, std::uint8_t* out) {
    std::memset(out, 0, TTableRec::kFileSize);
    std::memcpy(out, rec.CommentBytes.data(), rec.CommentBytes.size());
    out[256] = rec.UseLastDraw ? 1 : 0;
    std::memcpy(out + 257, rec.Start.data(), rec.Start.size());
    std::memcpy(out + 263, rec.Current.data(), rec.Current.size());
    le::StoreI32(out + 272, rec.Step);
    le::StoreI32(out + 276, rec.Made);
}

TTableRec DecodeTableRec(const std::uint8_t* in) {
    TTableRec rec;
    std::memcpy(rec.CommentBytes.data(), in, rec.CommentBytes.size());
    rec.UseLastDraw = in[256] != 0;
    std::memcpy(rec.Start.data(), in + 257, rec.Start.size());
    std::memcpy(rec.Current.data(), in + 263, rec.Current.size());
    rec.Step = le::LoadI32(in + 272);
    rec.Made = le::LoadI32(in + 276);
    return rec;
}

std::string TableDamage(const TTableRec& rec) {
    if (!SoundCombination(rec.Start)) return Format(texts::kTableDamagedStart, {RawText(rec.Start)});
    if (!SoundCombination(rec.Current)) return Format(texts::kTableDamagedCurrent, {RawText(rec.Current)});
    if (rec.Step < -TTableRec::kMaxStep || rec.Step > TTableRec::kMaxStep)
        return Format(texts::kTableDamagedStep, {rec.Step});
    if (rec.Made < 0) return Format(texts::kTableDamagedMade, {rec.Made});
    return {};
}

std::vector<TTableRec> ReadTablesFile(const std::filesystem::path& path) {
    // The list is held whole in memory; 64 MiB is far beyond any list a person keeps.
    const std::string bytes = ReadFileBytes(path, 64ull << 20);
    if (bytes.size() % TTableRec::kFileSize != 0)
        throw EFileError(Format(texts::kTablesFileSize, {static_cast<std::int64_t>(bytes.size())}));
    std::vector<TTableRec> recs(bytes.size() / TTableRec::kFileSize);
    for (std::size_t i = 0; i < recs.size(); ++i) {
        recs[i] = DecodeTableRec(reinterpret_cast<const std::uint8_t*>(bytes.data()) + i * TTableRec::kFileSize);
        if (const std::string damage = TableDamage(recs[i]); !damage.empty())
            throw EFileError(Format(texts::kTableDamaged, {static_cast<std::int64_t>(i + 1), damage}));
    }
    return recs;
}

void WriteTablesFile(const std::filesystem::path& path, std::span<const TTableRec> recs) {
    std::string bytes(recs.size() * TTableRec::kFileSize, '\0');
    for (std::size_t i = 0; i < recs.size(); ++i)
        EncodeTableRec(recs[i], reinterpret_cast<std::uint8_t*>(bytes.data()) + i * TTableRec::kFileSize);
    WriteFileAtomically(path, bytes);
}

int ShiftAroundRing(int number, int step) {
    int n = number + step;
    if (n > kMaxNumber) n -= kMaxNumber;
    if (n < kMinNumber) n += kMaxNumber;
    return n;
}

void NextTableCombination(TTableRec& regular, const TDrawsArray& archive, int offset) {
    TCombination base{};
    if (regular.UseLastDraw) {
        const int index = static_cast<int>(archive.size()) - 1 - offset;
        if (offset < 0 || index < 0) throw ECorvelError(Format(texts::kTableNoBaseDraw, {regular.Comment(), offset}));
        base = archive[static_cast<std::size_t>(index)].Numbers;
    } else {
        base = regular.Current;
    }
    // A zero base is a regular with no start; shifting it would make no combination.
    if (AllZero(base) ||
        !std::all_of(base.begin(), base.end(), [](std::uint8_t n) { return n >= kMinNumber && n <= kMaxNumber; }))
        throw ECorvelError(Format(
            regular.UseLastDraw ? std::string_view(texts::kTableNoBaseDraw) : std::string_view(texts::kTableNoStart),
            {regular.Comment(), offset}));
    for (std::uint8_t& n : base) n = static_cast<std::uint8_t>(ShiftAroundRing(n, regular.Step));
    std::sort(base.begin(), base.end());
    regular.Current = base;
    ++regular.Made;
}

std::string TableCombinationText(const TCombination& numbers) {
    return AllZero(numbers) ? std::string() : RawText(numbers);
}

}  // namespace corvel
