#include "SettingsActions.h"

#include <QAction>
#include <QPointer>

#include "ActionList.h"
#include "GuiContext.h"
#include "dialogs/ConfigDialog.h"
#include "dialogs/ProxyDialog.h"
#include "dialogs/ShreddingDialog.h"

namespace corvel::gui {

QList<QAction*> CreateSettingsActions(GuiContext& ctx, QWidget* parent) {
    QPointer<QWidget> owner(parent);
    GuiContext* c = &ctx;
    return {
        ctx.Actions.Add(
            "EditConfig", QStringLiteral("Параметры"), {},
            QStringLiteral(
                "Параметры системы: матрица, каналы, стоимость ставки, выигрыши, сегменты"),
            nullptr, [c, owner] { ConfigDialog::Run(*c, owner); }),
        ctx.Actions.Add("EditShredding", QStringLiteral("Формулы шинковки"), {},
                        QStringLiteral("Формулы для статистик группы шинковки"), nullptr,
                        [c, owner] { ShreddingDialog::Run(*c, owner); }),
        ctx.Actions.Add("EditProxy", QStringLiteral("Параметры proxy-сервера"), {},
                        QStringLiteral("Proxy-сервер для загрузки данных из сети Интернет"),
                        nullptr, [c, owner] { ProxyDialog::Run(*c, owner); }),
    };
}

}  // namespace corvel::gui
