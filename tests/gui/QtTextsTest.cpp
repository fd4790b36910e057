// Qt's own texts appear in Russian: the buttons of the question boxes and the
// context menu of an edit field.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <memory>

#include "TestSupport.h"

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

// With CORVEL_SCREENSHOT_DIR set, the delete confirmation and a file dialog
// are saved there as pictures (for the documentation).
TEST(QtTexts, DialogPictures) {
    const QByteArray dir = qgetenv("CORVEL_SCREENSHOT_DIR");
    if (dir.isEmpty()) GTEST_SKIP() << "CORVEL_SCREENSHOT_DIR is not set";
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Предупреждение"),
                    QStringLiteral("Удалить выделенную запись?"), QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    box.show();
    QApplication::processEvents();
    EXPECT_TRUE(box.grab().save(QString::fromUtf8(dir) + QStringLiteral("/question-ru.png")));
    test::TempDir folder;
    for (const char* name : {"Мои числа.lcv", "После фильтров.lcv"}) test::WriteBytes(folder / name, "1 2 3 4 5 6\r\n");
    QFileDialog files(nullptr, QStringLiteral("Открыть файл комбинаций"),
                      QString::fromStdString(folder.path().string()), QStringLiteral("Файлы комбинаций (*.lcv)"));
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.resize(640, 400);
    files.show();
    QApplication::processEvents();
    EXPECT_TRUE(files.grab().save(QString::fromUtf8(dir) + QStringLiteral("/file-dialog-ru.png")));
}

}  // namespace
}  // namespace corvel
