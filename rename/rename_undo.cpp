#include "rename/rename_undo.h"

#include <map>
#include <set>

#include "platform/case_temporary.h"
#include "platform/file.h"
#include "platform/folder.h"
#include "platform/path.h"
#include "platform/windows_case.h"

namespace {

// The folder as it stands: names exactly as listed, and each one's identity when asked.
class FolderNow {
  public:
    explicit FolderNow(const std::string& prefix) : m_prefix(prefix) {
        std::vector<folder::Entry> entries;
        folder::List(prefix.substr(0, prefix.size() - 1), entries);
        for (const folder::Entry& e : entries) {
            if (e.name != "." && e.name != "..") m_names.insert(e.name);
        }
    }

    // Whether the entry is listed under exactly this name, once the moves decided
    // before are made: a journal may hold one entry's rename twice.
    bool Holds(const std::string& name, const folder::FileIdentity& id) const {
        if (!m_names.count(name)) return false;
        const auto arrived = m_arrived.find(name);
        if (arrived != m_arrived.end()) return arrived->second == id;
        folder::FileIdentity found;
        return folder::Identify(m_prefix + name, found) && found == id;
    }

    // The temporary name a case-only rename to newName left the entry under, or empty.
    std::string FindTemporary(const std::string& newName, const folder::FileIdentity& id) const {
        const std::string start = case_temporary::Name(newName, 0);
        for (auto it = m_names.lower_bound(start);
             it != m_names.end() && it->compare(0, start.size(), start) == 0; ++it) {
            if (Holds(*it, id)) return *it;
        }
        return std::string();
    }

    // Free for the entry now under current: no other entry answers to the name, on a
    // file system that ignores case either, once the moves decided before are made. A
    // FUSE file system may number the entry differently for each spelling, so a name
    // that Windows takes for the entry's own counts as its own.
    bool IsFreeFor(const std::string& name, const std::string& current,
                   const folder::FileIdentity& id) const {
        folder::FileIdentity found;
        if (m_names.count(name)) return false;
        return !folder::Identify(m_prefix + name, found) || found == id ||
               m_moved.count({found.volume, found.index}) ||
               windows_case::Compare(name, current) == 0;
    }

    void Moved(const std::string& from, const std::string& to, const folder::FileIdentity& id) {
        m_names.erase(from);
        m_names.insert(to);
        m_arrived.erase(from);
        m_arrived[to] = id;
        m_moved.insert({id.volume, id.index});
    }

  private:
    std::string m_prefix;
    std::set<std::string> m_names;
    std::map<std::string, folder::FileIdentity> m_arrived;  // by the moves decided
    std::set<std::pair<uint64_t, uint64_t>> m_moved;
};

}  // namespace

bool JournalIsOf(const rename_journal::Journal& journal, const std::string& resolvedFolder) {
    const auto key = [](std::string p) {
        while (p.size() > 1 && p.back() == path::kSeparator) p.pop_back();
        return folder::NameKey(p);
    };
    folder::FileIdentity now;
    return key(journal.folder) == key(resolvedFolder) &&
           folder::IdentifyTarget(resolvedFolder, now) && now == journal.folderIdentity;
}

bool UndoResult::allRestored() const {
    for (const UndoStep& s : steps) {
        if (s.kind != UndoStep::kRestored) return false;
    }
    return true;
}

UndoResult UndoRenames(const std::string& folderPrefix, const rename_journal::Journal& journal,
                       bool dryRun, const UndoJournal& beforeRenames) {
    UndoResult result;
    std::vector<rename_journal::Record> moves;  // each as the undo's own journal keeps it
    FolderNow now(folderPrefix);
    for (auto r = journal.records.rbegin(); r != journal.records.rend(); ++r) {
        // Windows stores "a. . " as "a".
        const std::string stored = folder::StoredName(r->newName);
        if (stored == r->oldName) continue;  // the rename changed nothing
        std::string current;
        if (now.Holds(stored, r->identity)) {
            current = stored;
        } else if (now.Holds(r->oldName, r->identity)) {
            continue;  // the run never came to it
        } else {
            current = now.FindTemporary(stored, r->identity);
        }
        if (current.empty()) {
            result.steps.push_back({UndoStep::kChanged, stored, r->oldName});
        } else if (!now.IsFreeFor(r->oldName, current, r->identity)) {
            result.steps.push_back({UndoStep::kOldNameTaken, current, r->oldName});
        } else {
            now.Moved(current, r->oldName, r->identity);
            result.steps.push_back({UndoStep::kRestored, current, r->oldName});
            moves.push_back({r->identity, r->newName, r->oldName});
        }
    }
    if (dryRun || moves.empty()) return result;
    if (beforeRenames) beforeRenames(moves);
    for (const UndoStep& step : result.steps) {
        if (step.kind == UndoStep::kRestored) {
            CFile::Rename(folderPrefix + step.from, folderPrefix + step.to);
        }
    }
    return result;
}
