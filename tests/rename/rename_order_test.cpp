// The order a rename takes entries in, on real folders: what each order puts first is
// written out by hand, and the case rule is checked against the system's own.
#include "rename/rename_order.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "folder_fixture.h"
#include "platform/windows_case.h"
#include "recording_notifications.h"
#include "rename/rename_preview.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <clocale>
#include <cwctype>
#endif

namespace {

struct OrderCase {
    const char* what;
    RenameOrder order;
    std::vector<std::string> names;  // created in this order
    std::vector<std::string> taken;  // the order the rename takes them in
    std::vector<int> ages = {};      // for time: seconds before now, one for each name
};

const OrderCase kOrderCases[] = {
    {"case ignored; '_' after the letters, as uppercase letters sort",
     RenameOrder::kName,
     {"b.txt", "_x.txt", "C.txt", "a_1.txt", "A.txt"},
     {"A.txt", "a_1.txt", "b.txt", "C.txt", "_x.txt"}},
    {"letters outside ASCII by their uppercase",
     RenameOrder::kName,
     {u8"é.txt", "F.txt", u8"É1.txt"},
     {"F.txt", u8"é.txt", u8"É1.txt"}},
    {"UTF-16 units: a character past U+FFFF before U+FF21",
     RenameOrder::kName,
     {u8"Ａ.txt", u8"😀.txt"},
     {u8"😀.txt", u8"Ａ.txt"}},
    {"natural: digit runs by value, case ignored",
     RenameOrder::kNatural,
     {"IMG_10.jpg", "IMG_2.jpg", "img_1.jpg", "IMG_02b.jpg"},
     {"img_1.jpg", "IMG_2.jpg", "IMG_02b.jpg", "IMG_10.jpg"}},
    {"natural: runs longer than any integer",
     RenameOrder::kNatural,
     {"x18446744073709551617.t", "x18446744073709551616.t", "x9.t"},
     {"x9.t", "x18446744073709551616.t", "x18446744073709551617.t"}},
    {"time: oldest first, equal times by name",
     RenameOrder::kTime,
     {"a.t", "b.t", "D.t", "c.t"},
     {"b.t", "c.t", "D.t", "a.t"},
     {100, 300, 200, 200}},
};

TEST(RenameOrder, EachOrderTakesTheEntriesAsWrittenOut) {
    for (const OrderCase& c : kOrderCases) {
        SCOPED_TRACE(c.what);
        FolderFixture dir;
        const auto now = std::filesystem::file_time_type::clock::now();
        for (size_t i = 0; i < c.names.size(); ++i) {
            dir.AddFile(c.names[i]);
            if (c.ages.empty()) continue;
            std::filesystem::last_write_time(std::filesystem::u8path(dir.PathOf(c.names[i])),
                                             now - std::chrono::seconds(c.ages[i]));
        }
        RenameSettings s;
        s.m_strFolder = dir.Root();
        std::vector<std::string> taken;
        RecordingNotifications notify;
        int32_t serial = 0;
        PreviewBatchRename(
            s, serial, notify,
            [&](const std::string& from, const std::string&) { taken.push_back(from); }, c.order);
        EXPECT_EQ(c.taken, taken);
    }
}

// Every UTF-16 unit goes to the uppercase the system gives it.
TEST(WindowsCase, UpcaseIsTheSystemsForEveryUnit) {
#ifdef _WIN32
    using Upcase = WCHAR(WINAPI*)(WCHAR);
    const auto system = reinterpret_cast<Upcase>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlUpcaseUnicodeChar")));
    ASSERT_NE(nullptr, system);
#else
    // The C library knows no Windows; its mappings that lead back are the ones Windows
    // makes (checked against the system itself on the Windows build).
    ASSERT_NE(nullptr, std::setlocale(LC_CTYPE, "C.UTF-8"));
    const auto system = [](wint_t unit) {
        const wint_t upper = std::towupper(unit);
        return std::towlower(upper) == unit ? upper : unit;
    };
#endif
    int differ = 0;
    for (unsigned unit = 0; unit < 0x10000; ++unit) {
        const unsigned expected = system(static_cast<wchar_t>(unit));
        if (expected > 0xFFFF || (unit >= 0xD800 && unit < 0xE000)) continue;
        const unsigned got = windows_case::Upcase(static_cast<char16_t>(unit));
        if (got != expected && ++differ <= 10) {
            ADD_FAILURE() << std::hex << "U+" << unit << ": " << got << ", system " << expected;
        }
    }
    EXPECT_EQ(0, differ);
}

}  // namespace
