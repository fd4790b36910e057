#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/CombinationsService.h"
#include "app/DataFolder.h"
#include "app/StakesService.h"
#include "app/UiHooks.h"
#include "stakes/SystemFile.h"

namespace corvel::app {

// A system file of the folder "Systems", as the systems list shows it.
struct TLocalSystem {
    std::string Name;  // the file name without extension
    int Numbers = 0;
    int Block = 0;
    int Id = 0;
    std::int64_t Lines = 0;  // the combinations it holds; 0 when it cannot be read
    std::string Error;       // why it cannot be read, else empty
    std::string Created;     // the last change of the file, "yyyy-mm-dd hh:mm:ss"
};

// System play: the systems kept in the data folder and their stakes over the
// numbers of the combination list. The catalogue of the vendor's service is
// not reached from here; its rows come from the network layer when there is one.
class SystemsService {
  public:
    SystemsService(const DataFiles& files, UiHooks& hooks, const CombinationsService& combinations,
                   StakesService& stakes);

    // The system files of the folder by name, each read to count its lines.
    std::vector<TLocalSystem> LocalSystems() const;

    // The system for the distinct numbers of the current list, expanded (list
    // mode: only the combinations also in the list); nothing after an error
    // (reported).
    std::optional<TSystemPlay> Prepare(bool listOnly);
    // Stakes of kind System for every combination of the play, for `draws`
    // draws from `firstDraw`, then checks them. False after an error
    // (reported); a play without combinations adds nothing and says so.
    bool Play(const TSystemPlay& play, int firstDraw, int draws, std::string_view comment);

  private:
    const DataFiles& files_;
    UiHooks& hooks_;
    const CombinationsService& combinations_;
    StakesService& stakes_;
};

}  // namespace corvel::app
