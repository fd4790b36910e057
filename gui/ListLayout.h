#pragma once

#include <string>

#include <QAbstractItemView>

class QAbstractItemModel;
class QString;
class QTableView;
class QWidget;

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

// A read-only list of records over the model, as every tab shows one: whole
// rows selected in the mode given, no editing, no word wrap, the actions as
// its context menu, rows of one fixed height (so the view places any of
// millions of rows by arithmetic) without row headers, and column headers
// that can be moved but not clicked.
QTableView* NewRecordList(QWidget* parent, const QString& name, QAbstractItemModel* model,
                          QAbstractItemView::SelectionMode mode);

}  // namespace corvel::gui
