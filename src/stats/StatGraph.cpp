#include "stats/StatGraph.h"

#include <algorithm>

#include "stats/CustomStat.h"
#include "stats/StatList.h"

namespace corvel {

TStatGraph ComputeStatGraph(TCustomStat& stat, const TDrawsArray& draws, int length, int offset, bool sorted) {
    TStatGraph graph;
    const int last = static_cast<int>(draws.size()) - 1 - offset;
    if (last < 0 || length < 1) return graph;
    const int first = std::max(0, last - length + 1);
    stat.SetContext(last, sorted);
    // Counts in order of first appearance, so that a tie goes to the value met first.
    std::vector<std::pair<int, int>> counts;
    double sum = 0;
    for (int i = first; i <= last; ++i) {
        const int v = stat.DrawGraphValue(i);
        graph.Points.push_back({draws[static_cast<std::size_t>(i)].Number, v});
        sum += v;
        auto it = std::find_if(counts.begin(), counts.end(), [v](const auto& c) { return c.first == v; });
        if (it == counts.end())
            counts.emplace_back(v, 1);
        else
            ++it->second;
    }
    graph.Mean = sum / static_cast<double>(graph.Points.size());
    int best = 0;
    for (const auto& [value, count] : counts)
        if (count > best) {
            best = count;
            graph.MostFrequent = value;
        }
    return graph;
}

std::vector<int> GraphMethods(const TStatList& list) {
    std::vector<int> methods;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Item(i).StatClass->Graph) methods.push_back(i);
    return methods;
}

}  // namespace corvel
