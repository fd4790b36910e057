#pragma once

#include <QDialog>

#include "model/GameSettingsFile.h"

class QDialogButtonBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace corvel::gui {

struct GuiContext;

// The proxy dialog (texts::kProxyDialogTitle): no proxy, automatic search, or
// a manual server with port, user name and password (typed hidden). OK checks
// the fields with the engine's checks; a field at fault is reported in the
// error box and gets the focus, and the dialog stays open. Accepted values are
// written to the settings file at once (automatic search forgets the manual
// server); Result() then holds what was stored.
class ProxyDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ProxyDialog(GuiContext& ctx, QWidget* parent = nullptr);

    // A stored mode outside 0..2 shows as "no proxy"; a port outside 1..65535
    // (none chosen yet) shows as 80.
    void LoadFrom(const TProxySettings& proxy);
    // Checks and writes the settings; true when the dialog closed.
    bool Accept();
    const TProxySettings& Result() const { return result_; }

    // Reads the stored settings and opens the dialog on them; true when new
    // settings were written.
    static bool Run(GuiContext& ctx, QWidget* parent);

    QRadioButton* NoProxyButton() const { return off_; }
    QRadioButton* AutomaticButton() const { return auto_; }
    QRadioButton* ManualButton() const { return manual_; }
    QLineEdit* ServerField() const { return server_; }
    QSpinBox* PortBox() const { return port_; }
    QLineEdit* UsernameField() const { return username_; }
    QLineEdit* PasswordField() const { return password_; }
    QDialogButtonBox* Buttons() const { return buttons_; }

  public slots:
    void accept() override;

  private:
    TProxySettings Edited() const;
    void UpdateEnabled();

    GuiContext& ctx_;
    TProxySettings result_;
    QRadioButton* off_ = nullptr;
    QRadioButton* auto_ = nullptr;
    QRadioButton* manual_ = nullptr;
    QLineEdit* server_ = nullptr;
    QSpinBox* port_ = nullptr;
    QLineEdit* username_ = nullptr;
    QLineEdit* password_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace corvel::gui
