#include "platform/folder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/folder_names.h"
#include "common/name_table.h"
#include "common/temp_dir.h"
#include "platform/file.h"
#include "platform/path.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

const std::string kSep(1, path::kSeparator);

const folder::Entry* FindEntry(const std::vector<folder::Entry>& entries, const std::string& name) {
    auto it = std::find_if(entries.begin(), entries.end(),
                           [&](const folder::Entry& e) { return e.name == name; });
    return it == entries.end() ? nullptr : &*it;
}

// A dot name is hidden on POSIX; Windows wants the attribute as well.
void MakeHidden(const std::string& path) {
#ifdef _WIN32
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
#else
    (void)path;
#endif
}

TEST(FolderList, ReportsEveryEntryWithItsFlags) {
    TempDir dir;
    dir.WriteFile("a.txt", "x");
    dir.WriteFile(".secret", "x");
    MakeHidden(dir.Join(".secret"));
    dir.WriteFile(u8"文件.txt", "x");
    ASSERT_TRUE(folder::Create(dir.Join("sub")));

    std::vector<folder::Entry> entries;
    ASSERT_TRUE(folder::List(dir.path(), entries));
    EXPECT_EQ(entries.size(), 6u);
    for (const char* name : {".", ".."}) {
        const folder::Entry* e = FindEntry(entries, name);
        ASSERT_NE(e, nullptr) << name;
        EXPECT_TRUE(e->isDirectory);
        EXPECT_FALSE(e->isHidden);
    }
    const folder::Entry* file = FindEntry(entries, "a.txt");
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(file->isDirectory);
    EXPECT_FALSE(file->isHidden);
    const folder::Entry* hidden = FindEntry(entries, ".secret");
    ASSERT_NE(hidden, nullptr);
    EXPECT_TRUE(hidden->isHidden);
    const folder::Entry* sub = FindEntry(entries, "sub");
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->isDirectory);
    EXPECT_NE(FindEntry(entries, u8"文件.txt"), nullptr);
}

TEST(FolderList, MissingFolderListsNothing) {
    TempDir dir;
    std::vector<folder::Entry> entries(1);
    EXPECT_FALSE(folder::List(dir.Join("missing"), entries));
    EXPECT_TRUE(entries.empty());
    dir.WriteFile("file", "x");
    EXPECT_FALSE(folder::List(dir.Join("file"), entries));
}

TEST(FolderCreate, RefusesAnExistingEntryWithNameExists) {
    TempDir dir;
    long code = -1;
    EXPECT_TRUE(folder::Create(dir.Join("new"), &code));
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(folder::Create(dir.Join("new"), &code));
    EXPECT_EQ(code, 183);
    dir.WriteFile("file", "x");
    EXPECT_FALSE(folder::Create(dir.Join("file"), &code));
    EXPECT_EQ(code, 183);
    const std::string nested = dir.Join("missing") + kSep + "x";
    EXPECT_FALSE(folder::Create(nested, &code));
    EXPECT_EQ(code, 3);
    EXPECT_FALSE(folder::Create(dir.Join("new")));  // no code wanted
}

// Folders under each name of the table, in a plain folder and below a path over 260
// characters: created, listed and identified as themselves, never as a look-alike.
TEST(FolderCreate, EveryNameIsCreatedListedAndIdentifiedAsItIs) {
    TempDir dir;
    const std::vector<std::string> deep = LongPathFolders(dir.path(), path::kSeparator);
    for (const std::string& folderPath : deep) ASSERT_TRUE(folder::Create(folderPath));
    ASSERT_TRUE(folder::Create(dir.Join("plain")));
    std::vector<std::string> sorted = NameTable();
    std::sort(sorted.begin(), sorted.end());
    for (const std::string& parent : {dir.Join("plain"), deep.back()}) {
        SCOPED_TRACE(parent.size());
        std::vector<folder::FileIdentity> identities;
        for (const std::string& name : NameTable()) {
            ASSERT_TRUE(folder::Create(parent + kSep + name)) << name;
            folder::FileIdentity identity;
            ASSERT_TRUE(folder::Identify(parent + kSep + name, identity)) << name;
            EXPECT_EQ(std::count(identities.begin(), identities.end(), identity), 0) << name;
            identities.push_back(identity);
        }
        EXPECT_EQ(NamesIn(parent), sorted);
        std::vector<folder::Entry> entries;
        EXPECT_TRUE(folder::List(parent + kSep + NameTable()[0], entries));
    }
}

TEST(Identify, ComparesIdentityNotSpelling) {
    TempDir dir;
    dir.WriteFile("a.bin", "x");
    dir.WriteFile("b.bin", "x");
    ASSERT_TRUE(folder::Create(dir.Join("sub")));
    auto same = [](const std::string& a, const std::string& b) {
        folder::FileIdentity ia, ib;
        return folder::Identify(a, ia) && folder::Identify(b, ib) && ia == ib;
    };
    EXPECT_TRUE(same(dir.Join("a.bin"), dir.Join("a.bin")));
    EXPECT_TRUE(same(dir.Join("a.bin"), dir.Join("sub") + kSep + ".." + kSep + "a.bin"));
    EXPECT_FALSE(same(dir.Join("a.bin"), dir.Join("b.bin")));
    EXPECT_FALSE(same(dir.Join("a.bin"), dir.Join("sub")));
    folder::FileIdentity missing;
    EXPECT_FALSE(folder::Identify(dir.Join("missing"), missing));
}

// A rename keeps an entry's identity, and so does a folder's new content; a file
// rewritten to another size is not the entry it was.
TEST(Identify, KeepsAnEntryThroughARenameButNotThroughARewrite) {
    TempDir dir;
    dir.WriteFile("a.bin", "x");
    ASSERT_TRUE(folder::Create(dir.Join("sub")));
    folder::FileIdentity file, sub, now;
    ASSERT_TRUE(folder::Identify(dir.Join("a.bin"), file));
    ASSERT_TRUE(folder::Identify(dir.Join("sub"), sub));
    ASSERT_TRUE(CFile::Rename(dir.Join("a.bin"), dir.Join("b.bin")));
    ASSERT_TRUE(CFile::Rename(dir.Join("sub"), dir.Join("d")));
    dir.WriteFile("d" + kSep + "inside", "x");
    EXPECT_TRUE(folder::Identify(dir.Join("b.bin"), now) && now == file);
    EXPECT_TRUE(folder::Identify(dir.Join("d"), now) && now == sub);
    dir.WriteFile("b.bin", "longer");
    EXPECT_TRUE(folder::Identify(dir.Join("b.bin"), now) && now != file);
#ifndef _WIN32
    // A link is itself, wherever it leads; its target is reached through it.
    ASSERT_EQ(0, symlink("b.bin", dir.Join("link1").c_str()));
    ASSERT_EQ(0, symlink("b.bin", dir.Join("link2").c_str()));
    ASSERT_EQ(0, symlink("missing", dir.Join("dangling").c_str()));
    folder::FileIdentity link1, link2, target;
    ASSERT_TRUE(folder::Identify(dir.Join("link1"), link1));
    ASSERT_TRUE(folder::Identify(dir.Join("link2"), link2));
    EXPECT_NE(link1, link2);
    EXPECT_TRUE(folder::Identify(dir.Join("dangling"), now));
    ASSERT_TRUE(folder::IdentifyTarget(dir.Join("link1"), target));
    EXPECT_TRUE(folder::Identify(dir.Join("b.bin"), now) && now == target);
#endif
}

}  // namespace
