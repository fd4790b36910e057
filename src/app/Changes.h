#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace corvel::app {

// What a service changed. Settings covers the settings the views depend on
// (the game settings and the shredding formulas, after which the registry is
// built again); Combs the combination list or its applied filters; Stakes the
// stakes file; Scenario the lines of the current scenario; Ratings the ratings;
// Tables the regular table stakes.
enum class EChange { Archive, Offset, Sorted, Settings, Combs, Stakes, Scenario, Ratings, Tables };

// One counter per kind of change, raised by every change of that kind. A view
// or cache that keeps the revisions it was computed at knows it is out of date
// when they differ, also when a change kept everything else the same (a draw
// edited in place leaves the archive's length as it was).
struct TRevisions {
    std::uint64_t Archive = 0;
    std::uint64_t Offset = 0;
    std::uint64_t Sorted = 0;
    std::uint64_t Settings = 0;
    std::uint64_t Combs = 0;
    std::uint64_t Stakes = 0;
    std::uint64_t Scenario = 0;
    std::uint64_t Ratings = 0;
    std::uint64_t Tables = 0;
    friend bool operator==(const TRevisions&, const TRevisions&) = default;
};

// The change notifications of the workspace's services: each change raises
// its counter first, then tells every listener, in the order they subscribed.
class ChangeNotifier {
  public:
    using Listener = std::function<void(EChange)>;

    const TRevisions& Revisions() const { return revisions_; }
    // Returns the id to unsubscribe with (a listener that goes before the
    // workspace does).
    int Subscribe(Listener listener) {
        listeners_.push_back({++lastId_, std::move(listener)});
        return lastId_;
    }
    void Unsubscribe(int id) {
        std::erase_if(listeners_, [id](const Entry& e) { return e.Id == id; });
    }
    void Notify(EChange change) {
        switch (change) {
            case EChange::Archive:
                ++revisions_.Archive;
                break;
            case EChange::Offset:
                ++revisions_.Offset;
                break;
            case EChange::Sorted:
                ++revisions_.Sorted;
                break;
            case EChange::Settings:
                ++revisions_.Settings;
                break;
            case EChange::Combs:
                ++revisions_.Combs;
                break;
            case EChange::Stakes:
                ++revisions_.Stakes;
                break;
            case EChange::Scenario:
                ++revisions_.Scenario;
                break;
            case EChange::Ratings:
                ++revisions_.Ratings;
                break;
            case EChange::Tables:
                ++revisions_.Tables;
                break;
        }
        // A copy: a listener may subscribe or unsubscribe while it is told.
        const std::vector<Entry> listeners = listeners_;
        for (const Entry& e : listeners) e.Call(change);
    }

  private:
    struct Entry {
        int Id;
        Listener Call;
    };
    TRevisions revisions_;
    std::vector<Entry> listeners_;
    int lastId_ = 0;
};

}  // namespace corvel::app
