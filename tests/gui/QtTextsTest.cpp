// Qt's own texts appear in Russian: the buttons of the question boxes and the
// context menu of an edit field.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <memory>

namespace corvel {
namespace {

TEST(QtTexts, QuestionButtonsAreRussian) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Подтверждение"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Да"));
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Нет"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Отмена"));
}

TEST(QtTexts, EditFieldContextMenuIsRussian) {
    QLineEdit edit;
    edit.setText(QStringLiteral("12"));
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) texts << a->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    EXPECT_TRUE(texts.contains(QStringLiteral("Копировать"))) << texts.join(QStringLiteral(", ")).toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Вставить"))) << texts.join(QStringLiteral(", ")).toStdString();
    for (const QString& t : texts)
        EXPECT_FALSE(t.contains(QRegularExpression(QStringLiteral("^[A-Za-z ]+$")))) << t.toStdString();
}

}  // namespace
}  // namespace corvel
