#include "rename/rename_engine.h"

#include <string>
#include <vector>

#include "platform/case_temporary.h"
#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/folder.h"
#include "platform/path.h"
#include "platform/text.h"
#include "rename/forbidden_chars.h"
#include "rename/rename_rules.h"
#include "rename/rename_texts.h"

namespace {

// A drive root such as "C:\" is too short on purpose.
constexpr size_t kMinFolderBytes = 4;

// What the system reports when a new name is taken, or too long.
constexpr long kFileExists = 80;
constexpr long kNameExists = 183;
constexpr long kNameTooLong = 206;

class BatchRename {
  public:
    BatchRename(const RenameSettings& settings, int32_t& serial, RenameSink& sink)
        : m_s(settings),
          m_serial(serial),
          m_sink(sink),
          m_prefix(settings.m_strFolder + path::kSeparator) {}

    void Visit(const folder::Entry& entry) {
        if (entry.name == "." || entry.name == ".." || entry.isHidden) return;
        // A temporary outside the run's filter is not the run's to finish.
        const bool included = entry.isDirectory ? m_s.m_bFoldersOnly : m_s.m_bFilesOnly;
        if (included && FinishCaseRename(entry.name)) return;
        if (entry.isDirectory) {
            FolderEntry(entry.name);
        } else if (m_s.m_bFilesOnly) {
            FileEntry(entry.name);
        }
    }

    bool succeeded() const { return m_success; }
    uint32_t renamed() const { return m_renamed; }

  private:
    void FolderEntry(const std::string& name) {
        if (m_s.m_bFoldersOnly && m_s.m_bChangeName) Sequence(name, true);
        if (m_s.m_bFoldersOnly && m_s.m_bReplaceText) Replacement(name);
    }

    // Every rule starts from the listed name; the page selects only one of them.
    void FileEntry(const std::string& name) {
        if (m_s.m_bChangeName) Sequence(name, false);
        if (m_s.m_bChangeExt) Extension(name);
        if (m_s.m_bReplaceText) Replacement(name);
    }

    void Sequence(const std::string& name, bool isFolder) {
        m_serial = rename_rules::Advance(m_serial, m_s.m_nIncrement);
        Move(name, rename_rules::SequenceName(name, isFolder, m_s.m_strNewName, m_serial,
                                              m_s.m_bNumberFirst != 0));
        m_success = true;
    }

    void Extension(const std::string& name) {
        std::string newName;
        if (!rename_rules::ExtensionName(name, m_s.m_strNewExt, newName)) return;
        Move(name, newName);
        m_success = true;
    }

    // Replacements never count towards the success message.
    void Replacement(const std::string& name) {
        std::string newName;
        if (!rename_rules::ReplacedName(name, m_s.m_strFind, m_s.m_strReplace, newName)) return;
        Move(name, newName);
    }

    // A case-only rename killed between its two moves left the entry under a temporary
    // name: it gets the name it was going to, not a name by the rule. Where that name
    // is taken meanwhile, the entry is left as it is.
    bool FinishCaseRename(const std::string& name) {
        std::string target;
        if (!case_temporary::Parse(name, target)) return false;
        folder::FileIdentity taken;
        if (!folder::Identify(m_prefix + target, taken)) Move(name, target);
        return true;
    }

    // The refusals of a new name say which entry was to have it.
    void Move(const std::string& oldName, const std::string& newName) {
        if (folder::NameTooLong(newName)) {
            CFileException::ThrowOsError(kNameTooLong, m_prefix + oldName);
        }
        try {
            // A name that is the entry's own already changes nothing and is not counted.
            if (m_sink.Rename(m_prefix, oldName, newName)) ++m_renamed;
        } catch (CFileException& e) {
            const long code = e.m_lOsError;
            if (e.m_strFileName.empty() && (code == kNameExists || code == kFileExists)) {
                e.m_strFileName = m_prefix + oldName;
            }
            throw;
        }
    }

    const RenameSettings& m_s;
    int32_t& m_serial;
    RenameSink& m_sink;
    const std::string m_prefix;
    bool m_success = false;
    uint32_t m_renamed = 0;
};

RenameOutcome Make(Outcome::Status status, std::string reason, uint32_t renamed = 0) {
    RenameOutcome outcome;
    outcome.status = status;
    outcome.reason = std::move(reason);
    outcome.renamed = renamed;
    return outcome;
}

RenameOutcome Refuse(const char* text, EngineNotifications& notify) {
    notify.ShowMessage(text);
    return Make(Outcome::kRefused, text);
}

class FolderRenames : public RenameSink {
  public:
    explicit FolderRenames(const RenameRunOptions& options) : m_options(options) {}

    bool Rename(const std::string& folderPrefix, const std::string& oldName,
                const std::string& newName) override {
        if (m_options.beforeRename && oldName != newName) {
            m_options.beforeRename(folderPrefix, oldName, newName);
        }
        return CFile::Rename(folderPrefix + oldName, folderPrefix + newName);
    }

  private:
    const RenameRunOptions& m_options;
};

}  // namespace

RenameOutcome WalkBatchRename(const RenameSettings& settings, int32_t& m_nSerial,
                              EngineNotifications& notify, RenameSink& sink, bool& success,
                              RenameOrder order) {
    success = false;
    m_nSerial = 0;
    // Bytes of the text as code page 936 holds it on Windows, as the window always counted.
    if (text::ForDisplay(settings.m_strFolder).size() < kMinFolderBytes) {
        return Refuse(rename_text::kNoFolder, notify);
    }
    if (forbidden_chars::InNewNames(settings)) return Refuse(rename_text::kForbiddenChars, notify);
    if (forbidden_chars::CutsACharacter(settings))
        return Refuse(rename_text::kCutCharacter, notify);

    // The whole listing comes first, so no entry is met again under its new name.
    std::vector<folder::Entry> entries;
    if (!folder::List(settings.m_strFolder, entries)) {
        return Make(Outcome::kFailed, rename_text::kCannotList);
    }
    sink.Listed(entries);
    SortForRename(entries, order, settings.m_strFolder + path::kSeparator);
    BatchRename run(settings, m_nSerial, sink);
    for (const folder::Entry& entry : entries) run.Visit(entry);
    success = run.succeeded();
    return Make(Outcome::kDone, std::string(), run.renamed());
}

RenameOutcome RunBatchRename(const RenameSettings& settings, int32_t& m_nSerial,
                             EngineNotifications& notify, const RenameRunOptions& options) {
    FolderRenames folder(options);
    bool success = false;
    RenameOutcome outcome =
        WalkBatchRename(settings, m_nSerial, notify, folder, success, options.order);
    if (!success) return outcome;
    notify.ShowMessage(rename_text::kSuccess);
    outcome.reason = rename_text::kSuccess;
    return outcome;
}

void OpenResultFolder(const RenameSettings& settings, EngineNotifications& notify) {
    notify.OpenFolder(settings.m_strFolder);
}
