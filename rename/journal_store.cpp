#include "rename/journal_store.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/folder.h"
#include "platform/path.h"

namespace {

constexpr uint32_t kRunsKept = 20;
constexpr long kFileNotFound = 2;
constexpr long kPathNotFound = 3;
constexpr long kAccessDenied = 5;

// One folder, one key, however its path was written.
std::string FolderKey(const std::string& folderPath) {
    std::string key = folderPath;
#ifdef _WIN32
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
#endif
    while (key.size() > 1 && key.back() == path::kSeparator) key.pop_back();
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (const char c : key) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

const char kJournalEnd[] = ".journal";

std::string JournalName(const std::string& key, uint64_t number) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%06llu", static_cast<unsigned long long>(number));
    return key + "-" + digits + kJournalEnd;
}

// The number of the folder's journal the entry is, or 0. Past 999,999 runs the number
// takes more digits.
uint64_t NumberOf(const std::string& name, const std::string& key) {
    const size_t first = key.size() + 1, endSize = sizeof kJournalEnd - 1;
    if (name.size() <= first + endSize || name.compare(0, first, key + "-") != 0 ||
        name.compare(name.size() - endSize, endSize, kJournalEnd) != 0) {
        return 0;
    }
    uint64_t number = 0;
    for (size_t i = first; i < name.size() - endSize; ++i) {
        const char c = name[i];
        if (c < '0' || c > '9' || number > (UINT64_MAX - 9) / 10) return 0;
        number = number * 10 + static_cast<uint64_t>(c - '0');
    }
    return number;
}

// The numbers of the folder's journals there are.
std::vector<uint64_t> Numbers(const std::string& stateFolder, const std::string& key) {
    std::vector<uint64_t> numbers;
    std::vector<folder::Entry> entries;
    folder::List(stateFolder, entries);
    for (const folder::Entry& e : entries) {
        if (const uint64_t number = NumberOf(e.name, key)) numbers.push_back(number);
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
    // The folder's identity is taken before anything in it is renamed: an undo takes
    // place only in this same folder.
    const std::string resolved = folder::Resolve(m_folder);
    folder::FileIdentity identity;
    if (!folder::IdentifyTarget(resolved, identity)) {
        CFileException::ThrowOsError(kPathNotFound, m_folder);
    }
    const std::string key = FolderKey(resolved);
    uint64_t next = 1;
    for (const uint64_t n : Numbers(stateFolder, key)) next = n >= next ? n + 1 : next;
    long error = 0;
    // Another run in the same folder at the same time takes the next number.
    for (;; ++next) {
        m_path = stateFolder + path::kSeparator + JournalName(key, next);
        if (m_log.Create(m_path, error)) break;
        if (error != 80 && error != 183) CFileException::ThrowOsError(error, m_path);
    }
    if (!m_log.Append(rename_journal::Header(resolved, identity), error)) {
        CFileException::ThrowOsError(error, m_path);
    }
    for (const uint64_t n : Numbers(stateFolder, key)) {
        if (n + kRunsKept <= next) {
            state_files::RemoveFile(stateFolder + path::kSeparator + JournalName(key, n));
        }
    }
}

void JournalWriter::Record(const std::string& folderPrefix, const std::string& oldName,
                           const std::string& newName) {
    if (RecordAll(folderPrefix, {{oldName, newName}}) == 0) {
        // Not journaled, so not made.
        CFileException::ThrowOsError(kFileNotFound, folderPrefix + oldName);
    }
}

void JournalWriter::RecordAll(const std::vector<rename_journal::Record>& records) {
    std::string lines;
    for (const rename_journal::Record& record : records) lines += rename_journal::Line(record);
    if (!lines.empty()) Append(lines);
}

size_t JournalWriter::RecordAll(const std::string& folderPrefix,
                                const std::vector<std::pair<std::string, std::string>>& renames) {
    std::string lines;
    size_t recorded = 0;
    for (const auto& [oldName, newName] : renames) {
        rename_journal::Record record;
        if (!folder::Identify(folderPrefix + oldName, record.identity)) break;
        record.oldName = oldName;
        record.newName = newName;
        lines += rename_journal::Line(record);
        ++recorded;
    }
    if (!lines.empty()) Append(lines);
    return recorded;
}

void JournalWriter::Append(const std::string& lines) {
    if (!m_log.IsOpen()) Start();
    long error = 0;
    if (!m_log.Append(lines, error)) CFileException::ThrowOsError(error, m_path);
}

bool LastJournal(const std::string& folderPath, std::string& journalPath, std::string& text) {
    const std::string stateFolder = state_files::Folder();
    const std::string key = FolderKey(folder::Resolve(folderPath));
    uint64_t last = 0;
    for (const uint64_t n : Numbers(stateFolder, key)) last = n > last ? n : last;
    if (last == 0) return false;
    journalPath = stateFolder + path::kSeparator + JournalName(key, last);
    text = ReadAll(journalPath);
    return true;
}
