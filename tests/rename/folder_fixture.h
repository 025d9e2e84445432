// A scratch folder for one test, filled and read back through the platform layer so
// that names travel as the system's byte strings on every system.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/folder_names.h"
#include "common/temp_dir.h"
#include "platform/file.h"
#include "platform/folder.h"
#include "platform/path.h"

class FolderFixture {
  public:
    std::string Root() const { return m_dir.path(); }
    std::string PathOf(const std::string& name) const { return Root() + path::kSeparator + name; }

    void AddFile(const std::string& name, const std::string& content = "x") const {
        CFile file;
        ASSERT_TRUE(file.Open(PathOf(name), CFile::modeCreate | CFile::modeWrite));
        file.Write(content.data(), content.size());
        file.Close();
    }

    void AddFolder(const std::string& name) const { ASSERT_TRUE(folder::Create(PathOf(name))); }

    std::string Content(const std::string& name) const {
        CFile file;
        if (!file.Open(PathOf(name), CFile::modeRead)) return "<missing>";
        std::string content(static_cast<size_t>(file.GetLength()), '\0');
        content.resize(file.Read(&content[0], content.size()));
        return content;
    }

    // The folder's entries by name, sorted, so results do not hang on listing order.
    std::vector<std::string> Names() const { return NamesIn(Root()); }

  private:
    TempDir m_dir;
};
