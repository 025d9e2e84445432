// The resources as the resource compiler stored them in Quillet.exe, read back through the
// system: the string table against the texts the code shows, the version record, the icon
// and cursor images, and the template facts a resource compiler can silently change.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "dialog_template.h"
#include "driver/text.h"
#include "platform/framework_texts.h"
#include "quillet_exe.h"
#include "res/resource.h"

namespace e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr DWORD kPageStyle = WS_CHILD | WS_DISABLED | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
constexpr DWORD kStaticGroup = WS_GROUP;

// The resource compiler names a class by its ordinal or by its name.
bool IsClass(const TemplateItem& item, const wchar_t* ordinal, const wchar_t* name) {
    return item.class_name == ordinal || lstrcmpiW(item.class_name.c_str(), name) == 0;
}
bool IsStatic(const TemplateItem& item) {
    return IsClass(item, L"#130", L"Static");
}
bool IsEdit(const TemplateItem& item) {
    return IsClass(item, L"#129", L"Edit");
}

class ResourcesTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_module = LoadLibraryExW(QuilletExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        if (s_module) FreeLibrary(s_module);
    }
    void SetUp() override {
        ASSERT_NE(s_module, nullptr) << "cannot load " << ToUtf8(QuilletExe());
    }

    static std::string LoadAnsiString(UINT id) {
        char buffer[1024] = "";
        const int length = LoadStringA(s_module, id, buffer, sizeof buffer);
        return std::string(buffer, length);
    }
    static const BYTE* Resource(int id, int type, DWORD* size) {
        HRSRC found = FindResourceW(s_module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
        *size = found ? SizeofResource(s_module, found) : 0;
        return found ? static_cast<const BYTE*>(LockResource(LoadResource(s_module, found)))
                     : nullptr;
    }

    static HMODULE s_module;
};
HMODULE ResourcesTest::s_module = nullptr;

TEST_F(ResourcesTest, StringTableHoldsTheFrameworkTextsByteForByte) {
    ASSERT_EQ(GetACP(), 936u) << "the zh_CN locale is missing: texts would not be code page 936";
    int shown = 0;
    for (UINT id = 61440; id < 61904; ++id) {
        const std::string expected = framework_text::Get(static_cast<int>(id));
        EXPECT_EQ(LoadAnsiString(id), expected) << "string " << id;
        shown += !expected.empty();
    }
    EXPECT_EQ(shown, 23);
    EXPECT_EQ(LoadAnsiString(IDS_PROPSHT_CAPTION), "Property Sheet");
}

TEST_F(ResourcesTest, VersionRecordIsChinesePrcCodePage936) {
    const std::wstring exe = QuilletExe();
    DWORD ignored = 0;
    std::vector<BYTE> data(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const WORD project[] = {PROJECT_VERSION_NUMBERS};
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(project[1], project[0]));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(project[3], project[2]));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 936);

    wchar_t* name = nullptr;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\080403a8\\InternalName",
                               reinterpret_cast<void**>(&name), &length));
    EXPECT_STREQ(name, L"Fendle");
}

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST_F(ResourcesTest, IconIsTheOnlyGroupWithTwelveImagesInOrder) {
    int groups = 0;
    EnumResourceNamesW(s_module, MAKEINTRESOURCEW(14), CountName,
                       reinterpret_cast<LONG_PTR>(&groups));
    EXPECT_EQ(groups, 1) << "icon 128 must be the executable's first icon";

    DWORD size = 0;
    const BYTE* group = Resource(IDR_MAINFRAME, 14, &size);  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    ASSERT_EQ(size, 6u + 14u * count);
    std::vector<std::pair<int, int>> images;  // pixels, bits per pixel
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = group + 6 + 14 * i;
        const int width = entry[0] ? entry[0] : 256;
        images.emplace_back(width, *reinterpret_cast<const WORD*>(entry + 6));
    }
    EXPECT_THAT(images, ElementsAreArray(std::vector<std::pair<int, int>>{{48, 8},
                                                                          {32, 8},
                                                                          {24, 8},
                                                                          {16, 8},
                                                                          {128, 32},
                                                                          {96, 32},
                                                                          {72, 32},
                                                                          {64, 32},
                                                                          {48, 32},
                                                                          {32, 32},
                                                                          {24, 32},
                                                                          {16, 32}}));
}

TEST_F(ResourcesTest, HandCursorIs32PixelsIn16ColoursWithItsHotSpotAtTheFingertip) {
    DWORD size = 0;
    const BYTE* group = Resource(IDC_HAND_LINK, 12, &size);  // RT_GROUP_CURSOR
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(*reinterpret_cast<const WORD*>(group + 4), 1) << "one image";
    const WORD image_id = *reinterpret_cast<const WORD*>(group + 6 + 12);
    const BYTE* image = Resource(image_id, 1, &size);  // RT_CURSOR: hot spot, then the DIB
    ASSERT_NE(image, nullptr);
    const auto* hot_spot = reinterpret_cast<const WORD*>(image);
    EXPECT_EQ(hot_spot[0], 12);
    EXPECT_EQ(hot_spot[1], 1);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image + 4);
    EXPECT_EQ(header->biWidth, 32);
    EXPECT_EQ(header->biHeight, 64);  // image and mask
    EXPECT_EQ(header->biBitCount, 4);
}

TEST_F(ResourcesTest, HostDialogTemplate) {
    const DialogTemplate host = ReadDialogTemplate(s_module, IDD_MAIN);
    ASSERT_TRUE(host.found);
    EXPECT_EQ(host.caption, L"Fendle");
    EXPECT_EQ(host.cx, 320);
    EXPECT_EQ(host.cy, 184);
    EXPECT_EQ(host.font_points, 9);
    EXPECT_EQ(host.font, L"宋体");
    EXPECT_EQ(host.style, DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                DS_MODALFRAME | DS_SETFONT));
}

// Template order is the tab order and decides the radio groups, so it is checked whole.
TEST_F(ResourcesTest, PageTemplatesHaveTheirCaptionSizeFontAndControlOrder) {
    struct Page {
        int id;
        const wchar_t* caption;
        int cx, cy;
        std::vector<DWORD> ids;
    };
    const DWORD s = IDC_STATIC_LABEL;
    const Page pages[] = {
        {IDD_SPLIT_PAGE, L"文件分割", 315, 201, {s,    1003, 1002, s,    s,    s, 1004, 1005,
                                                 s,    1000, s,    1030, 1008, s, s,    s,
                                                 1026, s,    1027, 1028, 1029, s}},
        {IDD_MERGE_PAGE, L"文件合并", 320, 197, {s, 1003, 1002, s, s, 1004, 1005, s, 1010, s, s}},
        {IDD_RENAME_PAGE, L"批量重命名", 317, 192, {1019, 1013, 1014, 1026, 1017, 1021, 1001,
                                                    1020, 1024, 1025, 1000, 1022, 1023, 1018,
                                                    s,    s,    1004, s,    s,    s,    s}},
        {IDD_ABOUT_PAGE, L"关于", 319, 198, {s, s, s, s, s}},
    };
    for (const Page& page : pages) {
        SCOPED_TRACE(page.id);
        const DialogTemplate t = ReadDialogTemplate(s_module, page.id);
        ASSERT_TRUE(t.found);
        EXPECT_EQ(t.caption, page.caption);
        EXPECT_EQ(t.cx, page.cx);
        EXPECT_EQ(t.cy, page.cy);
        EXPECT_EQ(t.style, kPageStyle);
        EXPECT_EQ(t.font_points, 8);
        EXPECT_EQ(t.font, L"MS Sans Serif");
        std::vector<DWORD> ids;
        for (const TemplateItem& item : t.items) ids.push_back(item.id);
        EXPECT_EQ(ids, page.ids);
    }
}

TEST_F(ResourcesTest, SplitPageStaticsStartGroupsAndItsPathEditsAreReadOnly) {
    const DialogTemplate t = ReadDialogTemplate(s_module, IDD_SPLIT_PAGE);
    ASSERT_TRUE(t.found);
    for (const TemplateItem& item : t.items) {
        if (IsStatic(item)) {
            EXPECT_TRUE(item.style & kStaticGroup) << ToUtf8(item.title);
        }
    }
    for (DWORD id : {IDC_SPLIT_SOURCE_PATH, IDC_SPLIT_TARGET_FOLDER, IDC_SPLIT_SOURCE_MB}) {
        EXPECT_TRUE(t.Item(id)->style & ES_READONLY) << id;
    }
    for (DWORD id : {IDC_SPLIT_CHUNK_MB, IDC_SPLIT_PART_COUNT}) {
        EXPECT_FALSE(t.Item(id)->style & ES_READONLY) << id;
        EXPECT_TRUE(t.Item(id)->style & WS_TABSTOP) << id;
    }
}

TEST_F(ResourcesTest, RenamePageRadiosFormTwoGroupsWithoutTabStops) {
    const DialogTemplate t = ReadDialogTemplate(s_module, IDD_RENAME_PAGE);
    ASSERT_TRUE(t.found);
    for (DWORD id : {IDC_RENAME_FILES_ONLY, IDC_RENAME_FOLDERS_ONLY, IDC_RENAME_REPLACE_TEXT,
                     IDC_RENAME_CHANGE_NAME, IDC_RENAME_CHANGE_EXT}) {
        const DWORD style = t.Item(id)->style;
        EXPECT_EQ(style & 0xF, DWORD(BS_AUTORADIOBUTTON)) << id;
        EXPECT_FALSE(style & WS_TABSTOP) << id;
        EXPECT_EQ(bool(style & WS_GROUP), id == IDC_RENAME_REPLACE_TEXT) << id;
    }
    EXPECT_TRUE(t.items[14].style & WS_GROUP) << "the folder label ends the rule group";
    EXPECT_EQ(t.Item(IDC_RENAME_NUMBER_FIRST)->style & (0xF | WS_TABSTOP),
              DWORD(BS_AUTOCHECKBOX | WS_TABSTOP));
    for (const TemplateItem& item : t.items) {
        EXPECT_FALSE(IsEdit(item) && (item.style & ES_READONLY)) << item.id;
    }
}

TEST_F(ResourcesTest, AboutPageShowsTheIconAndTheVersionLineWithoutPrefixes) {
    const DialogTemplate t = ReadDialogTemplate(s_module, IDD_ABOUT_PAGE);
    ASSERT_TRUE(t.found);
    const TemplateItem& icon = t.items[0];
    EXPECT_TRUE(IsStatic(icon));
    EXPECT_EQ(icon.title, L"#128");
    EXPECT_EQ(icon.style & SS_TYPEMASK, DWORD(SS_ICON));
    EXPECT_THAT((std::vector<int>{icon.x, icon.y, icon.cx, icon.cy}), ElementsAre(11, 19, 20, 20));

    const TemplateItem& version = t.items[1];
    EXPECT_EQ(version.title, L"Quillet V1.6 For Win9x/NT/XP/2003,Vista-2007.8");
    EXPECT_TRUE(version.style & SS_NOPREFIX);
    EXPECT_EQ(std::count(t.items[3].title.begin(), t.items[3].title.end(), L'\n'), 1)
        << "the usage notice has two lines";
}

}  // namespace
}  // namespace e2e
