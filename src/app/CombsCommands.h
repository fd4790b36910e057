#pragma once

#include <filesystem>
#include <string_view>

#include "app/UiHooks.h"
#include "combs/CombsBuffer.h"
#include "combs/CombsEdit.h"
#include "model/CombsArray.h"
#include "model/DrawRecord.h"

// The user commands over a combination list, each one operation at the
// service boundary (busy state, status text, the error box with the command's
// own text): the combinations service runs them on the workspace's list, a
// scenario step on its own. Each returns false after a reported error and
// then leaves the list (and the file) as they were.
namespace corvel::app {

// Reading and writing an .lcv file; the errors name the file.
bool LoadCombsFile(TCombsArray& list, const std::filesystem::path& path, UiHooks& hooks);
bool SaveCombsFile(const TCombsArray& list, const std::filesystem::path& path, UiHooks& hooks);
// Opening a file as the new list: the undo copy is forgotten on success.
bool OpenCombsFile(TCombsList& list, const std::filesystem::path& path, UiHooks& hooks);
// Pasted text as the new list: the undo copy is forgotten on success.
bool PasteCombs(TCombsList& list, std::string_view text, UiHooks& hooks);

// A new list by mode and parameters, with the status text when asked; the
// file of mode 4 is reported as a file read, the rest as a generation error.
bool GenerateCombs(TCombsArray& list, int mode, std::string_view parameters, UiHooks& hooks, bool showProgress);

// The combination buffer of scenario runs: writing it for a key, and reading
// it back when it holds the key (false without a report when it does not).
bool SaveCombsBuffer(TCombsBuffer& buffer, const TCombsArray& list, TCombsBufferKey key, UiHooks& hooks);
bool LoadCombsBuffer(TCombsBuffer& buffer, TCombsArray& list, TCombsBufferKey key, UiHooks& hooks);

// Where the combination was drawn: status while it searches, then the
// information box.
void ShowCombinationInArchive(const TCombination& c, const TDrawsArray& draws, UiHooks& hooks);

}  // namespace corvel::app
