#include "rename/rename_journal.h"

#include <cstdint>
#include <cstdlib>

#include "platform/path.h"

namespace rename_journal {
namespace {

const char kFirstLine[] = "quillet-rename-journal 2";
const char kFirstFormatLine[] = "quillet-rename-journal 1\n";
constexpr size_t kIdentityFields = 6;

std::string Escape(const std::string& s) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || c == '%') {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        } else {
            out += c;
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool Unescape(const std::string& s, std::string& out) {
    out.clear();
    for (size_t i = 0; i < s.size(); ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x20 || b == 0x7F) return false;
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        if (i + 2 >= s.size()) return false;
        const int high = HexValue(s[i + 1]), low = HexValue(s[i + 2]);
        if (high < 0 || low < 0) return false;
        out += static_cast<char>(high << 4 | low);
        i += 2;
    }
    return true;
}

bool Number(const std::string& s, uint64_t& value) {
    if (s.empty() || s.size() > 20) return false;
    value = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') return false;
        const uint64_t next = value * 10 + static_cast<uint64_t>(c - '0');
        if (next / 10 != value) return false;
        value = next;
    }
    return true;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == '\t') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// A name that can only stay inside the folder.
bool IsEntryName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\0", 2) + path::kSeparator) == std::string::npos;
}

bool ReadIdentity(const std::vector<std::string>& f, size_t first, folder::FileIdentity& id) {
    if (f[first + 2] != "f" && f[first + 2] != "d") return false;
    id.isDirectory = f[first + 2] == "d";
    return Number(f[first], id.volume) && Number(f[first + 1], id.index) &&
           Number(f[first + 3], id.size) && Number(f[first + 4], id.modified) &&
           Number(f[first + 5], id.created);
}

std::string IdentityFields(const folder::FileIdentity& id) {
    return std::to_string(id.volume) + "\t" + std::to_string(id.index) + "\t" +
           (id.isDirectory ? "d" : "f") + "\t" + std::to_string(id.size) + "\t" +
           std::to_string(id.modified) + "\t" + std::to_string(id.created);
}

bool ReadFolder(const std::vector<std::string>& f, Journal& journal) {
    return f.size() == kIdentityFields + 2 && f[0] == "folder" &&
           ReadIdentity(f, 1, journal.folderIdentity) && Unescape(f.back(), journal.folder) &&
           !journal.folder.empty();
}

bool ReadRecord(const std::vector<std::string>& f, Record& r) {
    return f.size() == kIdentityFields + 3 && f[0] == "rename" && ReadIdentity(f, 1, r.identity) &&
           Unescape(f[kIdentityFields + 1], r.oldName) &&
           Unescape(f[kIdentityFields + 2], r.newName) && IsEntryName(r.oldName) &&
           IsEntryName(r.newName);
}

}  // namespace

std::string Header(const std::string& folderPath, const folder::FileIdentity& folderIdentity) {
    return std::string(kFirstLine) + "\nfolder\t" + IdentityFields(folderIdentity) + "\t" +
           Escape(folderPath) + "\n";
}

std::string Line(const Record& r) {
    return "rename\t" + IdentityFields(r.identity) + "\t" + Escape(r.oldName) + "\t" +
           Escape(r.newName) + "\n";
}

bool IsFirstFormat(const std::string& text) {
    return text.compare(0, sizeof kFirstFormatLine - 1, kFirstFormatLine) == 0;
}

bool Read(const std::string& text, Journal& journal, size_t& badLine) {
    journal = Journal();
    badLine = 0;
    size_t start = 0;
    for (size_t number = 1;; ++number) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) break;  // nothing, or a line a kill cut short
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const std::vector<std::string> f = Fields(line);
        Record r;
        const bool ok = number == 1   ? line == kFirstLine
                        : number == 2 ? ReadFolder(f, journal)
                                      : ReadRecord(f, r);
        if (!ok) {
            badLine = number;
            return false;
        }
        if (number > 2) journal.records.push_back(r);
    }
    // Without its two first lines nothing says which folder the journal is of.
    if (journal.folder.empty()) badLine = start == 0 ? 1 : 2;
    return !journal.folder.empty();
}

}  // namespace rename_journal
