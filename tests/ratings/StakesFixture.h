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

// A stake for the draw; checked ones with their matches and profit.
inline TStakeRec MakeStake(int draw, std::string_view comment, int hits = -1, double profit = 0) {
    TStakeRec r;
    r.Kind = TStakeKind::Scenario;
    r.Draw = draw;
    r.Checked = hits >= 0;
    r.Stake.Count = 6;
    r.Stake.Values = {1, 2, 3, 4, 5, 6, 0, 0};
    r.Hits.Count = hits;
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
