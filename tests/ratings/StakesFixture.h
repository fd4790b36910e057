#pragma once

// Stakes files for the ratings tests, written record by record as the file
// format lays them out.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "TestSupport.h"
#include "stakes/StakeRecord.h"

namespace corvel::test {

// A stake of 1..6 for the draw; checked ones (hits >= 0) with their matches
// (the first numbers of the stake) and profit.
inline TStakeRec MakeStake(int draw, std::string_view comment, int hits = -1, double profit = 0) {
    TStakeRec r;
    r.Kind = TStakeKind::Scenario;
    r.Draw = draw;
    r.Checked = hits >= 0;
    r.Stake.Count = 6;
    r.Stake.Values = {1, 2, 3, 4, 5, 6, 0, 0};
    r.Hits.Count = hits;
    for (int i = 0; i < hits; ++i) r.Hits.Values[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 1);
    r.Profit = TMoney::FromDouble(profit);
    r.SetComment(comment);
    return r;
}

inline void WriteStakesFile(const std::filesystem::path& file, const std::vector<TStakeRec>& recs) {
    std::string bytes(recs.size() * TStakeRec::kFileSize, '\0');
    for (std::size_t i = 0; i < recs.size(); ++i)
        EncodeStakeRec(recs[i], reinterpret_cast<std::uint8_t*>(bytes.data()) + i * TStakeRec::kFileSize);
    WriteBytes(file, bytes);
}

}  // namespace corvel::test
