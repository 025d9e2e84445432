#include "rename/rename_undo.h"

#include <map>
#include <set>

#include "platform/file.h"
#include "platform/folder.h"

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

    // Whether the entry is listed under exactly this name.
    bool Holds(const std::string& name, const folder::FileIdentity& id) const {
        folder::FileIdentity found;
        return m_names.count(name) && folder::Identify(m_prefix + name, found) && found == id;
    }

    // The name the entry is listed under, or empty.
    std::string Find(const folder::FileIdentity& id) {
        if (!m_identified) {
            for (const std::string& name : m_names) {
                folder::FileIdentity found;
                if (folder::Identify(m_prefix + name, found)) m_byIdentity[Key(found)] = name;
            }
            m_identified = true;
        }
        const auto it = m_byIdentity.find(Key(id));
        return it == m_byIdentity.end() ? std::string() : it->second;
    }

    // Free for the entry: no other entry answers to the name, on a file system that
    // ignores case either.
    bool IsFreeFor(const std::string& name, const folder::FileIdentity& id) const {
        folder::FileIdentity found;
        if (m_names.count(name)) return false;
        return !folder::Identify(m_prefix + name, found) || found == id;
    }

    void Moved(const std::string& from, const std::string& to, const folder::FileIdentity& id) {
        m_names.erase(from);
        m_names.insert(to);
        if (m_identified) m_byIdentity[Key(id)] = to;
    }

  private:
    using IdKey = std::pair<uint64_t, uint64_t>;
    static IdKey Key(const folder::FileIdentity& id) { return {id.volume, id.index}; }

    std::string m_prefix;
    std::set<std::string> m_names;
    bool m_identified = false;
    std::map<IdKey, std::string> m_byIdentity;
};

}  // namespace

bool UndoResult::allRestored() const {
    for (const UndoStep& s : steps) {
        if (s.kind != UndoStep::kRestored) return false;
    }
    return true;
}

UndoResult UndoRenames(
    const std::string& folderPrefix, const rename_journal::Journal& journal, bool dryRun,
    const std::function<void(const std::string& folderPrefix,
                             const rename_journal::Record& record)>& beforeRename) {
    UndoResult result;
    FolderNow now(folderPrefix);
    for (auto r = journal.records.rbegin(); r != journal.records.rend(); ++r) {
        std::string current;
        if (now.Holds(r->newName, r->identity)) {
            current = r->newName;
        } else if (now.Holds(r->oldName, r->identity)) {
            continue;  // the run never came to it
        } else {
            current = now.Find(r->identity);
        }
        if (current.empty()) {
            result.steps.push_back({UndoStep::kChanged, r->newName, r->oldName});
            continue;
        }
        if (!now.IsFreeFor(r->oldName, r->identity)) {
            result.steps.push_back({UndoStep::kOldNameTaken, current, r->oldName});
            continue;
        }
        if (!dryRun) {
            if (beforeRename) beforeRename(folderPrefix, {r->identity, r->newName, r->oldName});
            CFile::Rename(folderPrefix + current, folderPrefix + r->oldName);
        }
        now.Moved(current, r->oldName, r->identity);
        result.steps.push_back({UndoStep::kRestored, current, r->oldName});
    }
    return result;
}
