#pragma once

#include <QAbstractTableModel>

#include "scenarios/ScriptList.h"

namespace corvel {
class TStatList;
}

namespace corvel::gui {

// The current scenario as its list: one row per line, separators included
// (their cells empty). The comment, the options in words and the seven
// filters each read back in canonical text, so a malformed filter shows what
// a run would make of it. The texts are made when a row is painted.
class ScenarioModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { CommentColumn = 0, OptionsColumn = 1, FirstFilterColumn = 2, ColumnCount = 9 };

    // The initial width of a column.
    static int ColumnWidth(int column);

    ScenarioModel(const TScriptList& lines, const TStatList& methods, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The lines changed.
    void Reset();

  private:
    const TScriptList& lines_;
    const TStatList& methods_;
    int rows_ = 0;
};

}  // namespace corvel::gui
