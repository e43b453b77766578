// Copying the selected row (Ctrl+C, Ctrl+Shift+C, the popup's Copy Path) and dragging rows out
// as file drops.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "gui/key_press.h"
#include "gui/loaded_rows.h"
#include "gui/main_window_fixture.h"
#include "ui/control_ids.h"
#include "ui/file_drop_source.h"

namespace kestrine::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const TFileSearchItem kHitInFolder{u"\\\\PC", u"share\\docs", u"a.txt", 1234, 45000.5, 32};
const TFileSearchItem kHitAtShareRoot{u"\\\\PC", u"", u"root.txt", 7, 45000.5, 32};
// A computer name without its backslashes makes a relative path.
const TFileSearchItem kHitWithoutNetworkPath{u"PC", u"share", u"x.exe", 1, 45000.5, 32};

class CopyAndDragTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        store.Seed(u"ServerName", StoredValue::Text(u"."));
    }

    void Press(HWND target, WORD key, std::initializer_list<int> modifiers = {}) {
        PressKeyWith(*window, target, key, modifiers);
    }

    // The text a list shows in a cell.
    static std::u16string Cell(HWND list, int row, int column) {
        wchar_t buffer[512] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = static_cast<int>(std::size(buffer));
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return FromWide(buffer);
    }

    static std::u16string CellsJoined(HWND list, int row, int columns) {
        std::u16string line;
        for (int column = 0; column < columns; ++column) {
            line += (column > 0 ? u"\t" : u"") + Cell(list, row, column);
        }
        return line;
    }

    // The notification a list sends when the user starts dragging a row with the left button.
    void BeginDrag(HWND list, int id, int row) {
        NMLISTVIEW drag{};
        drag.hdr = NMHDR{list, static_cast<UINT_PTR>(id), static_cast<UINT>(LVN_BEGINDRAG)};
        drag.iItem = row;
        SendMessageW(Main(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&drag));
    }

    // "..", then the folder docs (id 9), then the file b.txt, in \\PC\share.
    void ShowShareFolder(const std::u16string& path = u"\\\\PC\\share") {
        LoadFolderBelowTopLevel(
            *window, desktop, path,
            {TFileBrowserItem{false, 0, u"b.txt", 2048}, TFileBrowserItem{true, 9, u"docs", 0}});
    }
};

TEST_F(CopyAndDragTest, CtrlCCopiesTheSelectedResultsPathAndCtrlShiftCItsCells) {
    Open();
    LoadSearchHits(*window, {kHitInFolder, kHitAtShareRoot});
    const HWND list = Ui().ViewResults;
    MarkClipboard();
    Press(list, 'C', {VK_CONTROL});
    EXPECT_EQ(ClipboardText(), u"marker") << "no selected row, nothing copied";

    SelectOnly(list, 0);
    Press(list, 'C');
    EXPECT_EQ(ClipboardText(), u"marker") << "C alone";
    Press(list, 'C', {VK_CONTROL});
    EXPECT_EQ(ClipboardText(), u"\\\\PC\\share\\docs\\a.txt");
    Press(list, 'C', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(ClipboardText(), CellsJoined(list, 0, 5));
    EXPECT_TRUE(ClipboardText().starts_with(u"a.txt\tshare\\docs\tPC\t")) << "as the list shows";

    SelectOnly(list, 1);
    Press(list, 'C', {VK_CONTROL});
    EXPECT_EQ(ClipboardText(), u"\\\\PC\\root.txt") << "the path Open uses";
}

TEST_F(CopyAndDragTest, CtrlCInTheQueryBoxCopiesItsOwnText) {
    Open();
    LoadSearchHits(*window, {kHitInFolder});
    SelectOnly(Ui().ViewResults, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(Ui().cmbQuery, &info));
    SetWindowTextW(Ui().cmbQuery, L"typed words");
    SendMessageW(info.hwndItem, EM_SETSEL, 0, -1);
    MarkClipboard();
    Press(info.hwndItem, 'C', {VK_CONTROL});
    EXPECT_EQ(ClipboardText(), u"typed words") << "not the selected row's path";
}

TEST_F(CopyAndDragTest, BrowserListCopiesFilesAndFoldersButNotTheParentEntry) {
    Open();
    ShowShareFolder();
    const HWND list = Ui().ViewContent;
    SelectOnly(list, 0);
    MarkClipboard();
    Press(list, 'C', {VK_CONTROL});
    EXPECT_EQ(ClipboardText(), u"marker") << "\"..\" has no path of its own";

    SelectOnly(list, 1);
    Press(list, 'C', {VK_CONTROL});
    EXPECT_EQ(ClipboardText(), u"\\\\PC\\share\\docs");
    SelectOnly(list, 2);
    Press(list, 'C', {VK_CONTROL});
    EXPECT_EQ(ClipboardText(), u"\\\\PC\\share\\b.txt");
    Press(list, 'C', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(ClipboardText(), u"b.txt\t" + Cell(list, 2, 1));
    EXPECT_NE(Cell(list, 2, 1), u"") << "the size as shown";
}

TEST_F(CopyAndDragTest, PopupCopyPathIsEnabledLikeOpenAndCopiesItsPath) {
    Open();
    LoadSearchHits(*window, {kHitInFolder});
    SelectOnly(Ui().ViewResults, 0);
    MarkClipboard();
    desktop.popupChoices.push_back(kActionCopyPath);
    SendMessageW(Main(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Ui().ViewResults), -1);
    ASSERT_EQ(desktop.popups.size(), 1u);
    const auto& items = desktop.popups[0].items;
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[4].text, u"-");
    EXPECT_EQ(items[5].text, u"Copy &Path");
    EXPECT_TRUE(items[5].enabled);
    EXPECT_FALSE(items[5].isDefault);
    EXPECT_EQ(ClipboardText(), u"\\\\PC\\share\\docs\\a.txt");
}

TEST_F(CopyAndDragTest, DraggingAResultOffersOnlyANetworkPath) {
    Open();
    LoadSearchHits(*window, {kHitInFolder, kHitWithoutNetworkPath});
    BeginDrag(Ui().ViewResults, kIdViewResults, 0);
    BeginDrag(Ui().ViewResults, kIdViewResults, 1);
    BeginDrag(Ui().ViewResults, kIdViewResults, -1);
    EXPECT_THAT(desktop.dragged, ElementsAre(u"\\\\PC\\share\\docs\\a.txt"));
}

TEST_F(CopyAndDragTest, DraggingABrowserRowOffersFilesAndFoldersButNotTheParentEntry) {
    Open();
    ShowShareFolder();
    for (int row = 0; row < 3; ++row) {
        BeginDrag(Ui().ViewContent, kIdViewContent, row);
    }
    EXPECT_THAT(desktop.dragged, ElementsAre(u"\\\\PC\\share\\docs", u"\\\\PC\\share\\b.txt"));

    desktop.dragged.clear();
    ShowShareFolder(u"PC\\share");  // a path line without its backslashes
    BeginDrag(Ui().ViewContent, kIdViewContent, 2);
    EXPECT_THAT(desktop.dragged, IsEmpty());
}

FORMATETC Format(CLIPFORMAT format, DWORD media = TYMED_HGLOBAL) {
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, media};
}

TEST(FileDropDataTest, OffersTheOnePathAsAWideFileDropAndNothingElse) {
    const std::u16string path = u"\\\\PC\\share\\docs\\\u00e9t\u00e9.txt";
    const ComPtr<IDataObject> data = CreateFileDropData(path);
    ASSERT_TRUE(data);

    FORMATETC fileDrop = Format(CF_HDROP);
    EXPECT_EQ(data->QueryGetData(&fileDrop), S_OK);
    STGMEDIUM medium{};
    ASSERT_EQ(data->GetData(&fileDrop, &medium), S_OK);
    ASSERT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    EXPECT_EQ(DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0), 1u);
    wchar_t name[MAX_PATH] = {};
    ASSERT_EQ(DragQueryFileW(drop, 0, name, MAX_PATH), path.size());
    EXPECT_EQ(FromWide(name), path);
    const auto* header = static_cast<const DROPFILES*>(GlobalLock(medium.hGlobal));
    ASSERT_NE(header, nullptr);
    EXPECT_TRUE(header->fWide);
    const auto* names =
        reinterpret_cast<const char16_t*>(reinterpret_cast<const BYTE*>(header) + header->pFiles);
    EXPECT_EQ(std::u16string(names), path);
    EXPECT_EQ(names[path.size() + 1], u'\0') << "the list ends with an empty name";
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);

    for (FORMATETC other :
         {Format(CF_UNICODETEXT), Format(CF_TEXT), Format(CF_HDROP, TYMED_ISTREAM)}) {
        EXPECT_EQ(data->QueryGetData(&other), DV_E_FORMATETC);
        STGMEDIUM none{};
        EXPECT_EQ(data->GetData(&other, &none), DV_E_FORMATETC);
    }

    ComPtr<IEnumFORMATETC> formats;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, formats.Put()), S_OK);
    FORMATETC listed[2] = {};
    ULONG count = 0;
    formats->Next(2, listed, &count);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(listed[0].cfFormat, CF_HDROP);
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, formats.Put()), E_NOTIMPL);

    ComPtr<IDropTarget> notOffered;
    EXPECT_EQ(
        data->QueryInterface(__uuidof(IDropTarget), reinterpret_cast<void**>(notOffered.Put())),
        E_NOINTERFACE);
    ComPtr<IDataObject> again;
    ASSERT_EQ(data->QueryInterface(__uuidof(IDataObject), reinterpret_cast<void**>(again.Put())),
              S_OK);
    EXPECT_EQ(again.get(), data.get());
    // Two references now: ours and again's. One more taken and given back leaves two.
    data->AddRef();
    EXPECT_EQ(data->Release(), 2u);
}

}  // namespace
}  // namespace kestrine::testing
