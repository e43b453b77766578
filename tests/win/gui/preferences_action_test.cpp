// The window's Preferences action: what the dialog starts from, and what OK and Cancel do to
// the server name, the categories with their combo, and the page size.
#include <windows.h>
#include <gmock/gmock.h>

#include "gui/main_window_fixture.h"
#include "settings/settings.h"
#include "ui/combo_box.h"
#include "ui/control_ids.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;

class PreferencesActionTest : public MainWindowTest {
  protected:
    void SetUp() override {
        store.Seed(u"ServerName", StoredValue::Text(u"filesrv"));
        store.Seed(u"FileTypes", StoredValue::Text(u"Any=*,Audio=mp3,\"Video=avi,mpg\""));
        store.Seed(u"RowLimit", StoredValue::Integer(250));
        store.Seed(u"SearchType", StoredValue::Integer(2));
    }

    void Preferences() { SendMessageW(Main(), WM_COMMAND, MAKEWPARAM(kActionPreferences, 0), 0); }
};

TEST_F(PreferencesActionTest, OkTakesTheValuesAndRebuildsTheCategoryCombo) {
    Open();
    ASSERT_EQ(ComboSelection(Ui().cmbFileTypes), 2);
    desktop.preferencesAnswers.push_back(PreferencesValues{
        u"\\\\newsrv", {{u"Video", u"avi"}, {u"Docs", u"txt,doc"}, {u"Any", u"*"}}, u"0"});
    Preferences();

    EXPECT_THAT(ComboItems(Ui().cmbFileTypes), ElementsAre(u"Video", u"Docs", u"Any"));
    EXPECT_EQ(ComboSelection(Ui().cmbFileTypes), 0);
    EXPECT_TRUE(store.Writes().empty()) << "the settings are stored at exit";
    EXPECT_EQ(PreferencesShown(),
              (PreferencesValues{
                  u"NEWSRV", {{u"Video", u"avi"}, {u"Docs", u"txt,doc"}, {u"Any", u"*"}}, u"0"}));

    window.reset();
    EXPECT_EQ(store.Read(u"ServerName"), StoredValue::Text(u"NEWSRV"));
    EXPECT_EQ(store.Read(u"FileTypes"), StoredValue::Text(u"Video=avi,\"Docs=txt,doc\",Any=*"));
    EXPECT_EQ(store.Read(u"RowLimit"), StoredValue::Integer(0));
}

TEST_F(PreferencesActionTest, OkWithAPageSizeThatIsNoNumberKeepsThePageSize) {
    Open();
    desktop.preferencesAnswers.push_back(PreferencesValues{u"srv", {{u"Any", u"*"}}, u"abc"});
    Preferences();
    EXPECT_EQ(PreferencesShown(), (PreferencesValues{u"SRV", {{u"Any", u"*"}}, u"250"}));
    EXPECT_THAT(ComboItems(Ui().cmbFileTypes), ElementsAre(u"Any"));
}

TEST_F(PreferencesActionTest, DialogStartsFromTheSettingsAndCancelLeavesEverything) {
    Open();
    Preferences();  // the recorder answers Cancel
    ASSERT_EQ(desktop.preferences.size(), 1u);
    EXPECT_EQ(
        desktop.preferences[0],
        (PreferencesValues{
            u"filesrv", {{u"Any", u"*"}, {u"Audio", u"mp3"}, {u"Video", u"avi,mpg"}}, u"250"}));
    const PreferencesValues first = desktop.preferences[0];
    EXPECT_EQ(PreferencesShown(), first) << "Cancel changed nothing";
    EXPECT_THAT(ComboItems(Ui().cmbFileTypes), ElementsAre(u"Any", u"Audio", u"Video"));
    EXPECT_EQ(ComboSelection(Ui().cmbFileTypes), 2);
}

}  // namespace
}  // namespace kestrine::testing
