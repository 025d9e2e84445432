#include "split/checksum_file.h"

#include <algorithm>

#include "platform/file.h"
#include "platform/folder.h"
#include "platform/path.h"

namespace {

constexpr size_t kDigestDigits = 64;

bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() > end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A name that stays inside the folder: no separator, no drive or stream on Windows,
// no NUL, and neither "." nor "..".
bool IsPlainName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
#ifdef _WIN32
    return name.find_first_of(std::string("/\\:\0", 4)) == std::string::npos;
#else
    return name.find_first_of(std::string("/\0", 2)) == std::string::npos;
#endif
}

bool Unescape(const std::string& escaped, std::string& name) {
    name.clear();
    for (size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '\\') {
            name += escaped[i];
            continue;
        }
        if (++i == escaped.size()) return false;
        const char c = escaped[i];
        if (c == '\\') {
            name += '\\';
        } else if (c == 'n') {
            name += '\n';
        } else if (c == 'r') {
            name += '\r';
        } else {
            return false;
        }
    }
    return true;
}

// The line from begin to end (its LF left out), read where it lies: false when it is
// not "<hex> <space or *><name>".
bool ParseLine(const std::string& text, size_t begin, size_t end, ChecksumLine& out) {
    if (end > begin && text[end - 1] == '\r') --end;  // a file saved with CRLF
    const bool escaped = end > begin && text[begin] == '\\';
    const size_t start = begin + (escaped ? 1 : 0);
    if (end < start + kDigestDigits + 3) return false;
    const size_t mark = start + kDigestDigits;
    if (!std::all_of(text.begin() + start, text.begin() + mark, IsHexDigit)) return false;
    if (text[mark] != ' ' || (text[mark + 1] != ' ' && text[mark + 1] != '*')) return false;
    out.hex.assign(text, start, kDigestDigits);
    std::transform(out.hex.begin(), out.hex.end(), out.hex.begin(),
                   [](char c) { return c >= 'A' && c <= 'F' ? char(c - 'A' + 'a') : c; });
    if (!escaped) {
        out.name.assign(text, mark + 2, end - mark - 2);
        return true;
    }
    return Unescape(text.substr(mark + 2, end - mark - 2), out.name);
}

size_t NameHash(const std::string& name) {
    return std::hash<std::string>()(name);
}

}  // namespace

const ChecksumLine* ChecksumList::Find(const std::string& name) const {
    const auto range = m_index.equal_range(NameHash(name));
    for (auto at = range.first; at != range.second; ++at) {
        if (lines[at->second].name == name) return &lines[at->second];
    }
    return nullptr;
}

void ChecksumList::Reserve(size_t count) {
    lines.reserve(count);
    m_index.reserve(count);
}

bool ChecksumList::Add(ChecksumLine line) {
    if (Find(line.name)) return false;
    m_index.emplace(NameHash(line.name), lines.size());
    lines.push_back(std::move(line));
    return true;
}

std::string FormatChecksums(const std::vector<ChecksumLine>& lines) {
    // Starts with a comment, not a digit, so that a merge that reads this file's head
    // as a piece header takes no number from it.
    std::string text = "# SHA-256: sha256sum -c --ignore-missing\n";
    for (const ChecksumLine& line : lines) {
        std::string name;
        for (char c : line.name) {
            name += c == '\\' ? "\\\\" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c);
        }
        text += (name != line.name ? "\\" : "") + line.hex + "  " + name + "\n";
    }
    return text;
}

ChecksumList ParseChecksums(const std::string& text) {
    ChecksumList list;
    list.Reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    size_t number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const size_t begin = start;
        start = end + 1;
        ++number;
        if (end == begin || text[begin] == '#' || (end == begin + 1 && text[begin] == '\r')) {
            continue;
        }
        ChecksumLine parsed;
        if (!ParseLine(text, begin, end, parsed) || !IsPlainName(parsed.name) ||
            !list.Add(std::move(parsed))) {
            list.badLines.push_back(number);
        }
    }
    return list;
}

ChecksumRead ReadChecksumFile(const std::string& path, ChecksumList& list) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) {
        return ChecksumRead::kCannotOpen;
    }
    const uint64_t length = file.GetLength();
    if (length > kLargestChecksumFile) return ChecksumRead::kTooLarge;
    // No further than the length: a file that grows while it is read ends there.
    std::string text(static_cast<size_t>(length), '\0');
    text.resize(file.Read(&text[0], text.size()));
    list = ParseChecksums(text);
    return ChecksumRead::kRead;
}

std::string FindChecksumFile(const std::string& piecePath, ChecksumList& list) {
    const std::string folderPath = path::FolderOf(piecePath);
    const std::string pieceName = path::NameOf(piecePath);
    std::vector<folder::Entry> entries;
    if (!folder::List(folderPath, entries)) return std::string();
    std::vector<std::string> names;
    for (const folder::Entry& entry : entries) {
        if (!entry.isDirectory && EndsWith(entry.name, kChecksumSuffix)) {
            names.push_back(entry.name);
        }
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string candidate = folderPath + path::kSeparator + name;
        if (ReadChecksumFile(candidate, list) == ChecksumRead::kRead && list.Find(pieceName)) {
            return candidate;
        }
    }
    list = ChecksumList();
    return std::string();
}

std::string SourceNameOfChecksumFile(const std::string& checksumPath) {
    const std::string name = path::NameOf(checksumPath);
    return name.substr(0, name.size() - (sizeof(kChecksumSuffix) - 1));
}
