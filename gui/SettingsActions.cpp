#include "SettingsActions.h"

#include <QAction>
#include <QPointer>

#include "ActionList.h"
#include "GuiContext.h"
#include "GuiText.h"
#include "dialogs/ConfigDialog.h"
#include "dialogs/ProxyDialog.h"
#include "dialogs/ShreddingDialog.h"
#include "i18n/Texts.h"

namespace corvel::gui {

QList<QAction*> CreateSettingsActions(GuiContext& ctx, QWidget* parent) {
    QPointer<QWidget> owner(parent);
    GuiContext* c = &ctx;
    return {
        ctx.Actions.Add("EditConfig", Q(texts::kSettingsConfig), {}, Q(texts::kSettingsConfigHint), nullptr,
                        [c, owner] { ConfigDialog::Run(*c, owner); }),
        ctx.Actions.Add("EditShredding", Q(texts::kSettingsShredding), {}, Q(texts::kSettingsShreddingHint), nullptr,
                        [c, owner] { ShreddingDialog::Run(*c, owner); }),
        ctx.Actions.Add("EditProxy", Q(texts::kProxyDialogTitle), {}, Q(texts::kSettingsProxyHint), nullptr,
                        [c, owner] { ProxyDialog::Run(*c, owner); }),
    };
}

}  // namespace corvel::gui
