#include "stakes/StakeRecord.h"

#include <algorithm>
#include <cstring>

#include "i18n/Texts.h"
#include "model/Cp1251.h"
#include "model/Format.h"
#include "model/LittleEndian.h"

namespace corvel {
namespace {

void PutNumbers(std::uint8_t* out, const TStakeNumbers& n) {
    le::StoreI32(out, n.Count);
    std::memcpy(out + 4, n.Values.data(), TStakeNumbers::kCapacity);
}

TStakeNumbers GetNumbers(const std::uint8_t* in) {
    TStakeNumbers n;
    n.Count = le::LoadI32(in);
    std::memcpy(n.Values.data(), in + 4, TStakeNumbers::kCapacity);
    return n;
}

}  // namespace

bool SameNumbers(const TStakeNumbers& a, const TStakeNumbers& b) {
    if (a.Count != b.Count || a.Count < 0 || a.Count > TStakeNumbers::kCapacity) return false;
    const auto bEnd = b.Values.begin() + b.Count;
    for (int i = 0; i < a.Count; ++i)
        if (std::find(b.Values.begin(), bEnd, a.Values[static_cast<std::size_t>(i)]) == bEnd) return false;
    return true;
}

std::string TStakeRec::Comment() const {
    const std::size_t len = std::min<std::size_t>(CommentBytes[0], kCommentCapacity);
    return Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(CommentBytes.data() + 1), len));
}

void TStakeRec::SetComment(std::string_view utf8) {
    std::string raw = Utf8ToCp1251(utf8);
    if (raw.size() > kCommentCapacity) raw.resize(kCommentCapacity);
    CommentBytes.fill(0);
    CommentBytes[0] = static_cast<std::uint8_t>(raw.size());
    std::memcpy(CommentBytes.data() + 1, raw.data(), raw.size());
}

TStakeRec BlankStake() { return TStakeRec{}; }

void EncodeStakeRec(const TStakeRec& rec, std::uint8_t* out) {
    std::memset(out, 0, TStakeRec::kFileSize);
    out[0] = rec.Version;
    out[1] = static_cast<std::uint8_t>(rec.Kind);
    le::StoreI32(out + 4, rec.Draw);
    out[8] = rec.Checked ? 1 : 0;
    le::StoreI32(out + 12, rec.Sample);
    PutNumbers(out + 16, rec.Stake);
    std::memcpy(out + 28, rec.Result.data(), 6);
    PutNumbers(out + 36, rec.Hits);
    le::StoreI64(out + 48, rec.Profit.Raw());
    std::memcpy(out + 56, rec.CommentBytes.data(), rec.CommentBytes.size());
}

TStakeRec DecodeStakeRec(const std::uint8_t* in) {
    TStakeRec rec;
    rec.Version = in[0];
    rec.Kind = static_cast<TStakeKind>(in[1]);
    rec.Draw = le::LoadI32(in + 4);
    rec.Checked = in[8] != 0;
    rec.Sample = le::LoadI32(in + 12);
    rec.Stake = GetNumbers(in + 16);
    std::memcpy(rec.Result.data(), in + 28, 6);
    rec.Hits = GetNumbers(in + 36);
    rec.Profit = TMoney::FromRaw(le::LoadI64(in + 48));
    std::memcpy(rec.CommentBytes.data(), in + 56, rec.CommentBytes.size());
    return rec;
}

std::string StakeDamage(const TStakeRec& rec) {
    if (rec.Version != TStakeRec::kVersion) return Format(texts::kStakeDamagedVersion, {int{rec.Version}});
    if (rec.IsSeparator()) return {};
    if (rec.Stake.Count < 0 || rec.Stake.Count > TStakeNumbers::kCapacity)
        return Format(texts::kStakeDamagedCount, {rec.Stake.Count});
    if (rec.Hits.Count < -1 || rec.Hits.Count > rec.Stake.Count)
        return Format(texts::kStakeDamagedHitsCount, {rec.Hits.Count});
    for (int i = 0; i < rec.Stake.Count; ++i) {
        const int n = rec.Stake.Values[static_cast<std::size_t>(i)];
        if (n < 1 || n > kMaxNumber) return Format(texts::kStakeDamagedNumber, {n});
    }
    for (int i = 0; i < rec.Hits.Count; ++i) {
        const int n = rec.Hits.Values[static_cast<std::size_t>(i)];
        if (n < 1 || n > kMaxNumber) return Format(texts::kStakeDamagedNumber, {n});
    }
    return {};
}

std::string_view StakeKindText(TStakeKind kind) {
    switch (kind) {
        case TStakeKind::Manual:
            return texts::kStakeKindManual;
        case TStakeKind::Regular:
            return texts::kStakeKindRegular;
        case TStakeKind::Scenario:
            return texts::kStakeKindScenario;
        case TStakeKind::System:
            return texts::kStakeKindSystem;
        default:
            return {};
    }
}

}  // namespace corvel
