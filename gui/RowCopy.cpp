#include "RowCopy.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>
#include <vector>

#include "GuiText.h"
#include "i18n/Texts.h"

namespace corvel::gui {

QString SelectedRowsText(const QTableView& view) {
    const QAbstractItemModel* model = view.model();
    const QItemSelectionModel* selection = view.selectionModel();
    if (!model || !selection) return {};
    std::vector<int> rows;
    for (const QModelIndex& index : selection->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    const QHeaderView* header = view.horizontalHeader();
    std::vector<int> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!view.isColumnHidden(logical)) columns.push_back(logical);
    }
    QStringList lines;
    for (int row : rows) {
        QStringList cells;
        for (int column : columns) cells << model->index(row, column).data().toString();
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QStringLiteral("\r\n"));
}

QAction* AddRowCopyAction(QTableView& view) {
    auto* action = new QAction(Q(texts::kGuiCopyToClipboard), &view);
    action->setObjectName(view.objectName() + QStringLiteral("Copy"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    // Only while this table has the focus: another list's Ctrl+C is its own.
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setStatusTip(Q(texts::kRowCopyHint));
    QObject::connect(action, &QAction::triggered, &view, [&view] {
        const QString text = SelectedRowsText(view);
        if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
    });
    view.addAction(action);
    return action;
}

}  // namespace corvel::gui
