#include "tabs/CombsTab.h"
#include "ListLayout.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QAbstractItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "ActionList.h"
#include "GuiText.h"
#include "QtUiHooks.h"
#include "ToolStrip.h"
#include "combs/CombsClipboard.h"
#include "combs/CombsEdit.h"
#include "combs/CombsFile.h"
#include "dialogs/GenerateDialog.h"
#include "dialogs/DetailsDialog.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "model/GameSettingsFile.h"
#include "models/AppliedFiltersModel.h"
#include "models/CombsModel.h"

namespace corvel::gui {
namespace {

constexpr const char* kForm = "TFormMain";
constexpr int kDrawsExcludeMax = 99999;
constexpr int kDefaultFiltersHeight = 140;

std::filesystem::path ToPath(const QString& file) {
    return std::filesystem::path(QFile::encodeName(file).toStdString());
}

bool ClipboardHasText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

}  // namespace

CombsTab::CombsTab(GuiContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("CombsTab"));
    combsModel_ = new CombsModel(ctx_.Ws.Combinations().List().Current(), this);
    filtersModel_ = new AppliedFiltersModel(ctx_.Ws.Combinations().Applied(), this);
    BuildViews();
    BuildActions();
    RestoreViewSettings();

    clipboardHasText_ = ClipboardHasText();
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { clipboardHasText_ = ClipboardHasText(); });
    connect(&ctx_.Hub, &ViewHub::combsChanged, this, [this] { OnCombsChanged(); });
}

void CombsTab::BuildViews() {
    combsView_ = NewRecordList(this, QStringLiteral("CombsView"), combsModel_, QAbstractItemView::ExtendedSelection);
    QHeaderView* columns = combsView_->horizontalHeader();
    columns->resizeSection(CombsModel::RowNumberColumn, 80);
    for (int c = CombsModel::FirstNumberColumn; c < CombsModel::SumColumn; ++c) columns->resizeSection(c, 36);
    columns->resizeSection(CombsModel::SumColumn, 48);

    filtersView_ = new QTableView(this);
    filtersView_->setObjectName(QStringLiteral("FiltersView"));
    filtersView_->setModel(filtersModel_);
    filtersView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    filtersView_->setSelectionMode(QAbstractItemView::SingleSelection);
    filtersView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    filtersView_->setWordWrap(false);
    filtersView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    filtersView_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    filtersView_->verticalHeader()->hide();
    filtersView_->horizontalHeader()->setSectionsClickable(false);
    filtersView_->horizontalHeader()->setHighlightSections(false);
    filtersView_->horizontalHeader()->resizeSection(
        AppliedFiltersModel::CaptionColumn,
        std::max(190, filtersView_->horizontalHeader()->sectionSizeHint(AppliedFiltersModel::CaptionColumn)));
    filtersView_->horizontalHeader()->resizeSection(AppliedFiltersModel::ValuesColumn, 100);
    filtersView_->horizontalHeader()->setStretchLastSection(true);
    filtersView_->horizontalHeader()->setSectionsMovable(true);
    // The captions (method names) are long: the column grows to show them.
    connect(filtersModel_, &QAbstractItemModel::modelReset, this, [this] { FitFilterCaptions(); });

    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setObjectName(QStringLiteral("CombsSplitter"));
    splitter_->addWidget(combsView_);
    splitter_->addWidget(filtersView_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setChildrenCollapsible(false);
    connect(splitter_, &QSplitter::splitterMoved, this, [this] {
        const QList<int> sizes = splitter_->sizes();
        if (sizes.size() == 2) ctx_.View.WriteInt(kForm, "FiltersHeight", sizes[1]);
    });

    drawsExclude_ = new QSpinBox(this);
    drawsExclude_->setObjectName(QStringLiteral("DrawsExclude"));
    drawsExclude_->setRange(0, kDrawsExcludeMax);
    drawsExclude_->setToolTip(Q(texts::kCombsTabExcludeCountHint));
    drawsExclude_->installEventFilter(this);
    if (auto* edit = drawsExclude_->findChild<QLineEdit*>()) edit->installEventFilter(this);
    connect(drawsExclude_, &QSpinBox::valueChanged, this,
            [this](int value) { ctx_.View.WriteInt(kForm, "DrawsExclude", value); });
}

void CombsTab::BuildActions() {
    ActionList& a = ctx_.Actions;
    auto* gen = a.Add("CombsGen", Q(texts::kCombsTabGenerate), QKeySequence(Qt::Key_F2),
                      Q(texts::kCombsTabGenerateHint), nullptr, [this] { Generate(); });
    auto* open = a.Add("CombsOpen", Q(texts::kCombsTabOpen), QKeySequence(Qt::CTRL | Qt::Key_O),
                       Q(texts::kCombsTabOpenHint), nullptr, [this] { Open(); });
    auto* save = a.Add(
        "CombsSave", Q(texts::kCombsTabSave), QKeySequence(Qt::CTRL | Qt::Key_S), Q(texts::kCombsTabSaveHint),
        [this] { return HasCombs(); }, [this] { Save(); });
    auto* copy = a.Add(
        "CombsCopy", Q(texts::kGuiCopyToClipboard), QKeySequence(Qt::CTRL | Qt::Key_C), Q(texts::kCombsTabCopyHint),
        [this] { return HasCombs(); }, [this] { Copy(); });
    auto* paste = a.Add(
        "CombsPaste", Q(texts::kCombsTabPaste), QKeySequence(Qt::CTRL | Qt::Key_V), Q(texts::kCombsTabPasteHint),
        [this] { return clipboardHasText_; }, [this] { Paste(); });
    auto* selectAll = a.Add(
        "CombsSelectAll", Q(texts::kCombsTabSelectAll), QKeySequence(Qt::CTRL | Qt::Key_A),
        Q(texts::kCombsTabSelectAllHint), [this] { return HasCombs(); }, [this] { combsView_->selectAll(); });
    auto* delSelected = a.Add(
        "CombsDelSelected", Q(texts::kGuiDeleteSelected), QKeySequence(Qt::CTRL | Qt::Key_Delete),
        Q(texts::kCombsTabDeleteSelectedHint), [this] { return HasSelection(); }, [this] { DeleteSelected(); });
    delExists_ = a.Add(
        "CombsDelExists", Q(texts::kCombsTabExcludeDraws), QKeySequence(Qt::CTRL | Qt::Key_E),
        Q(texts::kCombsTabExcludeDrawsHint),
        [this] { return HasCombs() && !ctx_.Ws.Archive().Draws().empty() && drawsExclude_->value() > 0; },
        [this] { ExcludeDraws(); });
    delExists_->setIconText(Q(texts::kCombsTabExcludeDrawsIcon));
    auto* undo = a.Add(
        "CombsUndo", Q(texts::kCombsTabUndo), QKeySequence(Qt::CTRL | Qt::Key_Z), Q(texts::kCombsTabUndoHint),
        [this] { return ctx_.Ws.Combinations().List().CanUndo(); }, [this] { Undo(); });
    auto* info = a.Add(
        "CombsInfo", Q(texts::kCombsInfo), {}, {}, [this] { return FocusedRow() >= 0; }, [this] { ShowDetails(); });
    auto* checkNums = a.Add("CombsCheckNums", Q(texts::kCombsTabUniqueNumbers), {},
                            Q(texts::kCombsTabUniqueNumbersHint), nullptr, [this] { CheckNumbers(); });
    auto* find = a.Add(
        "CombsFindInDraws", Q(texts::kCombsTabFindInDraws), QKeySequence(Qt::CTRL | Qt::Key_F),
        Q(texts::kCombsTabFindInDrawsHint), [this] { return FocusedRow() >= 0; }, [this] { FindInDraws(); });

    menuActions_ = {gen,         open,       save, nullptr, copy,      paste, selectAll, nullptr,
                    delSelected, delExists_, undo, nullptr, checkNums, find,  info};
    colours_ = a.Add("ViewColorCombs", Q(texts::kViewColorCombs), {}, {}, nullptr, [this] {
        ctx_.View.WriteBool(kForm, "ColorCombs", colours_->isChecked());
        ctx_.Ws.Settings().SaveView();
        Refresh(false);
    });
    colours_->setCheckable(true);
    colours_->setChecked(ctx_.View.ReadBool(kForm, "ColorCombs", true));
    combsModel_->SetChannelColours(colours_->isChecked(), ctx_.Ws.Settings().Game().Config.ChannelSize);

    // The commands wrap onto further rows in a narrow panel; the count of
    // draws stays beside its command.
    auto* toolbar = new ToolStrip(this);
    toolbar->setObjectName(QStringLiteral("CombsToolBar"));
    toolbar->AddGroup({gen, open, save});
    toolbar->AddGroup({copy, paste});
    toolbar->AddGroup({delSelected, undo});
    toolbar->AddGroup({delExists_}, {drawsExclude_});
    toolbar->AddGroup({find});

    combsView_->addActions({copy, paste, selectAll, delSelected, find, info});
    // Selecting, copying and deleting rows belong to the list that has the
    // focus: Ctrl+A in another table must not select (and Ctrl+Del then
    // delete) the combinations of this one.
    for (QAction* action : {copy, selectAll, delSelected}) action->setShortcutContext(Qt::WidgetShortcut);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(toolbar);
    layout->addWidget(splitter_, 1);
}

void CombsTab::RestoreViewSettings() {
    drawsExclude_->setValue(std::clamp(ctx_.View.ReadInt(kForm, "DrawsExclude", 0), 0, kDrawsExcludeMax));
    const int filtersHeight = std::max(40, ctx_.View.ReadInt(kForm, "FiltersHeight", kDefaultFiltersHeight));
    splitter_->setSizes({std::max(200, 600 - filtersHeight), filtersHeight});
}

void CombsTab::Refresh(bool force) {
    // The colours follow the switch and the channel width of the settings.
    combsModel_->SetChannelColours(colours_->isChecked(), ctx_.Ws.Settings().Game().Config.ChannelSize);
    if (force) {
        combsModel_->Reset();
    } else if (!combsModel_->Sync()) {
        // Same count: the rows are read in place, a repaint shows them.
        combsView_->viewport()->update();
    }
    filtersModel_->Reset();
}

void CombsTab::OnCombsChanged() {
    // Changes made here were already bracketed by the models' resets.
    if (changing_) return;
    combsModel_->Reset();
    filtersModel_->Reset();
}

void CombsTab::ChangeList(const std::function<void()>& change) {
    changing_ = true;
    combsModel_->BeginChange();
    filtersModel_->BeginChange();
    // The service announces the change itself (the hub's combsChanged), and
    // this tab, already bracketing it, lets that pass.
    auto finish = [this] {
        combsModel_->EndChange();
        filtersModel_->EndChange();
        changing_ = false;
    };
    try {
        change();
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void CombsTab::FitFilterCaptions() {
    QHeaderView* header = filtersView_->horizontalHeader();
    const int column = AppliedFiltersModel::CaptionColumn;
    QStyleOptionViewItem option;
    option.initFrom(filtersView_);
    const int icon = filtersView_->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, filtersView_);
    option.decorationSize = QSize(icon, icon);
    const QAbstractItemDelegate* delegate = filtersView_->itemDelegate();
    const int grid = filtersView_->showGrid() ? 1 : 0;
    int wanted = 0;
    for (int row = 0; row < filtersModel_->rowCount(); ++row) {
        const QSize hint = delegate->sizeHint(option, filtersModel_->index(row, column));
        wanted = std::max(wanted, hint.width() + grid);
    }
    if (wanted > header->sectionSize(column)) header->resizeSection(column, wanted);
}

bool CombsTab::HasCombs() const { return !ctx_.Ws.Combinations().List().Current().Empty(); }

bool CombsTab::HasSelection() const {
    return HasCombs() && combsView_->selectionModel() && combsView_->selectionModel()->hasSelection();
}

void CombsTab::ShowDetails() {
    const int row = FocusedRow();
    if (row < 0) return;
    const TCombination comb = *combsModel_->Combination(row);
    // The combination stands for the draw after the analysed window.
    const auto rows = CombinationDetails(ctx_.Ws.Statistics().Registry(), ctx_.Ws.Archive().Draws(), comb,
                                         ctx_.Ws.Archive().Offset(), ctx_.Ws.Archive().Sorted());
    DetailsDialog dialog(rows, comb, ctx_.Ws.Statistics().Registry().Settings.Config.MatrixCols,
                         ctx_.Ws.Statistics().Registry().Settings.Config.ChannelSize, window());
    dialog.exec();
}

int CombsTab::FocusedRow() const {
    const QModelIndex current = combsView_->currentIndex();
    if (!current.isValid() || !combsModel_->Combination(current.row())) return -1;
    return current.row();
}

std::vector<std::size_t> CombsTab::SelectedRows() const {
    std::vector<std::size_t> rows;
    if (!combsView_->selectionModel()) return rows;
    const QItemSelection selection = combsView_->selectionModel()->selection();
    std::size_t total = 0;
    for (const QItemSelectionRange& range : selection) total += static_cast<std::size_t>(range.height());
    rows.reserve(total);
    for (const QItemSelectionRange& range : selection)
        for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(static_cast<std::size_t>(row));
    if (selection.size() > 1) {
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    }
    return rows;
}

QString CombsTab::ChooseFile(bool save) {
    if (chooseFile_) return chooseFile_(save);
    QFileDialog dialog(this, save ? Q(texts::kCombsTabSaveFileTitle) : Q(texts::kCombsTabOpenFileTitle),
                       QString::fromStdString(ctx_.Ws.Files().Folder.string()), CombsFileDialogFilter());
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("lcv"));
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

void CombsTab::Generate() {
    const TGameSettings& settings = ctx_.Ws.Settings().Game();
    GenerateDialog dialog(
        settings.CombsGenerateMode, Q(settings.CombsGenerateParameters), [this] { return ChooseFile(false); }, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const int mode = dialog.Mode();
    const std::string parameters = S(dialog.Parameters());
    // When the stored settings cannot be written they stay those of the file;
    // this generation still uses what the user chose.
    if (dialog.SaveAsDefault()) ctx_.Ws.Settings().SaveGenerate(mode, parameters);
    ChangeList([&] { ctx_.Ws.Combinations().Generate(mode, parameters, true); });
}

void CombsTab::Open() {
    const QString file = ChooseFile(false);
    if (file.isEmpty()) return;
    ChangeList([&] { ctx_.Ws.Combinations().OpenFile(ToPath(file)); });
}

void CombsTab::Save() {
    const QString file = ChooseFile(true);
    if (file.isEmpty()) return;
    ctx_.Ws.Combinations().SaveFile(ToPath(file));
}

void CombsTab::Copy() {
    const std::vector<std::size_t> rows = SelectedRows();
    if (rows.empty()) return;
    app::BusyGuard busy(ctx_.Hooks);
    ctx_.Hooks.ShowStatus(texts::kPleaseWait);
    const std::string text = CombsClipboardText(ctx_.Ws.Combinations().List().Current(), rows);
    // Digits, spaces and line breaks only: the plain widening of Latin-1 is
    // several times faster than UTF-8 decoding on a list of millions.
    QGuiApplication::clipboard()->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
    ctx_.Hooks.ShowStatus("");
}

void CombsTab::Paste() {
    const std::string text = S(QGuiApplication::clipboard()->text());
    ChangeList([&] { ctx_.Ws.Combinations().Paste(text); });
}

void CombsTab::DeleteSelected() {
    const std::vector<std::size_t> rows = SelectedRows();
    if (rows.empty()) return;
    ChangeList([&] { ctx_.Ws.Combinations().DeleteRows(rows); });
}

void CombsTab::ExcludeDraws() {
    const int n = drawsExclude_->value();
    ChangeList([&] { ctx_.Ws.Combinations().ExcludeLastDraws(n); });
}

void CombsTab::Undo() {
    ChangeList([&] { ctx_.Ws.Combinations().Undo(); });
}

void CombsTab::CheckNumbers() {
    ctx_.Hooks.Info(Format(texts::kCombsUniqueNumbers, {CountUniqueNumbers(ctx_.Ws.Combinations().List().Current())}));
}

void CombsTab::FindInDraws() {
    const TCombination* c = combsModel_->Combination(FocusedRow());
    if (!c) return;
    ctx_.Ws.Combinations().ShowInArchive(*c);
}

bool CombsTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && drawsExclude_ &&
        (watched == drawsExclude_ || watched->parent() == drawsExclude_)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Only a value within the box's limits runs the command.
            if (drawsExclude_->hasAcceptableInput()) {
                drawsExclude_->interpretText();
                ctx_.Actions.UpdateAll();
                delExists_->trigger();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace corvel::gui
