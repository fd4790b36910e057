#include "ratings/RatingRecord.h"

#include <cmath>
#include <cstring>

#include "model/Cp1251.h"
#include "model/LittleEndian.h"

namespace corvel {

std::string TRatingRec::Comment() const {
    return Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(CommentBytes.data() + 1), CommentBytes[0]));
}

void EncodeRatingRec(const TRatingRec& rec, std::uint8_t* out) {
    std::memcpy(out, rec.CommentBytes.data(), rec.CommentBytes.size());
    le::StoreI32(out + 256, static_cast<std::int32_t>(rec.Stakes));
    le::StoreI32(out + 260, static_cast<std::int32_t>(rec.Matches));
    for (std::size_t i = 0; i < rec.ByMatches.size(); ++i)
        le::StoreI32(out + 264 + 4 * i, static_cast<std::int32_t>(rec.ByMatches[i]));
    le::StoreI32(out + 292, 0);
    le::StoreI64(out + 296, rec.Profit.Raw());
}

TRatingRec DecodeRatingRec(const std::uint8_t* in) {
    TRatingRec rec;
    std::memcpy(rec.CommentBytes.data(), in, rec.CommentBytes.size());
    rec.Stakes = static_cast<std::uint32_t>(le::LoadI32(in + 256));
    rec.Matches = static_cast<std::uint32_t>(le::LoadI32(in + 260));
    for (std::size_t i = 0; i < rec.ByMatches.size(); ++i)
        rec.ByMatches[i] = static_cast<std::uint32_t>(le::LoadI32(in + 264 + 4 * i));
    rec.Profit = TMoney::FromRaw(le::LoadI64(in + 296));
    return rec;
}

bool RatingRowBefore(const TRatingRec& a, const TRatingRec& b, int column, bool descending) {
    if ((a.Stakes == 0) != (b.Stakes == 0)) return b.Stakes == 0;
    if (a.Stakes == 0 || column == 0) {
        const std::string ca = a.Comment(), cb = b.Comment();
        return descending && column == 0 && a.Stakes != 0 ? cb < ca : ca < cb;
    }
    auto value = [column](const TRatingRec& r) -> double {
        const double stakes = r.Stakes;
        switch (column) {
            case 1:
                return stakes;
            case 2:
                return r.Matches;
            case 3:
                return r.Matches / stakes;
            case 4:
                return static_cast<double>(r.Profit.Raw());
            case 5:
                return std::round(static_cast<double>(r.Profit.Raw()) / stakes);
        }
        if (column >= 6 && column <= 12) return r.ByMatches[static_cast<std::size_t>(column - 6)];
        // E0..E6: by the efficiency the three modes show, matches of i per stake.
        if (column >= 13 && column < kRatingColumns) return r.ByMatches[static_cast<std::size_t>(column - 13)] / stakes;
        return 0;
    };
    const double va = value(a), vb = value(b);
    return descending ? vb < va : va < vb;
}

}  // namespace corvel
