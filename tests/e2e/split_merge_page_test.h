// What the Split and Merge page tests share: a fresh folder of files per test, the pages'
// progress bars, and the pickers and boxes the pages open on the sheet.
#pragma once

#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <bcrypt.h>
#include <commctrl.h>
// clang-format on

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "dialog_template.h"
#include "driver/message_box.h"
#include "driver/pickers.h"
#include "driver/screenshot.h"
#include "driver/wait.h"
#include "driver/window.h"
#include "quillet_test.h"

// Found by argument lookup, so they live beside RECT itself.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace e2e {

namespace fs = std::filesystem;

// Bytes that differ from piece to piece, so that a misplaced block shows.
inline std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 9973) & 0xFF);
    return bytes;
}

inline bool WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out.good();
}

inline std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A piece file as the split writes it: four numbers and the magic, each on its own line.
inline std::string PieceBytes(unsigned index, unsigned count, unsigned chunk,
                              const std::string& data) {
    return std::to_string(index) + "\n" + std::to_string(count) + "\n" + std::to_string(chunk) +
           "\n" + std::to_string(data.size()) + "\nqkvspt$\n" + data;
}

// SHA-256 in hex through BCrypt, which the program does not hash with.
inline std::string Sha256Hex(const std::string& bytes) {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;
    UCHAR digest[32] = {};
    if (BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0) {
        return "no BCrypt";
    }
    BCryptCreateHash(algorithm, &hash, nullptr, 0, nullptr, 0, 0);
    BCryptHashData(hash, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())),
                   static_cast<ULONG>(bytes.size()), 0);
    BCryptFinishHash(hash, digest, sizeof digest, 0);
    BCryptDestroyHash(hash);
    BCryptCloseAlgorithmProvider(algorithm, 0);
    std::string hex;
    for (UCHAR b : digest) hex += "0123456789abcdef"[b >> 4], hex += "0123456789abcdef"[b & 15];
    return hex;
}

// The line a sha256sum check file holds for the file.
inline std::string ChecksumLineOf(const fs::path& file) {
    return Sha256Hex(ReadBytes(file)) + "  " + file.filename().string() + "\n";
}

// True when another program cannot open the file for writing, as while the page holds it.
inline bool IsHeldOpen(const fs::path& file) {
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(h);
    return false;
}

// The folder recorder reads the closing backslash and quote of "...\movie\" as an escaped
// quote, so a recorded folder is compared without its tail.
inline ::testing::AssertionResult SameFolder(const std::wstring& recorded,
                                             const std::wstring& expected) {
    auto bare = [](std::wstring folder) {
        while (!folder.empty() && (folder.back() == L'"' || folder.back() == L'\\')) {
            folder.pop_back();
        }
        return folder;
    };
    if (bare(recorded) == bare(expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "the shell opened \"" << ToUtf8(recorded) << "\", not \"" << ToUtf8(expected) << "\"";
}

// The page's bar has no id of its own.
inline HWND ProgressBarOf(HWND page) {
    return FindWindowExW(page, nullptr, PROGRESS_CLASSW, nullptr);
}

inline int ProgressPos(HWND bar) {
    return static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
}

inline int ProgressMax(HWND bar) {
    return static_cast<int>(SendMessageW(bar, PBM_GETRANGE, FALSE, 0));
}

// The window's rectangle in its parent's client pixels.
inline RECT RectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline std::ostream& operator<<(std::ostream& out, IconKind icon) {
    return out << IconKindName(icon);
}

class PageTest : public QuilletTest {
  protected:
    // Starts the program with the given tab in front and an empty folder for the test.
    void StartOnTab(int tab) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = fs::path(WorkFolder()) / L"pages" / info->test_suite_name() / info->name();
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
        ASSERT_TRUE(fs::create_directories(m_folder)) << m_folder.string();
        ASSERT_TRUE(Start());
        if (tab != 0) {
            ASSERT_TRUE(SwitchToTab(m_sheet, m_app.handle(), tab, kPatienceMs));
        }
        m_page = CurrentPage(m_sheet);
        ASSERT_NE(m_page, nullptr);
    }

    // Presses a button of the page and waits for the dialog it opens on the sheet.
    HWND OpenDialog(int button) {
        EXPECT_TRUE(ClickControl(m_page, button));
        HWND dialog = WaitForDialogOwnedBy(m_app.pid(), m_sheet, kPatienceMs);
        EXPECT_NE(dialog, nullptr) << "no dialog on the sheet after button " << button;
        return dialog;
    }

    bool ChooseFileWith(int button, const fs::path& file) {
        HWND dialog = OpenDialog(button);
        return dialog && ChooseFile(dialog, file.wstring());
    }

    bool CancelDialogOf(int button) {
        HWND dialog = OpenDialog(button);
        return dialog && CancelDialog(dialog);
    }

    MessageBoxInfo PressAndReadBox(int button) {
        EXPECT_TRUE(ClickControl(m_page, button));
        return WaitForMessageBox(m_app.pid(), m_sheet, kPatienceMs);
    }

    // Waits for the shell to be asked to open something; returns what, or nothing.
    std::wstring OpenedByShell(DWORD timeout_ms = kPatienceMs) {
        if (!Recorder().WaitForEntries(1, timeout_ms)) return L"";
        return Recorder().Entries().front();
    }

    void Photograph(const wchar_t* name) {
        EXPECT_TRUE(SaveWindowPicture(m_sheet, ScreenshotPath(name))) << name;
    }

    fs::path m_folder;
    HWND m_page = nullptr;
};

}  // namespace e2e
