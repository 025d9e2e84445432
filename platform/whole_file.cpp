#include "platform/whole_file.h"

#include "platform/file_exception.h"
#include "platform/folder.h"

WholeFile::WholeFile(std::string finalPath) : m_strFinalPath(std::move(finalPath)) {
    // A name that is taken may be somebody's file: only a free one is ever created.
    folder::FileIdentity taken;
    for (int n = 0;; ++n) {
        m_strTemporary = m_strFinalPath + "." + std::to_string(n) + ".tmp";
        if (!folder::Identify(m_strTemporary, taken)) break;
    }
    CFileException error(CFileException::none, 0);
    if (!m_file.Open(
            m_strTemporary,
            CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary,
            &error)) {
        error.m_strFileName = m_strFinalPath;
        throw error;
    }
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
