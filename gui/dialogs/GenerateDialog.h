#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolButton;

namespace corvel::gui {

// The new combination list dialog (texts::kGenerateDialogTitle): how to build the new list (every
// combination, the user's numbers in three ways, or an .lcv file), its
// parameters, and whether they become the stored generation settings. The
// parameters field is open for modes 1 to 4, the file button for mode 4 only.
class GenerateDialog : public QDialog {
    Q_OBJECT
  public:
    // Asks for the .lcv file of mode 4; an empty text when cancelled.
    using FileChooser = std::function<QString()>;

    GenerateDialog(int mode, const QString& parameters, FileChooser chooseFile, QWidget* parent = nullptr);

    int Mode() const;
    QString Parameters() const;
    bool SaveAsDefault() const;

    QComboBox* ModeBox() const { return mode_; }
    QLineEdit* ParametersEdit() const { return parameters_; }
    QToolButton* BrowseButton() const { return browse_; }
    QCheckBox* SaveDefaultBox() const { return saveDefault_; }

  private:
    void UpdateEnabling();
    void Browse();

    FileChooser chooseFile_;
    QComboBox* mode_ = nullptr;
    QLineEdit* parameters_ = nullptr;
    QToolButton* browse_ = nullptr;
    QCheckBox* saveDefault_ = nullptr;
};

// The file filter of combination files for the Qt file dialogs.
QString CombsFileDialogFilter();

}  // namespace corvel::gui
