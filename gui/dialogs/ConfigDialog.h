#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>
#include <string>

#include "model/GameSettings.h"

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;

namespace corvel::gui {

struct GuiContext;

// The game settings dialog (TFormConfig, texts::kConfigDialogTitle): matrix size,
// channel size, stake cost, the prize table of seven rows, the weight
// coefficients and the segment map. OK checks every field with the engine's
// checks; a field at fault is reported in the error box and gets the focus,
// and the dialog stays open. An accepted record is written to the settings
// file at once, the methods are registered again for the new ranges, the
// prefetch files of the changed groups are rebuilt and the hub announces the
// change. The extended-stake size is not edited here and is kept as it was.
class ConfigDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ConfigDialog(GuiContext& ctx, QWidget* parent = nullptr);

    // Shows the record. Money is shown with two decimals and the coefficients
    // with three; a field left as shown keeps its exact stored value.
    void LoadFrom(const TConfigData& config);
    // Checks, writes and applies the settings; true when the dialog closed.
    bool Accept();

    // Opens the dialog on the current settings; true when they were changed.
    static bool Run(GuiContext& ctx, QWidget* parent);

    QSpinBox* ColsBox() const { return cols_; }
    QLineEdit* RowsField() const { return rows_; }
    QSpinBox* ChannelBox() const { return channel_; }
    QLineEdit* CostField() const { return cost_; }
    QTableWidget* PrizeTable() const { return prizes_; }
    QLineEdit* CountField() const { return count_; }
    QLineEdit* DeviationField() const { return deviation_; }
    QLineEdit* LevelField() const { return level_; }
    QCheckBox* UsePercentsBox() const { return usePercents_; }
    QCheckBox* UseAbsValuesBox() const { return useAbsValues_; }
    QTableWidget* SegmentGrid() const { return segments_; }
    QDialogButtonBox* Buttons() const { return buttons_; }

    static constexpr int kPrizeRows = kNumbersPerDraw + 1;

  public slots:
    void accept() override;

  private:
    void ColsChanged(int cols);
    // Lays the 48 segment cells out row by row in `cols` columns.
    void LayOutSegments(int cols);
    void SegmentEdited(QTableWidgetItem* item);
    // The record as edited; false after reporting the first field at fault.
    bool ReadEdited(TConfigData& config);
    // Shows the error and gives the field the focus.
    void Fail(const std::string& error, QWidget* field);

    GuiContext& ctx_;
    TConfigData loaded_;
    QString shownCost_;
    std::array<QString, kPrizeRows> shownPrizes_;
    std::array<TMoney, kPrizeRows> loadedPrizes_{};
    std::array<QString, 3> shownCoefficients_;
    std::array<QString, kMaxNumber> segmentTexts_;

    QSpinBox* cols_ = nullptr;
    QLineEdit* rows_ = nullptr;
    QSpinBox* channel_ = nullptr;
    QLineEdit* cost_ = nullptr;
    QTableWidget* prizes_ = nullptr;
    QLineEdit* count_ = nullptr;
    QLineEdit* deviation_ = nullptr;
    QLineEdit* level_ = nullptr;
    QCheckBox* usePercents_ = nullptr;
    QCheckBox* useAbsValues_ = nullptr;
    QTableWidget* segments_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace corvel::gui
