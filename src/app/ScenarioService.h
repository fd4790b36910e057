#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/Changes.h"
#include "app/DataFolder.h"
#include "app/UiHooks.h"
#include "scenarios/ScriptList.h"

namespace corvel::app {

// The current scenario: its lines, kept in the data folder's automatic save
// (CorvelLotto_6x48.lss) after every change. A change whose save fails is
// taken back, so the file and the list never differ; a file that cannot be
// read whole never replaces the list. Changes are announced (Scenario).
class ScenarioService {
  public:
    ScenarioService(const DataFiles& files, UiHooks& hooks, ChangeNotifier& changes);

    const TScriptList& List() const { return list_; }

    // Start-up: the automatic save, when there is one. One that cannot be
    // read is kept aside as CorvelLotto_6x48.lss.bak (said in a warning), so
    // the first change does not write over what it held.
    void Load();

    // Each returns false after an error (reported; nothing changed).
    bool Open(const std::filesystem::path& file);    // the file's lines replace the list
    bool Append(const std::filesystem::path& file);  // the file's lines follow, after a separator
    bool SaveAs(const std::filesystem::path& file) const;
    bool Add(std::string line);
    bool Replace(std::size_t index, std::string line);
    bool Delete(std::vector<std::size_t> indexes);
    bool Clear();
    bool SwapWithNext(std::size_t index);

  private:
    bool Change(std::string_view status, const std::function<void(TScriptList&)>& change);

    const DataFiles& files_;
    UiHooks& hooks_;
    ChangeNotifier& changes_;
    TScriptList list_;
};

}  // namespace corvel::app
