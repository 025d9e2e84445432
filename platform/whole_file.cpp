#include "platform/whole_file.h"

#include "platform/file_exception.h"

namespace {

bool IsTaken(const CFileException& error) {
    return error.m_lOsError == 80 || error.m_lOsError == 183;  // file or name exists
}

}  // namespace

WholeFile::WholeFile(std::string finalPath) : m_strFinalPath(std::move(finalPath)) {
    // A name that is taken may be somebody's file, or a link to one: the temporary is
    // only ever a new entry, under the first name that holds none.
    CFileException error(CFileException::none, 0);
    for (int n = 0;; ++n) {
        m_strTemporary = m_strFinalPath + "." + std::to_string(n) + ".tmp";
        if (m_file.Open(
                m_strTemporary,
                CFile::modeCreateNew | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary,
                &error)) {
            return;
        }
        if (!IsTaken(error)) break;
    }
    error.m_strFileName = m_strFinalPath;
    throw error;
}

WholeFile::~WholeFile() {
    if (m_bCommitted) return;
    m_file.Abort();
    whole_file::Remove(m_strTemporary);
}

void WholeFile::Commit() {
    m_file.Close();
    whole_file::Sync(m_strTemporary);
    whole_file::Replace(m_strTemporary, m_strFinalPath);
    m_bCommitted = true;
}
