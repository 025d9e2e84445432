#include "platform/path.h"

#include <gtest/gtest.h>

#include <initializer_list>

using text::CodePage;
namespace {

std::string Join(std::initializer_list<const char*> parts) {
    std::string p;
    for (const char* part : parts) {
        if (!p.empty()) p += path::kSeparator;
        p += part;
    }
    return p;
}

TEST(Path, SplitsAtTheLastSeparator) {
    const std::string movie = Join({"D:", "video", "movie.avi"});
    EXPECT_EQ(path::FolderOf(movie), Join({"D:", "video"}));
    EXPECT_EQ(path::FolderWithSeparator(movie), Join({"D:", "video"}) + path::kSeparator);
    EXPECT_EQ(path::NameOf(movie), "movie.avi");

    EXPECT_EQ(path::FolderOf("movie.avi"), "movie.avi");
    EXPECT_EQ(path::FolderWithSeparator("movie.avi"), "");
    EXPECT_EQ(path::NameOf("movie.avi"), "movie.avi");

    const std::string root = Join({"C:", ""});
    EXPECT_EQ(path::FolderOf(root), "C:");
    EXPECT_EQ(path::NameOf(root), "");
}

TEST(Path, SplitsNamesAtTheLastDot) {
    EXPECT_EQ(path::TitleOf("movie.avi"), "movie");
    EXPECT_EQ(path::ExtensionOf("movie.avi"), "avi");
    EXPECT_EQ(path::TitleOf("archive.tar.gz"), "archive.tar");
    EXPECT_EQ(path::ExtensionOf("archive.tar.gz"), "gz");
    EXPECT_EQ(path::TitleOf("README"), "README");
    EXPECT_EQ(path::ExtensionOf("README"), "");
    EXPECT_EQ(path::TitleOf(".profile"), "");
    EXPECT_EQ(path::ExtensionOf(".profile"), "profile");
    EXPECT_EQ(path::TitleOf("a."), "a");
    EXPECT_EQ(path::ExtensionOf("a."), "");
}

TEST(Path, GbkLeadByteTakesTheSeparatorWithIt) {
    // A lead byte pairs with whatever byte follows it, a separator byte included.
    const std::string sep(1, path::kSeparator);
    const std::string p = "D:" + sep + "\xD5" + sep + "a.txt";
    EXPECT_EQ(path::FolderOf(p, CodePage::kGbk), "D:");
    EXPECT_EQ(path::NameOf(p, CodePage::kGbk), "\xD5" + sep + "a.txt");
    EXPECT_EQ(path::ExtensionOf("\xB0\xA1.txt", CodePage::kGbk), "txt");
    EXPECT_EQ(path::TitleOf("\xB0\xA1.txt", CodePage::kGbk), "\xB0\xA1");
}

}  // namespace
