#include "tabs/SystemsTab.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "ActionList.h"
#include "GuiText.h"
#include "ListLayout.h"
#include "QtUiHooks.h"
#include "ToolStrip.h"
#include "dialogs/MultiStakeDialog.h"
#include "i18n/Texts.h"
#include "model/DrawArchive.h"
#include "model/Format.h"

namespace corvel::gui {
namespace {

enum Column {
    kTitle,
    kAuthor,
    kNumbers,
    kBlock,
    kLines,
    kCreated,
    kStatus,
    kDownloads,
    kLast,
    kComments,
    kUrl,
    kColumns
};

}  // namespace

SystemsTab::SystemsTab(GuiContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("SystemsTab"));
    model_ = new QStandardItemModel(0, kColumns, this);
    const i18n::TextId* captions[kColumns] = {
        &texts::kSystemsColTitle, &texts::kSystemsColAuthor,   &texts::kSystemsColNumbers, &texts::kSystemsColBlock,
        &texts::kSystemsColLines, &texts::kSystemsColCreated,  &texts::kSystemsColStatus,  &texts::kSystemsColDownloads,
        &texts::kSystemsColLast,  &texts::kSystemsColComments, &texts::kSystemsColUrl};
    for (int c = 0; c < kColumns; ++c) model_->setHorizontalHeaderItem(c, new QStandardItem(Q(*captions[c])));
    view_ = NewRecordList(this, QStringLiteral("SystemsView"), model_, QAbstractItemView::ExtendedSelection);
    const int widths[kColumns] = {200, 90, 50, 50, 90, 140, 80, 70, 140, 260, 160};
    for (int c = 0; c < kColumns; ++c)
        view_->horizontalHeader()->resizeSection(c, std::max(widths[c], view_->horizontalHeader()->sectionSizeHint(c)));
    BuildActions();
}

void SystemsTab::BuildActions() {
    ActionList& a = ctx_.Actions;
    auto* refresh = a.Add(
        "SystemsRefresh", Q(texts::kSystemsRefresh), {}, Q(texts::kSystemsRefreshHint), [this] { return shown_; },
        [this] { Refresh(); });
    // Playing needs numbers to play and a stakes file to write to.
    auto canPlay = [this] {
        return shown_ && !ctx_.Ws.Combinations().List().Current().Empty() && ctx_.Ws.Stakes().IsOpen();
    };
    auto* all = a.Add("SystemStakeAll", Q(texts::kSystemStakeAll), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_J),
                      Q(texts::kSystemStakeAllHint), canPlay, [this] { Play(false); });
    auto* filtered = a.Add("SystemStakeFilter", Q(texts::kSystemStakeFilter), QKeySequence(Qt::ALT | Qt::Key_J),
                           Q(texts::kSystemStakeFilterHint), canPlay, [this] { Play(true); });
    refresh->setIconText(Q(texts::kSystemsRefresh));
    all->setIconText(Q(texts::kSystemStakeAllIcon));
    filtered->setIconText(Q(texts::kSystemStakeFilterIcon));
    menuActions_ = {refresh, nullptr, all, filtered};

    auto* toolbar = new ToolStrip(this);
    toolbar->setObjectName(QStringLiteral("SystemsToolBar"));
    toolbar->AddGroup({refresh});
    toolbar->AddGroup({all, filtered});
    view_->addActions({refresh, all, filtered});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(toolbar);
    layout->addWidget(view_, 1);
}

void SystemsTab::SetShown(bool shown) {
    shown_ = shown;
    if (shown)
        Refresh();
    else
        model_->removeRows(0, model_->rowCount());
}

void SystemsTab::Refresh() {
    app::BusyGuard busy(ctx_.Hooks);
    ctx_.Hooks.ShowStatus(texts::kSystemsLoading);
    model_->removeRows(0, model_->rowCount());
    // The catalogue of the vendor's service is not reached yet: its
    // placeholder row stands first, the systems of the folder below it.
    model_->appendRow(new QStandardItem(Q(texts::kSystemsListUnavailable)));
    for (const app::TLocalSystem& s : ctx_.Ws.Systems().LocalSystems()) {
        QList<QStandardItem*> row;
        for (int c = 0; c < kColumns; ++c) row << new QStandardItem();
        row[kTitle]->setText(Q(s.Name));
        row[kNumbers]->setText(Q(Format("%.2d", {s.Numbers})));
        row[kBlock]->setText(QString::number(s.Block));
        row[kLines]->setText(QString::number(s.Lines));
        row[kCreated]->setText(Q(s.Created));
        row[kStatus]->setText(Q(texts::kSystemDownloaded));
        // A file that cannot be played says why.
        row[kComments]->setText(Q(s.Error));
        for (QStandardItem* item : row) item->setEditable(false);
        model_->appendRow(row);
    }
    ctx_.Hooks.ShowStatus("");
}

void SystemsTab::Play(bool listOnly) {
    const std::optional<TSystemPlay> play = ctx_.Ws.Systems().Prepare(listOnly);
    if (!play) return;
    MultiStakeDialog dialog(ctx_.Hooks, NextDrawNumber(ctx_.Ws.Archive().Draws(), ctx_.Ws.Archive().Offset()),
                            window());
    dialog.setWindowTitle(Q(play->Title));
    dialog.CommentField()->setText(Q(play->Title));
    if (dialog.exec() != QDialog::Accepted) return;
    ctx_.Ws.Systems().Play(*play, dialog.Draw(), dialog.DrawsCount(), dialog.Comment());
}

}  // namespace corvel::gui
