#include "dialogs/ProxyDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "GuiContext.h"
#include "GuiText.h"
#include "QtUiHooks.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "model/SettingsValidation.h"

namespace corvel::gui {
namespace {
constexpr std::int32_t kDefaultPort = 80;
}

ProxyDialog::ProxyDialog(GuiContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("TFormProxy"));
    setWindowTitle(Q(texts::kProxyDialogTitle));

    off_ = new QRadioButton(Q(texts::kProxyDialogOff), this);
    off_->setObjectName(QStringLiteral("rbNoProxy"));
    auto_ = new QRadioButton(Q(texts::kProxyDialogAuto), this);
    auto_->setObjectName(QStringLiteral("rbAutoProxy"));
    manual_ = new QRadioButton(Q(texts::kProxyDialogManual), this);
    manual_->setObjectName(QStringLiteral("rbManualProxy"));

    server_ = new QLineEdit(this);
    server_->setObjectName(QStringLiteral("edProxyServer"));
    port_ = new QSpinBox(this);
    port_->setObjectName(QStringLiteral("edProxyPort"));
    port_->setRange(kProxyPortRange.Min, kProxyPortRange.Max);
    username_ = new QLineEdit(this);
    username_->setObjectName(QStringLiteral("edProxyUsername"));
    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("edProxyPassword"));
    password_->setEchoMode(QLineEdit::Password);

    auto* manualFields = new QGridLayout;
    manualFields->setContentsMargins(24, 0, 0, 0);
    int row = 0;
    for (auto [caption, field] : {std::pair<QString, QWidget*>{Q(texts::kProxyDialogServerLabel), server_},
                                  {Q(texts::kProxyDialogPortLabel), port_},
                                  {Q(texts::kProxyDialogUsernameLabel), username_},
                                  {Q(texts::kProxyDialogPasswordLabel), password_}}) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        manualFields->addWidget(label, row, 0);
        manualFields->addWidget(field, row++, 1, field == port_ ? Qt::AlignLeft : Qt::Alignment{});
    }

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(Q(texts::kGuiCancel));
    connect(buttons_, &QDialogButtonBox::accepted, this, &ProxyDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &ProxyDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(off_);
    layout->addWidget(auto_);
    layout->addWidget(manual_);
    layout->addLayout(manualFields);
    layout->addStretch(1);
    layout->addWidget(buttons_);

    for (QRadioButton* b : {off_, auto_, manual_})
        connect(b, &QRadioButton::toggled, this, &ProxyDialog::UpdateEnabled);
    setMinimumWidth(420);
    LoadFrom(TProxySettings{});
}

void ProxyDialog::LoadFrom(const TProxySettings& proxy) {
    switch (proxy.Mode) {
        case kProxyAuto:
            auto_->setChecked(true);
            break;
        case kProxyManual:
            manual_->setChecked(true);
            break;
        default:
            off_->setChecked(true);
            break;
    }
    server_->setText(Q(proxy.Server));
    port_->setValue(kProxyPortRange.Contains(proxy.Port) ? proxy.Port : kDefaultPort);
    username_->setText(Q(proxy.Username));
    password_->setText(Q(proxy.Password));
    UpdateEnabled();
}

void ProxyDialog::UpdateEnabled() {
    const bool manual = manual_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{server_, port_, username_, password_}) w->setEnabled(manual);
}

TProxySettings ProxyDialog::Edited() const {
    TProxySettings p;
    p.Mode = auto_->isChecked() ? kProxyAuto : manual_->isChecked() ? kProxyManual : kProxyOff;
    p.Server = S(server_->text().trimmed());
    p.Port = port_->value();
    p.Username = S(username_->text());
    p.Password = S(password_->text());
    return p;
}

bool ProxyDialog::Accept() {
    const TProxySettings edited = Edited();
    if (const TCheck check = ValidateProxy(edited); !check) {
        // The first field the check refuses gets the focus.
        QWidget* field = port_;
        const std::pair<QLineEdit*, const std::string*> texts[] = {
            {server_, &edited.Server}, {username_, &edited.Username}, {password_, &edited.Password}};
        for (const auto& [edit, value] : texts)
            if (!IsStorableSettingText(*value)) {
                field = edit;
                break;
            }
        ctx_.Hooks.Error(check.Error());
        // A field of the manual server is locked while another mode is chosen:
        // the way to it is the manual mode's button.
        if (!field->isEnabled()) field = manual_;
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
        return false;
    }

    const TProxySettings stored = ProxyDialogResult(edited);
    if (!ctx_.Ws.Settings().SaveProxy(stored)) return false;
    result_ = stored;
    QDialog::accept();
    return true;
}

void ProxyDialog::accept() { Accept(); }

bool ProxyDialog::Run(GuiContext& ctx, QWidget* parent) {
    // The dialog shows what the file holds now.
    if (!ctx.Ws.Settings().LoadProxy()) return false;
    ProxyDialog dialog(ctx, parent);
    dialog.LoadFrom(ctx.Ws.Settings().Proxy());
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace corvel::gui
