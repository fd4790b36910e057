#include "TestCountInput.h"

#include <QInputDialog>
#include <algorithm>

#include "GuiText.h"
#include "i18n/Texts.h"

namespace corvel::gui {

int AskTestCount(QWidget* parent, int maximum) {
    if (maximum < 1) return 0;
    bool ok = false;
    const int count = QInputDialog::getInt(parent, Q(texts::kScriptTestCountTitle), Q(texts::kScriptTestCountLabel),
                                           std::min(kProposedTests, maximum), 1, maximum, 1, &ok);
    return ok ? count : 0;
}

}  // namespace corvel::gui
