#include "model/GameSettings.h"

#include <algorithm>

namespace corvel {

int TGameSettings::ChannelCount() const {
    const int size = Config.ChannelSize;
    return size <= 0 ? 0 : (kMaxNumber + size - 1) / size;
}

int TGameSettings::RowCount() const {
    const int cols = Config.MatrixCols;
    return cols <= 0 ? 0 : (kMaxNumber + cols - 1) / cols;
}

int TGameSettings::MinSegment() const {
    return *std::min_element(Config.MatrixSegments.begin(), Config.MatrixSegments.end());
}

int TGameSettings::MaxSegment() const {
    return *std::max_element(Config.MatrixSegments.begin(), Config.MatrixSegments.end());
}

}  // namespace corvel
