#include "rename/journal_store.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/folder.h"
#include "platform/path.h"

#ifndef _WIN32
#include <limits.h>
#include <stdlib.h>
#endif

namespace {

constexpr uint32_t kRunsKept = 20;
constexpr long kAccessDenied = 5;

// One folder, one key, however its path was written.
std::string FolderKey(const std::string& folderPath) {
    std::string key = folderPath;
#ifdef _WIN32
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
#else
    char real[PATH_MAX];
    if (realpath(folderPath.c_str(), real)) key = real;
#endif
    while (key.size() > 1 && key.back() == path::kSeparator) key.pop_back();
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (const char c : key) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

std::string JournalName(const std::string& key, uint32_t number) {
    char digits[12];
    std::snprintf(digits, sizeof digits, "%06u", number);
    return key + "-" + digits + ".journal";
}

// The numbers of the folder's journals there are.
std::vector<uint32_t> Numbers(const std::string& stateFolder, const std::string& key) {
    std::vector<uint32_t> numbers;
    std::vector<folder::Entry> entries;
    folder::List(stateFolder, entries);
    for (const folder::Entry& e : entries) {
        if (e.name.size() != key.size() + 15 || e.name.compare(0, key.size() + 1, key + "-") != 0 ||
            e.name.compare(key.size() + 7, 8, ".journal") != 0) {
            continue;
        }
        uint32_t number = 0;
        bool digits = true;
        for (size_t i = key.size() + 1; i < key.size() + 7; ++i) {
            const char c = e.name[i];
            digits = digits && c >= '0' && c <= '9';
            number = number * 10 + static_cast<uint32_t>(c - '0');
        }
        if (digits && number > 0) numbers.push_back(number);
    }
    return numbers;
}

std::string ReadAll(const std::string& filePath) {
    CFile file;
    if (!file.Open(filePath, CFile::modeRead | CFile::shareDenyNone)) return std::string();
    std::string text(static_cast<size_t>(file.GetLength()), '\0');
    text.resize(file.Read(&text[0], text.size()));
    return text;
}

}  // namespace

void JournalWriter::Start() {
    const std::string stateFolder = state_files::Folder();
    if (stateFolder.empty() || !state_files::CreateFolders(stateFolder)) {
        CFileException::ThrowOsError(kAccessDenied, stateFolder);
    }
    const std::string key = FolderKey(m_folder);
    uint32_t next = 1;
    for (const uint32_t n : Numbers(stateFolder, key)) next = n >= next ? n + 1 : next;
    long error = 0;
    // Another run in the same folder at the same time takes the next number.
    for (;; ++next) {
        m_path = stateFolder + path::kSeparator + JournalName(key, next);
        if (m_log.Create(m_path, error)) break;
        if (error != 80 && error != 183) CFileException::ThrowOsError(error, m_path);
    }
    if (!m_log.Append(rename_journal::Header(m_folder), error)) {
        CFileException::ThrowOsError(error, m_path);
    }
    for (const uint32_t n : Numbers(stateFolder, key)) {
        if (n + kRunsKept <= next) {
            state_files::RemoveFile(stateFolder + path::kSeparator + JournalName(key, n));
        }
    }
}

void JournalWriter::Record(const std::string& folderPrefix, const std::string& oldName,
                           const std::string& newName) {
    RecordAll(folderPrefix, {{oldName, newName}});
}

void JournalWriter::RecordAll(const std::vector<rename_journal::Record>& records) {
    std::string lines;
    for (const rename_journal::Record& record : records) lines += rename_journal::Line(record);
    if (!lines.empty()) Append(lines);
}

void JournalWriter::RecordAll(const std::string& folderPrefix,
                              const std::vector<std::pair<std::string, std::string>>& renames) {
    std::string lines;
    for (const auto& [oldName, newName] : renames) {
        rename_journal::Record record;
        // An entry that cannot be looked at cannot be renamed either; the rename says so.
        if (!folder::Identify(folderPrefix + oldName, record.identity)) continue;
        record.oldName = oldName;
        record.newName = newName;
        lines += rename_journal::Line(record);
    }
    if (!lines.empty()) Append(lines);
}

void JournalWriter::Append(const std::string& lines) {
    if (!m_log.IsOpen()) Start();
    long error = 0;
    if (!m_log.Append(lines, error)) CFileException::ThrowOsError(error, m_path);
}

bool LastJournal(const std::string& folderPath, std::string& journalPath, std::string& text) {
    const std::string stateFolder = state_files::Folder();
    const std::string key = FolderKey(folderPath);
    uint32_t last = 0;
    for (const uint32_t n : Numbers(stateFolder, key)) last = n > last ? n : last;
    if (last == 0) return false;
    journalPath = stateFolder + path::kSeparator + JournalName(key, last);
    text = ReadAll(journalPath);
    return true;
}
