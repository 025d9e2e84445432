// The ".spt" registration at start-up, driven by the "sysflag" value, read back from the
// registry of the Wine prefix that the program wrote to.
#include <gtest/gtest.h>

#include "driver/registry.h"
#include "quillet_test.h"

namespace e2e {
namespace {

const wchar_t kFlagKey[] = L"SOFTWARE\\Microsoft\\Marrowby";
const wchar_t kIconKey[] = L"sptfile\\DefaultIcon";

class RegistrationTest : public QuilletTest {
  protected:
    void SetUp() override {
        QuilletTest::SetUp();
        if (!IsSkipped()) ForgetRegistration();
    }
    void TearDown() override {
        QuilletTest::TearDown();
        ForgetRegistration();
    }
    static void ForgetRegistration() {
        ASSERT_TRUE(UnlockKey(HKEY_LOCAL_MACHINE, kFlagKey));
        ASSERT_TRUE(UnlockKey(HKEY_CLASSES_ROOT, kIconKey));
        ASSERT_TRUE(DeleteTree(HKEY_LOCAL_MACHINE, kFlagKey));
        ASSERT_TRUE(DeleteTree(HKEY_CLASSES_ROOT, L".spt"));
        ASSERT_TRUE(DeleteTree(HKEY_CLASSES_ROOT, L"sptfile"));
    }
    // One start and close of the program; the registration happens before the sheet shows.
    void RunOnce(const std::wstring& exe = QuilletExe()) {
        ASSERT_TRUE(Start(exe));
        ASSERT_TRUE(CloseAndWaitExit());
    }
    // The three entries, as the program's code page sees them.
    void ExpectRegisteredFor(const std::wstring& exe) {
        const RegValue installed = ReadValueAnsi(HKEY_LOCAL_MACHINE, kFlagKey, L"Installed");
        EXPECT_TRUE(installed.found);
        EXPECT_EQ(installed.type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(installed.bytes, std::string("\1\0\0\0", 4));

        const RegValue type = ReadValueAnsi(HKEY_CLASSES_ROOT, L".spt", L"");
        EXPECT_EQ(type.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(type.bytes, std::string("sptfile", 8));

        const RegValue icon = ReadValueAnsi(HKEY_CLASSES_ROOT, kIconKey, L"");
        EXPECT_EQ(icon.type, static_cast<DWORD>(REG_SZ));
        const std::string path = ToCodePage(exe, 936) + ",0";
        EXPECT_EQ(icon.bytes, std::string(path.c_str(), path.size() + 1));
    }
    void ExpectNothingWritten() {
        EXPECT_FALSE(ReadValueAnsi(HKEY_LOCAL_MACHINE, kFlagKey, L"Installed").found);
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L".spt"));
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"sptfile"));
    }
};

TEST_F(RegistrationTest, EveryStartWritesMarkerTypeAndIconWhenTheFlagIsAbsent) {
    RunOnce();
    ExpectRegisteredFor(QuilletExe());

    // The marker is never read: the next start writes all three again.
    ForgetRegistration();
    RunOnce();
    ExpectRegisteredFor(QuilletExe());
}

TEST_F(RegistrationTest, FlagOneSuppressesEveryWriteWhateverItsType) {
    ASSERT_TRUE(SetDword(HKEY_LOCAL_MACHINE, kFlagKey, L"sysflag", 1));
    RunOnce();
    ExpectNothingWritten();

    ASSERT_TRUE(SetBinary(HKEY_LOCAL_MACHINE, kFlagKey, L"sysflag", std::string("\1\0\0\0", 4)));
    RunOnce();
    ExpectNothingWritten();
}

TEST_F(RegistrationTest, OtherFlagValuesLetTheRegistrationRun) {
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {{"0", std::string("\0\0\0\0", 4)},
                          {"2", std::string("\2\0\0\0", 4)},
                          {"1 in eight bytes", std::string("\1\0\0\0\0\0\0\0", 8)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ForgetRegistration();
        ASSERT_TRUE(SetBinary(HKEY_LOCAL_MACHINE, kFlagKey, L"sysflag", c.bytes));
        RunOnce();
        ExpectRegisteredFor(QuilletExe());
    }
}

// Writes that fail stop the registration silently; the program starts all the same.
TEST_F(RegistrationTest, ALockedMachineKeyStopsItBeforeAnyWrite) {
    ASSERT_TRUE(LockKey(HKEY_LOCAL_MACHINE, kFlagKey));
    RunOnce();
    ASSERT_TRUE(UnlockKey(HKEY_LOCAL_MACHINE, kFlagKey));
    ExpectNothingWritten();
}

TEST_F(RegistrationTest, ALockedIconKeyKeepsWhatWasWrittenBeforeIt) {
    ASSERT_TRUE(LockKey(HKEY_CLASSES_ROOT, kIconKey));
    RunOnce();
    ASSERT_TRUE(UnlockKey(HKEY_CLASSES_ROOT, kIconKey));
    EXPECT_TRUE(ReadValueAnsi(HKEY_LOCAL_MACHINE, kFlagKey, L"Installed").found);
    EXPECT_EQ(ReadValueAnsi(HKEY_CLASSES_ROOT, L".spt", L"").bytes, std::string("sptfile", 8));
    EXPECT_FALSE(ReadValueAnsi(HKEY_CLASSES_ROOT, kIconKey, L"").found);
}

TEST_F(RegistrationTest, IconReferenceKeepsAChinesePathByteForByte) {
    const std::wstring folder = JoinPath(WorkFolder(), L"中文 目录");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = JoinPath(folder, L"Quillet.exe");
    ASSERT_TRUE(CopyFileW(QuilletExe().c_str(), copy.c_str(), FALSE));
    RunOnce(copy);
    ExpectRegisteredFor(copy);
}

}  // namespace
}  // namespace e2e
