#pragma once

#include <string>

class QTableView;

namespace corvel {
class ViewSettings;
}

namespace corvel::gui {

// The layout of a list in the view settings, under keys formed with the
// list's name: "<name>.Column<i>" the width of column i, and
// "<name>.ColumnOrder" the columns in the order shown (the column numbers
// joined with commas). A hidden column keeps the width stored before.
void SaveListLayout(ViewSettings& view, const char* form, const std::string& name, const QTableView& list);
// Applies what the store holds; missing or unusable values leave the
// designed layout.
void RestoreListLayout(const ViewSettings& view, const char* form, const std::string& name, QTableView& list);

}  // namespace corvel::gui
