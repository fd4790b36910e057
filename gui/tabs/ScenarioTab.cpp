#include "tabs/ScenarioTab.h"
#include "ListLayout.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "ActionList.h"
#include "ScenarioRunControl.h"
#include "GuiText.h"
#include "QtUiHooks.h"
#include "ToolStrip.h"
#include "dialogs/ScriptItemDialog.h"
#include "i18n/Texts.h"
#include "model/Format.h"
#include "models/ScenarioModel.h"
#include "scenarios/ScriptItem.h"
#include "tabs/CombsTab.h"

namespace corvel::gui {
namespace {

std::filesystem::path ToPath(const QString& file) {
    return std::filesystem::path(QFile::encodeName(file).toStdString());
}

}  // namespace

ScenarioTab::ScenarioTab(GuiContext& ctx, CombsTab& combs, QWidget* parent)
    : QWidget(parent), ctx_(ctx), combs_(combs) {
    setObjectName(QStringLiteral("ScenarioTab"));
    model_ = new ScenarioModel(ctx_.Ws.Scenario().List(), ctx_.Ws.Statistics().Registry(), this);
    view_ = NewRecordList(this, QStringLiteral("ScenarioView"), model_, QAbstractItemView::ExtendedSelection);
    QHeaderView* columns = view_->horizontalHeader();
    for (int c = 0; c < ScenarioModel::ColumnCount; ++c)
        columns->resizeSection(c, std::max(ScenarioModel::ColumnWidth(c), columns->sectionSizeHint(c)));

    footer_ = new QLabel(this);
    footer_->setObjectName(QStringLiteral("ScenarioFooter"));
    footer_->setContentsMargins(6, 2, 6, 2);
    run_ = new ScenarioRunControl(ctx_, this);

    BuildActions();
    connect(&ctx_.Hub, &ViewHub::scenarioChanged, this, &ScenarioTab::Refresh);
    // A new registry may read the filters otherwise.
    connect(&ctx_.Hub, &ViewHub::settingsChanged, this, &ScenarioTab::Refresh);
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, &ctx_.Actions, &ActionList::UpdateAll);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, &ctx_.Actions, &ActionList::UpdateAll);
    Refresh();
}

void ScenarioTab::BuildActions() {
    ActionList& a = ctx_.Actions;
    auto hasLines = [this] { return Lines() > 0; };
    auto* open = a.Add("ScriptOpen", Q(texts::kScenarioTabOpen), QKeySequence(Qt::CTRL | Qt::Key_J),
                       Q(texts::kScenarioTabOpenHint), nullptr, [this] { Open(); });
    auto* save = a.Add("ScriptSave", Q(texts::kScenarioTabSave), QKeySequence(Qt::CTRL | Qt::Key_I),
                       Q(texts::kScenarioTabSaveHint), hasLines, [this] { Save(); });
    auto* add = a.Add("ScriptAdd", Q(texts::kScenarioTabAdd), QKeySequence(Qt::CTRL | Qt::Key_Insert),
                      Q(texts::kScenarioTabAddHint), nullptr,
                      [this] { EditLine(Q(texts::kScriptItemNewTitle), {}, true, -1); });
    auto* empty = a.Add("ScriptEmpty", Q(texts::kScenarioTabEmpty), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Insert),
                        Q(texts::kScenarioTabEmptyHint), hasLines, [this] { AddSeparator(); });
    auto* load = a.Add("ScriptLoad", Q(texts::kScenarioTabLoad), {}, Q(texts::kScenarioTabLoadHint), nullptr,
                       [this] { Load(); });
    auto isLine = [this] { return ChosenIsLine(); };
    auto* clone = a.Add("ScriptClone", Q(texts::kScenarioTabClone), QKeySequence(Qt::CTRL | Qt::Key_K),
                        Q(texts::kScenarioTabCloneHint), isLine, [this] {
                            const int row = ChosenRow();
                            EditLine(Q(texts::kScriptItemNewTitle),
                                     ctx_.Ws.Scenario().List().Line(static_cast<std::size_t>(row)), false, -1);
                        });
    auto* edit = a.Add("ScriptEdit", Q(texts::kScenarioTabEdit), QKeySequence(Qt::CTRL | Qt::Key_Return),
                       Q(texts::kScenarioTabEditHint), isLine, [this] {
                           const int row = ChosenRow();
                           EditLine(Q(texts::kScriptItemEditTitle),
                                    ctx_.Ws.Scenario().List().Line(static_cast<std::size_t>(row)), false, row);
                       });
    edit->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    auto* del = a.Add(
        "ScriptDel", Q(texts::kScenarioTabDelete), QKeySequence(Qt::ALT | Qt::Key_Delete),
        Q(texts::kScenarioTabDeleteHint), [this] { return !SelectedRows().empty(); }, [this] { DeleteSelected(); });
    auto* clear = a.Add("ScriptClr", Q(texts::kScenarioTabClear), {}, Q(texts::kScenarioTabClearHint), hasLines,
                        [this] { Clear(); });
    auto* up = a.Add(
        "ScriptUp", Q(texts::kScenarioTabUp), QKeySequence(Qt::CTRL | Qt::Key_Up), {},
        [this] { return ChosenRow() > 0; }, [this] { Move(true); });
    auto* down = a.Add(
        "ScriptDown", Q(texts::kScenarioTabDown), QKeySequence(Qt::CTRL | Qt::Key_Down), {},
        [this] {
            const int row = ChosenRow();
            return row >= 0 && static_cast<std::size_t>(row) + 1 < Lines();
        },
        [this] { Move(false); });

    add->setIconText(Q(texts::kScenarioTabAddIcon));
    empty->setIconText(Q(texts::kScenarioTabEmptyIcon));
    up->setIconText(Q(texts::kScenarioTabUpIcon));
    down->setIconText(Q(texts::kScenarioTabDownIcon));

    menuActions_ = {open,    save, load,  nullptr, add, empty, clone,  edit,
                    nullptr, del,  clear, nullptr, up,  down,  nullptr};
    menuActions_ += run_->MenuActions();

    auto* toolbar = new ToolStrip(this);
    toolbar->setObjectName(QStringLiteral("ScenarioToolBar"));
    toolbar->AddGroup({open, save, load});
    toolbar->AddGroup({add, empty, clone, edit});
    toolbar->AddGroup({del, clear});
    toolbar->AddGroup({up, down});
    const QList<QAction*> runActions = run_->ToolbarActions();
    toolbar->AddGroup({runActions[0], runActions[1], runActions[2]});

    // The commands on the selected lines take their keys only in this list:
    // Ctrl+Up in another list must not move scenario lines.
    view_->addActions({add, empty, clone, edit, del, clear, up, down});
    for (QAction* action : {clone, edit, del, up, down}) action->setShortcutContext(Qt::WidgetShortcut);
    connect(view_, &QAbstractItemView::doubleClicked, this, [edit] { edit->trigger(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(toolbar);
    layout->addWidget(view_, 1);
    // The status bar: the lines, then the running scenario's cycle, line,
    // stakes made and variant.
    auto* panels = new QHBoxLayout;
    panels->setContentsMargins(0, 0, 0, 0);
    panels->addWidget(footer_);
    QLabel* labels[4];
    for (QLabel*& label : labels) {
        label = new QLabel(this);
        label->setContentsMargins(6, 2, 6, 2);
        panels->addWidget(label);
    }
    labels[0]->setObjectName(QStringLiteral("ScenarioCyclePanel"));
    labels[1]->setObjectName(QStringLiteral("ScenarioLinePanel"));
    labels[2]->setObjectName(QStringLiteral("ScenarioStakesPanel"));
    labels[3]->setObjectName(QStringLiteral("ScenarioTextPanel"));
    panels->setStretch(4, 1);
    run_->SetPanels(labels[0], labels[1], labels[2], labels[3]);
    layout->addLayout(panels);
}

std::size_t ScenarioTab::Lines() const { return ctx_.Ws.Scenario().List().Count(); }

std::vector<std::size_t> ScenarioTab::SelectedRows() const {
    std::vector<std::size_t> rows;
    const QItemSelectionModel* selection = view_->selectionModel();
    if (!selection) return rows;
    for (const QModelIndex& index : selection->selectedRows())
        if (static_cast<std::size_t>(index.row()) < Lines()) rows.push_back(static_cast<std::size_t>(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

int ScenarioTab::ChosenRow() const {
    const QItemSelectionModel* selection = view_->selectionModel();
    if (!selection) return -1;
    const int current = view_->currentIndex().row();
    if (current >= 0 && static_cast<std::size_t>(current) < Lines() && selection->isRowSelected(current))
        return current;
    const std::vector<std::size_t> rows = SelectedRows();
    return rows.empty() ? -1 : static_cast<int>(rows.front());
}

bool ScenarioTab::ChosenIsLine() const {
    const int row = ChosenRow();
    return row >= 0 && !IsScriptSeparator(ctx_.Ws.Scenario().List().Line(static_cast<std::size_t>(row)));
}

void ScenarioTab::Refresh() {
    model_->Reset();
    footer_->setText(Q(Format(texts::kScenarioStatusLines, {Lines()})));
}

void ScenarioTab::SelectRow(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    view_->setCurrentIndex(model_->index(row, 0));
    view_->selectRow(row);
    view_->scrollTo(model_->index(row, 0));
}

QString ScenarioTab::ChooseFile(bool save) {
    if (chooseFile_) return chooseFile_(save);
    QFileDialog dialog(this, QString(), QString::fromStdString(ctx_.Ws.Files().Folder.string()),
                       Q(texts::kScenarioFileFilter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("lsc"));
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

void ScenarioTab::Open() {
    const QString file = ChooseFile(false);
    if (file.isEmpty()) return;
    view_->clearSelection();
    ctx_.Ws.Scenario().Open(ToPath(file));
}

void ScenarioTab::Save() {
    const QString file = ChooseFile(true);
    if (file.isEmpty()) return;
    ctx_.Ws.Scenario().SaveAs(ToPath(file));
}

void ScenarioTab::Load() {
    const QString file = ChooseFile(false);
    if (file.isEmpty()) return;
    ctx_.Ws.Scenario().Append(ToPath(file));
}

void ScenarioTab::EditLine(const QString& title, const std::string& line, bool fresh, std::ptrdiff_t replace) {
    ScriptItemDialog dialog(ctx_, window());
    dialog.setWindowTitle(title);
    TScriptItem item = ParseScriptItem(line);
    // A new line starts from the count of newest draws the combinations tab excludes.
    if (fresh) item.Options.ExcludeDraws = combs_.DrawsExcludeBox()->value();
    dialog.SetItem(item);
    if (dialog.exec() != QDialog::Accepted) return;
    if (replace >= 0) {
        if (ctx_.Ws.Scenario().Replace(static_cast<std::size_t>(replace), dialog.Line()))
            SelectRow(static_cast<int>(replace));
        return;
    }
    if (ctx_.Ws.Scenario().Add(dialog.Line())) SelectRow(static_cast<int>(Lines()) - 1);
}

void ScenarioTab::AddSeparator() {
    if (ctx_.Ws.Scenario().Add(std::string())) SelectRow(static_cast<int>(Lines()) - 1);
}

void ScenarioTab::DeleteSelected() {
    const std::vector<std::size_t> rows = SelectedRows();
    if (rows.empty() || !ctx_.Hooks.ConfirmDelete(static_cast<int>(rows.size()))) return;
    view_->clearSelection();
    ctx_.Ws.Scenario().Delete(rows);
}

void ScenarioTab::Clear() {
    if (Lines() == 0 || !ctx_.Hooks.ConfirmDelete(static_cast<int>(Lines()))) return;
    view_->clearSelection();
    ctx_.Ws.Scenario().Clear();
}

void ScenarioTab::Move(bool up) {
    const int row = ChosenRow();
    if (row < 0) return;
    const int first = up ? row - 1 : row;
    if (first < 0 || static_cast<std::size_t>(first) + 1 >= Lines()) return;
    if (ctx_.Ws.Scenario().SwapWithNext(static_cast<std::size_t>(first))) SelectRow(up ? row - 1 : row + 1);
}

}  // namespace corvel::gui
