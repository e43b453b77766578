// Settings through the window: loaded into the controls at creation, saved on closing, and
// the first-run prompt.
#include <windows.h>
#include <gmock/gmock.h>

#include "gui/main_window_fixture.h"
#include "settings/default_categories.h"
#include "settings/settings.h"
#include "ui/combo_box.h"
#include "ui/control_ids.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;

class SettingsTest : public MainWindowTest {};

const std::vector<std::u16string> kAllValues = {
    u"RowLimit", u"FileTypes", u"History", u"ServerName", u"SearchIn", u"SearchType", u"SearchOn"};

TEST_F(SettingsTest, ClosingByExitOrCloseButtonSavesEverySettingOnce) {
    struct Closing {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    const Closing closings[] = {
        {"Exit", WM_COMMAND, MAKEWPARAM(kActionExit, 0)},
        {"close button", WM_SYSCOMMAND, SC_CLOSE},
    };
    for (const Closing& closing : closings) {
        SCOPED_TRACE(closing.name);
        store = MemorySettingsStore();
        store.Seed(u"ServerName", StoredValue::Text(u"SRV"));
        store.Seed(u"History", StoredValue::Text(u"newest,older"));
        store.Seed(u"RowLimit", StoredValue::Integer(250));
        Open();
        SetComboSelection(Ui().cmbSearchIn, 2);
        SetComboSelection(Ui().cmbSearchOn, 1);
        SetComboSelection(Ui().cmbFileTypes, -1);
        EXPECT_TRUE(store.Writes().empty()) << "nothing is written before closing";

        SendMessageW(Main(), closing.message, closing.wParam, 0);
        EXPECT_EQ(window->Handle(), nullptr);
        EXPECT_EQ(store.Writes(), kAllValues);
        EXPECT_EQ(store.Read(u"RowLimit"), StoredValue::Integer(250));
        EXPECT_EQ(store.Read(u"FileTypes"), StoredValue::Text(DefaultCategories().GetCommaText()));
        EXPECT_EQ(store.Read(u"History"), StoredValue::Text(u"newest,older"));
        EXPECT_EQ(store.Read(u"ServerName"), StoredValue::Text(u"SRV"));
        EXPECT_EQ(store.Read(u"SearchIn"), StoredValue::Integer(2));
        EXPECT_EQ(store.Read(u"SearchType"), StoredValue::Integer(-1));
        EXPECT_EQ(store.Read(u"SearchOn"), StoredValue::Integer(1));
        window.reset();
        EXPECT_EQ(store.Writes().size(), kAllValues.size()) << "saved once";
    }
}

TEST_F(SettingsTest, StoredValuesReachTheControls) {
    store.Seed(u"History", StoredValue::Text(u"one,\"two words\""));
    store.Seed(u"FileTypes", StoredValue::Text(u"Docs=doc,Pictures=png"));
    store.Seed(u"SearchIn", StoredValue::Integer(1));
    store.Seed(u"SearchType", StoredValue::Integer(1));
    store.Seed(u"SearchOn", StoredValue::Integer(5));
    store.Seed(u"RowLimit", StoredValue::Text(u"500"));
    Open();
    EXPECT_THAT(ComboItems(Ui().cmbQuery), ElementsAre(u"one", u"two words"));
    EXPECT_THAT(ComboItems(Ui().cmbFileTypes), ElementsAre(u"Docs", u"Pictures"));
    EXPECT_EQ(ComboSelection(Ui().cmbSearchIn), 1);
    EXPECT_EQ(ComboSelection(Ui().cmbFileTypes), 1);
    EXPECT_EQ(ComboSelection(Ui().cmbSearchOn), -1) << "out of range: no selection";
    EXPECT_TRUE(desktop.prompts.empty());
    const PreferencesValues shown = PreferencesShown();
    EXPECT_EQ(shown.ServerName, u"SRV");
    EXPECT_EQ(shown.ResultsPerPage, u"500");
}

TEST_F(SettingsTest, EmptyCategoryListLeavesTheCategoryComboEmpty) {
    store.Seed(u"FileTypes", StoredValue::Text(u""));
    Open();
    EXPECT_TRUE(ComboItems(Ui().cmbFileTypes).empty());
    EXPECT_EQ(ComboSelection(Ui().cmbFileTypes), -1);
}

TEST_F(SettingsTest, FirstRunAsksForTheServerOnceAndStoresTheAnswerAtExit) {
    store = MemorySettingsStore();
    desktop.promptAnswers.push_back(u"\\\\FILESRV");
    Open();
    ASSERT_EQ(desktop.prompts.size(), 1u);
    EXPECT_EQ(desktop.prompts[0].caption, u"Initial configuration");
    EXPECT_EQ(desktop.prompts[0].prompt,
              u"Please enter the search engine server name. \r\n"
              u"If you do not know it, ask your network administrator.");
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(GetComputerNameW(computer, &length));
    EXPECT_EQ(desktop.prompts[0].initial, FromWide(computer)) << "the computer's own name";
    EXPECT_EQ(PreferencesShown().ServerName, u"FILESRV");
    EXPECT_TRUE(store.Writes().empty()) << "stored only at exit";

    SendMessageW(Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(store.Read(u"ServerName"), StoredValue::Text(u"FILESRV"));
    Open();
    EXPECT_EQ(desktop.prompts.size(), 1u) << "not asked again";
    EXPECT_EQ(PreferencesShown().ServerName, u"FILESRV");
}

TEST_F(SettingsTest, CancelledFirstRunKeepsTheComputerName) {
    store = MemorySettingsStore();
    Open();  // the recorder answers Cancel
    ASSERT_EQ(desktop.prompts.size(), 1u);
    EXPECT_EQ(PreferencesShown().ServerName, desktop.prompts[0].initial);
    SendMessageW(Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(store.Read(u"ServerName"), StoredValue::Text(desktop.prompts[0].initial));
}

}  // namespace
}  // namespace kestrine::testing
