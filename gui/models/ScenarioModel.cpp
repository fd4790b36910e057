#include "models/ScenarioModel.h"

#include "GuiText.h"
#include "i18n/Texts.h"
#include "scenarios/ScriptItem.h"
#include "scenarios/ScriptLine.h"

namespace corvel::gui {

int ScenarioModel::ColumnWidth(int column) {
    switch (column) {
        case CommentColumn:
            return 200;
        case OptionsColumn:
            return 260;
        default:
            return 180;
    }
}

ScenarioModel::ScenarioModel(const TScriptList& lines, const TStatList& methods, QObject* parent)
    : QAbstractTableModel(parent), lines_(lines), methods_(methods), rows_(static_cast<int>(lines.Count())) {}

int ScenarioModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int ScenarioModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ScenarioModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= lines_.Count()) return {};
    const std::string& line = lines_.Line(row);
    if (IsScriptSeparator(line)) return {};
    const int column = index.column();
    if (column == CommentColumn) return Q(ScriptLineComment(line));
    if (column == OptionsColumn) return Q(ScriptOptionsText(ParseScriptOptions(ScriptLineOptions(line))));
    return Q(ScriptFilterText(ScriptLineFilter(line, column - FirstFilterColumn + 1), methods_));
}

QVariant ScenarioModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
    if (section == CommentColumn) return Q(texts::kScenarioCommentColumn);
    if (section == OptionsColumn) return Q(texts::kScenarioOptionsColumn);
    return Q(texts::kScenarioFilterColumn).arg(section - FirstFilterColumn + 1);
}

void ScenarioModel::Reset() {
    beginResetModel();
    rows_ = static_cast<int>(lines_.Count());
    endResetModel();
}

}  // namespace corvel::gui
