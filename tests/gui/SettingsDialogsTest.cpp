// The settings dialogs on real files: the game settings, the shredding
// formulas and the proxy. Refused input shows the engine's text, keeps the
// dialog open with the field in focus and leaves the files alone; accepted
// input is written at once and applied to the registry.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <filesystem>
#include <optional>

#include "ActionList.h"
#include "GuiContext.h"
#include "GuiTestSupport.h"
#include "GuiText.h"
#include "QtUiHooks.h"
#include "SettingsActions.h"
#include "TestSupport.h"
#include "dialogs/ConfigDialog.h"
#include "dialogs/ProxyDialog.h"
#include "dialogs/ShreddingDialog.h"
#include "i18n/Texts.h"
#include "model/Format.h"
#include "model/GameSettingsFile.h"
#include "stats/Prefetch.h"

namespace corvel {
namespace {

namespace fs = std::filesystem;

constexpr const char* kIniText =
    "[GLOBAL]\r\nMatrixCols=6\r\nChannelSize=6\r\n"
    "[STAKES]\r\nCost=1.2345\r\nMaxStake=8\r\nProfits=1\r\nProfit_0_Overlap=6\r\nProfit_0_Profit="
    "1000.5\r\n"
    "[CDL]\r\nCount=0\r\nDeviation=-1\r\nLevel=1\r\nUsePercents=0\r\nUseAbsValues=0\r\n"
    "[OTHER]\r\nKeep=me\r\n";

// A workspace with its services but without the main window, on a data folder
// holding a settings file and the user's captions of two methods.
class SettingsDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteBytes(ws_.Files().GameSettings(), kIniText);
        ws_.Statistics().SetPrefetchsEnabled(false);
        ws_.OpenSettingsAndRegistry();
        // A caption and a favourites choice saved in an earlier session, and
        // a caption given in this one and not saved yet.
        Stats().Item(Index("NUMS")).UserCaption = "Мои числа";
        Stats().SetFavoritesText("NUMS,EVEN");
        Stats().SaveNames(ws_.Files().FilterNames(), true, false);
        Stats().Item(Index("EVEN")).UserCaption = "Чётные";

        // Every message box is answered at once; its text stays in Messages().
        dismisser_.setInterval(10);
        QObject::connect(&dismisser_, &QTimer::timeout, &dismisser_, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->done(QMessageBox::Ok);
        });
        dismisser_.start();
    }

    TStatList& Stats() { return ws_.Statistics().Registry(); }
    int Index(const char* code) { return Stats().FindMethod(code); }
    QStringList Messages() const { return hooks_.Messages(); }
    std::string Ini() const { return test::ReadBytes(ws_.Files().GameSettings()); }
    TGameSettings SettingsOnDisk() const {
        TGameSettings s;
        LoadGameSettings(ws_.Files().GameSettings(), s);
        LoadShreddingSettings(ws_.Files().GameSettings(), s);
        return s;
    }

    test::TempDir dir_;
    gui::QtUiHooks hooks_;
    app::Workspace ws_{app::DataFiles{dir_.path()}, hooks_, 16};
    ViewSettings view_{dir_ / "corvel-lotto.frm"};
    gui::ViewHub hub_{ws_};
    gui::ActionList actions_{hooks_};
    gui::GuiContext ctx_{ws_, hooks_, view_, hub_, actions_};
    QTimer dismisser_;
};

// ---- game settings

TEST_F(SettingsDialogs, ConfigShowsTheStoredRecordWithPrizesByMatchCount) {
    gui::ConfigDialog dialog(ctx_);
    dialog.LoadFrom(Stats().Settings.Config);
    EXPECT_EQ(dialog.ColsBox()->value(), 6);
    EXPECT_EQ(dialog.RowsField()->text(), QStringLiteral("8"));
    EXPECT_EQ(dialog.CostField()->text(), QStringLiteral("1.23"));
    EXPECT_EQ(dialog.DeviationField()->text(), QStringLiteral("-1.000"));
    ASSERT_EQ(dialog.PrizeTable()->rowCount(), 7);
    // The one stored prize is for six matches; the other rows show nothing won.
    EXPECT_EQ(dialog.PrizeTable()->item(6, 1)->text(), QStringLiteral("1000.50"));
    for (int row = 0; row < 6; ++row) EXPECT_EQ(dialog.PrizeTable()->item(row, 1)->text(), QStringLiteral("0.00"));
    EXPECT_EQ(dialog.SegmentGrid()->columnCount(), 6);
    EXPECT_EQ(dialog.SegmentGrid()->rowCount(), 8);
}

struct RefusedConfigCase {
    const char* name;
    void (*edit)(gui::ConfigDialog&);
    std::string expected;
    QWidget* (*field)(const gui::ConfigDialog&);
};

class RefusedConfig : public SettingsDialogs, public ::testing::WithParamInterface<RefusedConfigCase> {};

TEST_P(RefusedConfig, ShowsTheEngineTextAndWritesNothing) {
    const std::string iniBefore = Ini();
    const std::string namesBefore = test::ReadBytes(ws_.Files().FilterNames());
    const int methodsBefore = Stats().Count();
    QSignalSpy changed(&hub_, &gui::ViewHub::settingsChanged);

    gui::ConfigDialog dialog(ctx_);
    dialog.LoadFrom(Stats().Settings.Config);
    dialog.ColsBox()->setValue(8);  // a change that must not be applied either
    GetParam().edit(dialog);
    EXPECT_FALSE(dialog.Accept());

    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages().back(), gui::Q(GetParam().expected));
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.focusWidget(), GetParam().field(dialog));
    EXPECT_EQ(Ini(), iniBefore);
    EXPECT_EQ(test::ReadBytes(ws_.Files().FilterNames()), namesBefore);
    EXPECT_EQ(Stats().Settings.Config.MatrixCols, 6);
    EXPECT_EQ(Stats().Count(), methodsBefore);
    EXPECT_EQ(Stats().Item(Index("EVEN")).UserCaption, "Чётные");
    EXPECT_EQ(changed.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RefusedConfig,
    ::testing::Values(RefusedConfigCase{"EmptyCost", [](gui::ConfigDialog& d) { d.CostField()->setText({}); },
                                        Format(texts::kBadFieldValue, {texts::kFieldCost, ""}),
                                        [](const gui::ConfigDialog& d) -> QWidget* { return d.CostField(); }},
                      RefusedConfigCase{"CostWithTwoSeparators",
                                        [](gui::ConfigDialog& d) { d.CostField()->setText(QStringLiteral("1.5,0")); },
                                        Format(texts::kBadFieldValue, {texts::kFieldCost, "1.5,0"}),
                                        [](const gui::ConfigDialog& d) -> QWidget* { return d.CostField(); }},
                      RefusedConfigCase{"LoneMinusAsDeviation",
                                        [](gui::ConfigDialog& d) { d.DeviationField()->setText(QStringLiteral("-")); },
                                        Format(texts::kBadFieldValue, {"Коэффициент \"Отклонение\"", "-"}),
                                        [](const gui::ConfigDialog& d) -> QWidget* { return d.DeviationField(); }}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SettingsDialogs, ConfigWritesTheSettingsAndRegistersTheMethodsAgainWithTheirCaptions) {
    QSignalSpy changed(&hub_, &gui::ViewHub::settingsChanged);
    gui::ConfigDialog dialog(ctx_);
    dialog.LoadFrom(Stats().Settings.Config);

    dialog.ColsBox()->setValue(8);
    EXPECT_EQ(dialog.RowsField()->text(), QStringLiteral("6"));
    dialog.ChannelBox()->setValue(8);
    dialog.CostField()->setText(QStringLiteral("2,5"));
    dialog.PrizeTable()->item(3, 1)->setText(QStringLiteral("15"));
    dialog.PrizeTable()->item(4, 1)->setText(QStringLiteral("."));  // unreadable: nothing won
    dialog.DeviationField()->setText(QStringLiteral("-2"));
    dialog.UsePercentsBox()->setChecked(true);
    dialog.SegmentGrid()->item(1, 1)->setText(QStringLiteral("3"));  // number 10 with eight columns
    ASSERT_TRUE(dialog.Accept());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QStringLiteral("\n")).toStdString();
    EXPECT_EQ(changed.count(), 1);

    const TGameSettings disk = SettingsOnDisk();
    const TConfigData& c = disk.Config;
    EXPECT_EQ(c.MatrixCols, 8);
    EXPECT_EQ(c.ChannelSize, 8);
    EXPECT_EQ(c.Cost, TMoney::FromRaw(25'000));
    EXPECT_EQ(c.MaxStake, 8);  // not edited here: kept
    ASSERT_EQ(c.Profits.size(), 7u);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(c.Profits[static_cast<std::size_t>(i)].Overlap, i);
    EXPECT_EQ(c.Profits[3].Profit, TMoney::FromRaw(150'000));
    EXPECT_EQ(c.Profits[4].Profit, TMoney{});
    EXPECT_EQ(c.Profits[6].Profit, TMoney::FromRaw(10'005'000));  // left as shown: exact
    EXPECT_EQ(c.CDL.CountCoef, 0);
    EXPECT_EQ(c.CDL.DeviationCoef, -2);
    EXPECT_EQ(c.CDL.LevelCoef, 1);
    EXPECT_TRUE(c.CDL.UsePercents);
    EXPECT_FALSE(c.CDL.UseAbsValues);
    for (int n = 1; n <= kMaxNumber; ++n)
        EXPECT_EQ(c.MatrixSegments[static_cast<std::size_t>(n - 1)], n == 10 ? 3 : 1) << "number " << n;
    EXPECT_NE(Ini().find("Keep=me"), std::string::npos);

    // Memory holds what the file holds; the defaults of the filters follow.
    EXPECT_EQ(Stats().Settings.Config.MatrixCols, 8);
    EXPECT_EQ(Stats().Settings.Config.Cost, c.Cost);
    EXPECT_EQ(Stats().Settings.CDLDefault, c.CDL);

    // The registry was built anew and read the captions and favourites back.
    EXPECT_EQ(Stats().Item(Index("NUMS")).UserCaption, "Мои числа");
    EXPECT_EQ(Stats().Item(Index("EVEN")).UserCaption, "Чётные");
    EXPECT_EQ(Stats().GetFavoritesText(), "NUMS,EVEN");
    // And the next start finds the caption given in this session.
    TStatList next;
    next.Settings = disk;
    next.RegisterMethods();
    next.LoadNames(ws_.Files().FilterNames(), true);
    EXPECT_EQ(next.Item(next.FindMethod("EVEN")).UserCaption, "Чётные");
    EXPECT_EQ(next.Item(next.FindMethod("NUMS")).UserCaption, "Мои числа");
}

TEST_F(SettingsDialogs, SegmentGridFollowsTheColumnsAndRefusesBadCells) {
    TConfigData config = Stats().Settings.Config;
    for (int n = 0; n < kMaxNumber; ++n)
        config.MatrixSegments[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(n % 9 + 1);
    gui::ConfigDialog dialog(ctx_);
    dialog.LoadFrom(config);
    QTableWidget* grid = dialog.SegmentGrid();

    for (int cols : {5, 7, 48, 1}) {
        SCOPED_TRACE(cols);
        dialog.ColsBox()->setValue(cols);
        const int rows = (kMaxNumber + cols - 1) / cols;
        ASSERT_EQ(grid->columnCount(), cols);
        ASSERT_EQ(grid->rowCount(), rows);
        for (int i = 0; i < rows * cols; ++i) {
            QTableWidgetItem* item = grid->item(i / cols, i % cols);
            if (i < kMaxNumber) {
                EXPECT_EQ(item->text(), QString::number(i % 9 + 1)) << "number " << i + 1;
            } else {
                EXPECT_FALSE(item->flags() & Qt::ItemIsSelectable) << "cell " << i;
            }
        }
    }

    dialog.ColsBox()->setValue(6);
    grid->item(2, 3)->setText(QStringLiteral("12"));  // number 16
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages().back(), gui::Q(Format(texts::kBadSegmentValue, {"12"})));
    EXPECT_EQ(grid->item(2, 3)->text(), QStringLiteral("1"));
    grid->item(0, 0)->setText({});  // empty counts as 1
    EXPECT_EQ(Messages().size(), 1);

    ASSERT_TRUE(dialog.Accept());
    const auto segments = SettingsOnDisk().Config.MatrixSegments;
    EXPECT_EQ(segments[15], 1);
    EXPECT_EQ(segments[0], 1);
    EXPECT_EQ(segments[1], 2);
    EXPECT_EQ(segments[17], 9);
}

struct GroupsCase {
    const char* name;
    void (*change)(TConfigData&);
    std::uint32_t groups;
};

class PrefetchGroups : public ::testing::TestWithParam<GroupsCase> {};

TEST_P(PrefetchGroups, FollowWhatChanged) {
    const TConfigData before;
    TConfigData after = before;
    GetParam().change(after);
    EXPECT_EQ(app::ChangedPrefetchGroups(before, after), GetParam().groups);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, PrefetchGroups,
    ::testing::Values(GroupsCase{"Nothing", [](TConfigData&) {}, 0},
                      GroupsCase{"CostAndPrizesOnly",
                                 [](TConfigData& c) {
                                     c.Cost = TMoney::FromRaw(5);
                                     c.Profits.push_back({6, TMoney::FromRaw(7)});
                                     c.CDL.LevelCoef = 3;
                                 },
                                 0},
                      GroupsCase{"MatrixColumns", [](TConfigData& c) { c.MatrixCols = 8; }, 1u << 4},
                      GroupsCase{"ChannelSize", [](TConfigData& c) { c.ChannelSize = 4; }, 1u << 3},
                      GroupsCase{"OneSegment", [](TConfigData& c) { c.MatrixSegments[47] = 2; }, 1u << 5},
                      GroupsCase{"All",
                                 [](TConfigData& c) {
                                     c.MatrixCols = 7;
                                     c.ChannelSize = 7;
                                     c.MatrixSegments[0] = 9;
                                 },
                                 (1u << 3) | (1u << 4) | (1u << 5)}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SettingsDialogs, ConfigBuildsPrefetchFilesOnlyWhenAGroupChanged) {
    ws_.Statistics().SetPrefetchsEnabled(true);
    ws_.Statistics().BuildPrefetchFiles(true, 0);
    const fs::path folder = ws_.Files().PrefetchFolder();
    const fs::path even = folder / "corvel-lotto_EVEN.dfc";
    const fs::path prime = folder / "corvel-lotto_PRIM.dfc";
    ASSERT_TRUE(fs::exists(even));
    ASSERT_TRUE(fs::exists(prime));
    const auto primeTime = fs::last_write_time(prime);
    fs::remove(even);

    {
        gui::ConfigDialog dialog(ctx_);
        dialog.LoadFrom(Stats().Settings.Config);
        dialog.CostField()->setText(QStringLiteral("3"));
        ASSERT_TRUE(dialog.Accept());
    }
    EXPECT_FALSE(fs::exists(even)) << "a cost change builds no prefetch files";

    {
        gui::ConfigDialog dialog(ctx_);
        dialog.LoadFrom(Stats().Settings.Config);
        dialog.ColsBox()->setValue(8);
        ASSERT_TRUE(dialog.Accept());
    }
    EXPECT_TRUE(fs::exists(even)) << "a matrix change builds the missing files with its group";
    EXPECT_EQ(fs::last_write_time(prime), primeTime) << "files of unchanged groups are kept";
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QStringLiteral("\n")).toStdString();
}

// ---- shredding formulas

TEST_F(SettingsDialogs, ShreddingRefusesABadFormulaAndWritesNothing) {
    LoadShreddingSettings(ws_.Files().GameSettings(), Stats().Settings);
    const std::string iniBefore = Ini();
    QSignalSpy changed(&hub_, &gui::ViewHub::settingsChanged);
    gui::ShreddingDialog dialog(ctx_);
    dialog.LoadFrom(Stats().Settings);
    EXPECT_EQ(dialog.FormulaField(0)->text(), QString::fromUtf8(kDefaultFormulas[0]));
    dialog.show();
    test::SavePicture(&dialog, "shredding.png");

    const struct {
        int field;
        const char* text;
        std::string expected;
    } cases[] = {{1, "(n4+n5+n6/(n1+n2+n3)", Format(texts::kFormulaError, {2, texts::kBracketMissing})},
                 {2, "   ", Format(texts::kFormulaError, {3, texts::kSyntaxError})},
                 // Errors of the numbers that every draw meets.
                 {0, "n1/(n2-n2)", Format(texts::kFormulaError, {1, texts::kDivisionByZero})},
                 {1, "LN(n1-n1)", Format(texts::kFormulaError, {2, texts::kLogarithmBelowZero})},
                 {2, "SQRT(-n3)", Format(texts::kFormulaError, {3, texts::kRootBelowZero})}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        dialog.LoadFrom(Stats().Settings);
        dialog.DigitsBox(0)->setValue(4);
        dialog.FormulaField(c.field)->setText(QString::fromUtf8(c.text));
        const auto shown = Messages().size();
        EXPECT_FALSE(dialog.Accept());
        ASSERT_EQ(Messages().size(), shown + 1);
        EXPECT_EQ(Messages().back(), gui::Q(c.expected));
        EXPECT_EQ(dialog.focusWidget(), dialog.FormulaField(c.field));
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    }
    EXPECT_EQ(Ini(), iniBefore);
    EXPECT_EQ(Stats().Settings.FormulaDigits[0], kDefaultFormulaDigits);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(SettingsDialogs, ShreddingWritesTheFormulasAndKeepsTheCaptions) {
    LoadShreddingSettings(ws_.Files().GameSettings(), Stats().Settings);
    QSignalSpy changed(&hub_, &gui::ViewHub::settingsChanged);
    gui::ShreddingDialog dialog(ctx_);
    dialog.LoadFrom(Stats().Settings);
    dialog.FormulaField(1)->setText(QStringLiteral("n1*n2/(p1+1)"));
    dialog.DigitsBox(1)->setValue(3);
    ASSERT_TRUE(dialog.Accept());
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QStringLiteral("\n")).toStdString();
    EXPECT_EQ(changed.count(), 1);

    const TGameSettings disk = SettingsOnDisk();
    EXPECT_EQ(disk.Formulas[0], kDefaultFormulas[0]);
    EXPECT_EQ(disk.Formulas[1], "n1*n2/(p1+1)");
    EXPECT_EQ(disk.Formulas[2], kDefaultFormulas[2]);
    EXPECT_EQ(disk.FormulaDigits, (std::array<std::int32_t, 3>{2, 3, 2}));
    EXPECT_EQ(Stats().Settings.Formulas, disk.Formulas);
    EXPECT_EQ(Stats().Settings.FormulaDigits, disk.FormulaDigits);
    // The other sections are as they were.
    EXPECT_EQ(disk.Config.Cost, TMoney::FromRaw(12'345));
    EXPECT_NE(Ini().find("Keep=me"), std::string::npos);
    EXPECT_EQ(Stats().Item(Index("EVEN")).UserCaption, "Чётные");
}

// The methods take their formulas when they are registered: OK registers
// them anew, with the new formulas in their captions, and rebuilds the
// caches of the group; a formula reading the draw before loses its cache.
TEST_F(SettingsDialogs, ShreddingOkRegistersTheMethodsAnewAndRebuildsTheirCaches) {
    LoadShreddingSettings(ws_.Files().GameSettings(), Stats().Settings);
    ws_.Statistics().SetPrefetchsEnabled(true);
    ASSERT_TRUE(ws_.Statistics().BuildPrefetchFiles(true, 1u << 12));
    auto cache = [&](const char* code) { return PrefetchPath(ws_.Files().PrefetchFolder(), code); };
    const auto before = ReadPrefetch(cache("SHR1"));
    ASSERT_TRUE(before.has_value());
    ASSERT_GT(before->Records.size(), 1u);
    ASSERT_TRUE(fs::exists(cache("SHR2")));

    gui::ShreddingDialog dialog(ctx_);
    dialog.LoadFrom(Stats().Settings);
    dialog.FormulaField(0)->setText(QStringLiteral("n1+n2"));
    dialog.FormulaField(1)->setText(QStringLiteral("n1/p1"));
    ASSERT_TRUE(dialog.Accept());
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QStringLiteral("\n")).toStdString();

    EXPECT_EQ(Stats().GetMethodCaption(Index("SHR1")), "Метод шинковки 1: n1+n2");
    EXPECT_EQ(Stats().GetMethodCaption(Index("SHR2")), "Метод шинковки 2: n1/p1");
    EXPECT_EQ(Stats().GetMethodCaption(Index("SHR3")), std::string("Метод шинковки 3: ") + kDefaultFormulas[2]);
    // An integral formula: value 0 for every combination.
    const auto after = ReadPrefetch(cache("SHR1"));
    ASSERT_TRUE(after.has_value());
    ASSERT_EQ(after->Records.size(), 1u);
    EXPECT_EQ(after->Records[0].Key, (TStatKey{0, 0, 0, 0}));
    EXPECT_EQ(after->Records[0].Count, 12'271'512);
    EXPECT_FALSE(fs::exists(cache("SHR2")));
    EXPECT_TRUE(fs::exists(cache("SHR3")));
    // The user's caption of another method survives the registration.
    EXPECT_EQ(Stats().Item(Index("EVEN")).UserCaption, "Чётные");
}

// ---- proxy

TEST_F(SettingsDialogs, ProxyRefusesTextTheFileCannotHold) {
    fs::remove(ws_.Files().GameSettings());
    gui::ProxyDialog dialog(ctx_);
    dialog.LoadFrom({});
    dialog.ManualButton()->setChecked(true);
    dialog.ServerField()->setText(QStringLiteral("proxy.example"));
    dialog.UsernameField()->setText(QStringLiteral("user\U0001F600"));
    EXPECT_FALSE(dialog.Accept());
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages().back(), gui::Q(Format(texts::kUnstorableValue, {texts::kFieldProxyUsername})));
    EXPECT_EQ(dialog.focusWidget(), dialog.UsernameField());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(fs::exists(ws_.Files().GameSettings()));
}

TEST_F(SettingsDialogs, ProxyWritesAManualServerOwnerOnlyAndAutomaticSearchForgetsIt) {
    fs::remove(ws_.Files().GameSettings());
    const fs::path file = ws_.Files().GameSettings();
    {
        gui::ProxyDialog dialog(ctx_);
        dialog.LoadFrom({});
        EXPECT_TRUE(dialog.NoProxyButton()->isChecked());
        EXPECT_FALSE(dialog.ServerField()->isEnabled());
        EXPECT_EQ(dialog.PasswordField()->echoMode(), QLineEdit::Password);
        dialog.ManualButton()->setChecked(true);
        EXPECT_TRUE(dialog.ServerField()->isEnabled());
        dialog.ServerField()->setText(QStringLiteral(" 10.0.0.7 "));
        dialog.PortBox()->setValue(3128);
        dialog.UsernameField()->setText(QStringLiteral("иван"));
        dialog.PasswordField()->setText(QStringLiteral("s3cret word"));
        ASSERT_TRUE(dialog.Accept());
    }
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QStringLiteral("\n")).toStdString();
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u) << std::oct << st.st_mode;
    EXPECT_EQ(LoadProxySettings(file), (TProxySettings{kProxyManual, "10.0.0.7", 3128, "иван", "s3cret word"}));

    gui::ProxyDialog dialog(ctx_);
    dialog.LoadFrom(LoadProxySettings(file));
    EXPECT_TRUE(dialog.ManualButton()->isChecked());
    EXPECT_EQ(dialog.PasswordField()->text(), QStringLiteral("s3cret word"));
    dialog.AutomaticButton()->setChecked(true);
    ASSERT_TRUE(dialog.Accept());
    const TProxySettings automatic{kProxyAuto, "", 0, "", ""};
    EXPECT_EQ(dialog.Result(), automatic);
    EXPECT_EQ(LoadProxySettings(file), automatic);
}

// ---- the actions

TEST_F(SettingsDialogs, ActionsOpenTheDialogsOnTheCurrentSettings) {
    SaveProxySettings(ws_.Files().GameSettings(), {kProxyManual, "gate.local", 8080, "", ""});
    QWidget owner;
    const QList<QAction*> list = gui::CreateSettingsActions(ctx_, &owner);
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0], actions_.Find("EditConfig"));
    EXPECT_EQ(list[1], actions_.Find("EditShredding"));
    EXPECT_EQ(list[2], actions_.Find("EditProxy"));
    EXPECT_EQ(list[0]->text(), QStringLiteral("Параметры"));
    EXPECT_EQ(list[1]->text(), QStringLiteral("Формулы шинковки"));
    EXPECT_EQ(list[2]->text(), QStringLiteral("Параметры proxy-сервера"));

    Stats().Settings.Config.ChannelSize = 5;
    std::optional<int> channel;
    test::AnswerNextModal([&](QWidget* w) {
        if (auto* d = qobject_cast<gui::ConfigDialog*>(w)) channel = d->ChannelBox()->value();
        w->close();
    });
    list[0]->trigger();
    EXPECT_EQ(channel, 5);

    // The workspace reads the formulas with the other settings; the dialog shows them.
    ASSERT_EQ(Stats().Settings.Formulas[2], kDefaultFormulas[2]);
    QString formula;
    test::AnswerNextModal([&](QWidget* w) {
        if (auto* d = qobject_cast<gui::ShreddingDialog*>(w)) formula = d->FormulaField(2)->text();
        w->close();
    });
    list[1]->trigger();
    EXPECT_EQ(formula, QString::fromUtf8(kDefaultFormulas[2]));

    QString server;
    test::AnswerNextModal([&](QWidget* w) {
        if (auto* d = qobject_cast<gui::ProxyDialog*>(w)) server = d->ServerField()->text();
        w->close();
    });
    list[2]->trigger();
    EXPECT_EQ(server, QStringLiteral("gate.local"));
    EXPECT_EQ(Stats().Settings.Config.ChannelSize, 5) << "closing without OK changes nothing";
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QStringLiteral("\n")).toStdString();
}

}  // namespace
}  // namespace corvel
