#include "rename/rename_preview.h"

#include <set>
#include <vector>

#include "platform/file_exception.h"

namespace {

// What the system reports when a rename would replace an entry.
constexpr long kNameExists = 183;

// Keeps the names the folder would hold after each rename of the run.
class PreviewRenames : public RenameSink {
  public:
    PreviewRenames(const RenamePreviewLine& onRename, const RenamePreviewLine& onTaken)
        : m_onRename(onRename), m_onTaken(onTaken) {}

    void Listed(const std::vector<folder::Entry>& entries) override {
        for (const folder::Entry& entry : entries) {
            if (entry.name != "." && entry.name != "..")
                m_present.insert(folder::NameKey(entry.name));
        }
    }

    bool Rename(const std::string&, const std::string& oldName,
                const std::string& newName) override {
        // The name the entry would be stored under, as the run would find it.
        const std::string stored = folder::StoredName(newName);
        const std::string oldKey = folder::NameKey(oldName);
        const std::string newKey = folder::NameKey(stored);
        // An empty name leaves the folder's own path, which exists.
        if (stored.empty() || (newKey != oldKey && m_present.count(newKey) > 0)) {
            if (m_onTaken) m_onTaken(oldName, stored);
            CFileException::ThrowOsError(kNameExists);
        }
        m_present.erase(oldKey);
        m_present.insert(newKey);
        m_onRename(oldName, stored);
        return stored != oldName;
    }

  private:
    const RenamePreviewLine& m_onRename;
    const RenamePreviewLine& m_onTaken;
    std::set<std::string> m_present;
};

}  // namespace

RenameOutcome PreviewBatchRename(const RenameSettings& settings, int32_t& m_nSerial,
                                 EngineNotifications& notify, const RenamePreviewLine& onRename,
                                 RenameOrder order, const RenamePreviewLine& onTaken) {
    PreviewRenames preview(onRename, onTaken);
    bool success = false;
    return WalkBatchRename(settings, m_nSerial, notify, preview, success, order);
}
