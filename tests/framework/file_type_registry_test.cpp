// The ".spt" registration and its suppression flag, on keys of the test's own.
#include "app/file_type_registry.h"

#include <gtest/gtest.h>
#include <sddl.h>
#include <shlwapi.h>

#include <string>
#include <vector>

namespace {

const char kTestRoot[] = "Software\\QuilletFrameworkTest";

class FileTypeRegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kTestRoot);
        ASSERT_EQ(
            CreateKey(HKEY_CURRENT_USER, std::string(kTestRoot) + "\\machine", &roots.machine),
            ERROR_SUCCESS);
        ASSERT_EQ(
            CreateKey(HKEY_CURRENT_USER, std::string(kTestRoot) + "\\classes", &roots.classes),
            ERROR_SUCCESS);
    }
    void TearDown() override {
        ::RegCloseKey(roots.machine);
        ::RegCloseKey(roots.classes);
        ::SHDeleteKeyA(HKEY_CURRENT_USER, kTestRoot);
    }

    static LONG CreateKey(HKEY root, const std::string& path, HKEY* key) {
        return ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key,
                                 nullptr);
    }
    void SetFlag(DWORD type, const std::vector<BYTE>& bytes) {
        HKEY key;
        ASSERT_EQ(CreateKey(roots.machine, "SOFTWARE\\Microsoft\\Marrowby", &key), ERROR_SUCCESS);
        ::RegSetValueExA(key, "sysflag", 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
        ::RegCloseKey(key);
    }
    // The raw value: its type and bytes; type REG_NONE when it is missing.
    static std::pair<DWORD, std::string> Value(HKEY root, const char* path, const char* name) {
        HKEY key;
        if (::RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return {REG_NONE, ""};
        char data[512] = {};
        DWORD type = REG_NONE, size = sizeof(data);
        LONG result =
            ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        ::RegCloseKey(key);
        if (result != ERROR_SUCCESS) return {REG_NONE, ""};
        return {type, std::string(data, size)};
    }

    file_type_registry::Roots roots;
};

TEST_F(FileTypeRegistryTest, OnlyTheNumberOneSuppresses) {
    EXPECT_FALSE(file_type_registry::RegistrationSuppressed(roots));  // key missing
    struct Case {
        DWORD type;
        std::vector<BYTE> bytes;
        bool suppressed;
    };
    const Case cases[] = {
        {REG_DWORD, {1, 0, 0, 0}, true},
        {REG_BINARY, {1, 0, 0, 0}, true},  // any type will do
        {REG_BINARY, {1}, true},           // shorter values fill a zeroed buffer
        {REG_DWORD, {0, 0, 0, 0}, false},
        {REG_DWORD, {2, 0, 0, 0}, false},
        {REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0}, false},  // too long to be read
        {REG_SZ, {'1', 0}, false},
    };
    for (const Case& c : cases) {
        SetFlag(c.type, c.bytes);
        EXPECT_EQ(file_type_registry::RegistrationSuppressed(roots), c.suppressed)
            << "type " << c.type << ", " << c.bytes.size() << " bytes";
    }
}

TEST_F(FileTypeRegistryTest, WritesTheMarkerTheTypeAndTheIconReference) {
    // The path comes as UTF-8 and is read back here in the system code page, 936.
    const std::string module = "D:\\工具\\Quillet.exe";
    for (int run = 0; run < 2; ++run) {
        EXPECT_TRUE(file_type_registry::Register(u8"D:\\工具\\Quillet.exe", roots));
        const std::string installed("\x01\x00\x00\x00", 4);
        EXPECT_EQ(Value(roots.machine, "Software\\Microsoft\\Marrowby", "Installed"),
                  std::make_pair(DWORD(REG_DWORD), installed));
        // String lengths include the terminating zero.
        EXPECT_EQ(Value(roots.classes, ".spt", nullptr),
                  std::make_pair(DWORD(REG_SZ), std::string("sptfile", 8)));
        std::string icon = module + ",0";
        EXPECT_EQ(Value(roots.classes, "sptfile\\DefaultIcon", nullptr),
                  std::make_pair(DWORD(REG_SZ), std::string(icon.c_str(), icon.size() + 1)));
    }
}

// Refuses value writes (and so opening with all rights) to everyone, but allows deleting.
void DenyWrites(HKEY root, const char* path) {
    HKEY key;
    ASSERT_EQ(::RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA(
        "D:P(D;;0x2;;;WD)(A;;KA;;;WD)", SDDL_REVISION_1, &sd, nullptr));
    EXPECT_EQ(::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd), ERROR_SUCCESS);
    ::LocalFree(sd);
    ::RegCloseKey(key);
}

TEST_F(FileTypeRegistryTest, WithoutTheMarkerKeyNothingIsWritten) {
    DenyWrites(roots.machine, "Software\\Microsoft\\Marrowby");
    EXPECT_FALSE(file_type_registry::Register("C:\\q.exe", roots));
    EXPECT_EQ(Value(roots.classes, ".spt", nullptr).first, DWORD(REG_NONE));
}

TEST_F(FileTypeRegistryTest, StopsAtTheIconWithTheTypeWritten) {
    DenyWrites(roots.classes, "sptfile\\DefaultIcon");
    EXPECT_FALSE(file_type_registry::Register("C:\\q.exe", roots));
    EXPECT_EQ(Value(roots.machine, "Software\\Microsoft\\Marrowby", "Installed").first,
              DWORD(REG_DWORD));
    EXPECT_EQ(Value(roots.classes, ".spt", nullptr).second, std::string("sptfile", 8));
    EXPECT_EQ(Value(roots.classes, "sptfile\\DefaultIcon", nullptr).first, DWORD(REG_NONE));
}

}  // namespace
