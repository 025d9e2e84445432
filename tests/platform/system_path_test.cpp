#include "platform/win32/system_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/temp_dir.h"
#include "platform/folder.h"

namespace {

struct CurrentFolder {
    explicit CurrentFolder(const std::string& p) {
        std::filesystem::current_path(std::filesystem::u8path(p));
    }
    ~CurrentFolder() { std::filesystem::current_path(old); }
    const std::filesystem::path old = std::filesystem::current_path();
};

const std::string p(100, 'p'), q(100, 'q'), r(100, 'r');
const std::wstring wp(100, L'p'), wq(100, L'q'), wr(100, L'r');

// The system takes a path of 260 characters or more only in its prefixed full form,
// which it takes as it is: normalised, with backslashes.
TEST(SystemPath, APathWhoseFullFormIsLongGoesPrefixedAndNormalised) {
    TempDir dir;
    ASSERT_TRUE(folder::Create(dir.Join(p)));
    CurrentFolder current(dir.Join(p));
    const std::wstring here = std::filesystem::current_path().wstring();
    const struct {
        std::string path;
        std::wstring wanted;
    } rows[] = {
        {"C:\\a\\b.txt", L"C:\\a\\b.txt"},
        {q + "\\" + r, L"\\\\?\\" + here + L"\\" + wq + L"\\" + wr},
        {"C:/" + p + "/x/../" + q + "/" + r, L"\\\\?\\C:\\" + wp + L"\\" + wq + L"\\" + wr},
        {"\\\\server\\share\\" + p + "\\" + q + "\\" + r,
         L"\\\\?\\UNC\\server\\share\\" + wp + L"\\" + wq + L"\\" + wr},
        {"\\\\?\\C:\\" + p + "\\..\\" + q + "\\" + r,
         L"\\\\?\\C:\\" + wp + L"\\..\\" + wq + L"\\" + wr},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(system_path::ForCall(row.path), row.wanted) << row.path;
    }
}

}  // namespace
