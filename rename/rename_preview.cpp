#include "rename/rename_preview.h"

#include <set>
#include <vector>

#include "platform/file_exception.h"
#include "platform/text.h"

namespace {

// What the system reports when a rename would replace an entry.
constexpr long kNameExists = 183;

// Names as the folder tells them apart: Windows file systems ignore the case of
// letters (a trail byte of a double-byte character is no letter).
std::string NameKey(const std::string& name) {
#ifdef _WIN32
    std::string key = name;
    const text::CodePage cp = text::SystemCodePage();
    for (size_t i = 0; i < key.size(); i += text::CharLength(key, i, cp)) {
        if (key[i] >= 'a' && key[i] <= 'z') key[i] = static_cast<char>(key[i] - 'a' + 'A');
    }
    return key;
#else
    return name;
#endif
}

// Keeps the names the folder would hold after each rename of the run.
class PreviewRenames : public RenameSink {
  public:
    explicit PreviewRenames(const RenamePreviewLine& onRename) : m_onRename(onRename) {}

    void Listed(const std::vector<folder::Entry>& entries) override {
        for (const folder::Entry& entry : entries) {
            if (entry.name != "." && entry.name != "..") m_present.insert(NameKey(entry.name));
        }
    }

    bool Rename(const std::string&, const std::string& oldName,
                const std::string& newName) override {
        const std::string oldKey = NameKey(oldName);
        const std::string newKey = NameKey(newName);
        // An empty name leaves the folder's own path, which exists.
        if (newName.empty() || (newKey != oldKey && m_present.count(newKey) > 0)) {
            CFileException::ThrowOsError(kNameExists);
        }
        m_present.erase(oldKey);
        m_present.insert(newKey);
        m_onRename(oldName, newName);
        return newName != oldName;
    }

  private:
    const RenamePreviewLine& m_onRename;
    std::set<std::string> m_present;
};

}  // namespace

RenameOutcome PreviewBatchRename(const RenameSettings& settings, int32_t& m_nSerial,
                                 EngineNotifications& notify, const RenamePreviewLine& onRename,
                                 RenameOrder order) {
    PreviewRenames preview(onRename);
    bool success = false;
    return WalkBatchRename(settings, m_nSerial, notify, preview, success, order);
}
