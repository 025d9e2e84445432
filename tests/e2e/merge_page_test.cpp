// The Merge page as a person uses it: choosing a piece and an output, a merge from the
// button to the opened folder, and the two refusals.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "res/resource.h"
#include "split_merge_page_test.h"

namespace e2e {
namespace {

constexpr int kFileNameField = 1148;

class MergePageTest : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        if (IsSkipped()) return;
        StartOnTab(1);
    }

    // Writes a series of `count` pieces of `source` cut at `chunk`, leaving out `skip`.
    void WriteSeries(const fs::path& folder, const std::string& source, unsigned chunk,
                     int skip = -1) {
        fs::create_directories(folder);
        const unsigned count = static_cast<unsigned>((source.size() + chunk - 1) / chunk);
        for (unsigned i = 0; i < count; ++i) {
            if (static_cast<int>(i) == skip) continue;
            const fs::path piece = folder / (L"movie" + std::to_wstring(i) + L".avi.spt");
            ASSERT_TRUE(
                WriteBytes(piece, PieceBytes(i, count, chunk, source.substr(i * chunk, chunk))));
        }
    }

    // The checksum file and the spare the split would leave beside that series.
    void WriteChecksums(const fs::path& folder, const std::string& source, unsigned chunk) {
        const unsigned count = static_cast<unsigned>((source.size() + chunk - 1) / chunk);
        std::string spare(chunk, '\0');
        std::string lines = "# a comment\n";
        for (unsigned i = 0; i < count; ++i) {
            const std::string data = source.substr(i * chunk, chunk);
            for (size_t k = 0; k < data.size(); ++k) spare[k] ^= data[k];
            lines += Sha256Hex(PieceBytes(i, count, chunk, data)) + "  movie" + std::to_string(i) +
                     ".avi.spt\n";
        }
        spare = "quillet-parity\n1\n" + std::to_string(count) + "\n" + std::to_string(chunk) +
                "\n" + std::to_string(source.size()) + "\n" + spare;
        ASSERT_TRUE(WriteBytes(folder / L"movie.avi.parity", spare));
        lines += Sha256Hex(source) + "  movie.avi\n" + Sha256Hex(spare) + "  movie.avi.parity\n";
        ASSERT_TRUE(WriteBytes(folder / L"movie.avi.sha256", lines));
    }

    bool ChoosePiece(const fs::path& piece) {
        return ChooseFileWith(IDC_MERGE_BROWSE_PIECE, piece);
    }
    bool ChooseOutput(const fs::path& output) {
        return ChooseFileWith(IDC_MERGE_CHOOSE_OUTPUT, output);
    }

    std::wstring Text(int id) { return ControlText(m_page, id); }

    void ExpectMessageAndEmptyOutput(const wchar_t* text, const fs::path& output) {
        MessageBoxInfo box = PressAndReadBox(IDC_MERGE_RUN);
        ASSERT_NE(box.window, nullptr) << "no message box";
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, L"Quillet");
        EXPECT_EQ(box.icon, IconKind::kExclamation);
        EXPECT_TRUE(AnswerMessageBox(box.window, IDOK));
        ASSERT_TRUE(fs::exists(output));
        EXPECT_EQ(fs::file_size(output), 0u);
        EXPECT_TRUE(Recorder().Entries().empty()) << "a refused merge opens no folder";
    }
};

TEST_F(MergePageTest, FirstDisplayShowsEmptyPathsAnEmptyBarAndMergeDisabled) {
    EXPECT_EQ(Text(IDC_MERGE_PIECE_PATH), L"");
    EXPECT_EQ(Text(IDC_MERGE_OUTPUT_PATH), L"");
    EXPECT_FALSE(IsControlEnabled(m_page, IDC_MERGE_RUN));
    HWND bar = ProgressBarOf(m_page);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(ProgressPos(bar), 0);
    const DialogUnits units = MeasureUnits(m_page, QuilletExe(), IDD_MERGE_PAGE);
    EXPECT_EQ(RectInParent(bar), units.Scaled(RECT{30, 240, 455, 260}));
    Photograph(L"merge-first.bmp");
}

TEST_F(MergePageTest, AnOutputWithoutAPieceIsCreatedEmptyAndTheChoiceIsCalledWrong) {
    const fs::path output = m_folder / L"out.bin";
    ASSERT_TRUE(ChooseOutput(output));
    EXPECT_EQ(Text(IDC_MERGE_OUTPUT_PATH), output.wstring());
    EXPECT_TRUE(IsControlEnabled(m_page, IDC_MERGE_RUN));
    ExpectMessageAndEmptyOutput(L"选择了错误的文件!", output);
}

TEST_F(MergePageTest, ACompleteSeriesIsJoinedByteForByteAndItsOutputFolderOpens) {
    const std::string source = Pattern(3 * 30000 + 12345);
    const fs::path pieces = m_folder / L"pieces";
    WriteSeries(pieces, source, 30000);
    const fs::path joined = m_folder / L"joined";
    ASSERT_TRUE(fs::create_directory(joined));

    ASSERT_TRUE(ChoosePiece(pieces / L"movie2.avi.spt"));
    EXPECT_EQ(Text(IDC_MERGE_PIECE_PATH), (pieces / L"movie2.avi.spt").wstring());
    ASSERT_TRUE(ChooseOutput(joined / L"movie.avi"));
    ASSERT_TRUE(ClickControl(m_page, IDC_MERGE_RUN));

    EXPECT_TRUE(SameFolder(OpenedByShell(), joined.wstring()));
    EXPECT_TRUE(ReadBytes(joined / L"movie.avi") == source) << "the output differs";
    HWND bar = ProgressBarOf(m_page);
    EXPECT_EQ(ProgressMax(bar), static_cast<int>(source.size() / 10240));
    EXPECT_EQ(ProgressPos(bar), ProgressMax(bar));
    EXPECT_TRUE(IsControlEnabled(m_page, IDC_MERGE_RUN)) << "Merge stays available";
    Photograph(L"merge-done.bmp");
}

TEST_F(MergePageTest, ASeriesWithAMissingPieceIsRefusedAndTheOutputStaysEmpty) {
    const fs::path pieces = m_folder / L"pieces";
    WriteSeries(pieces, Pattern(3 * 30000), 30000, /*skip=*/1);
    const fs::path output = m_folder / L"movie.avi";
    ASSERT_TRUE(ChoosePiece(pieces / L"movie0.avi.spt"));
    ASSERT_TRUE(ChooseOutput(output));
    ExpectMessageAndEmptyOutput(L"缺少文件,无法合并!", output);
}

TEST_F(MergePageTest, AFlippedByteIsNamedAndTheOutputIsCalledNotTheOriginal) {
    const std::string source = Pattern(3 * 30000 + 12345);
    const fs::path pieces = m_folder / L"pieces";
    WriteSeries(pieces, source, 30000);
    WriteChecksums(pieces, std::string(source).replace(40000, 1, 1, '!'), 30000);
    fs::remove(pieces / L"movie.avi.parity");  // else the window offers to rebuild the piece
    const fs::path output = m_folder / L"movie.avi";
    ASSERT_TRUE(ChoosePiece(pieces / L"movie0.avi.spt"));
    ASSERT_TRUE(ChooseOutput(output));
    MessageBoxInfo box = PressAndReadBox(IDC_MERGE_RUN);
    ASSERT_NE(box.window, nullptr) << "no message box";
    EXPECT_EQ(box.text, L"以下分割文件已损坏:\nmovie1.avi.spt\n合并结果不是原文件!");
    EXPECT_EQ(box.icon, IconKind::kExclamation);
    EXPECT_TRUE(AnswerMessageBox(box.window, IDOK));
    EXPECT_TRUE(ReadBytes(output) == source) << "the output holds what the pieces hold";
    EXPECT_TRUE(Recorder().Entries().empty()) << "a damaged merge opens no folder";
}

TEST_F(MergePageTest, AMissingPieceIsRebuiltFromTheSpareOnYesAndTheJoinIsTheOriginal) {
    const std::string source = Pattern(3 * 30000 + 12345);
    const fs::path pieces = m_folder / L"pieces";
    WriteSeries(pieces, source, 30000);
    WriteChecksums(pieces, source, 30000);
    const std::string lost = ReadBytes(pieces / L"movie1.avi.spt");
    fs::remove(pieces / L"movie1.avi.spt");
    const fs::path output = m_folder / L"movie.avi";
    ASSERT_TRUE(ChoosePiece(pieces / L"movie0.avi.spt"));
    ASSERT_TRUE(ChooseOutput(output));
    MessageBoxInfo box = PressAndReadBox(IDC_MERGE_RUN);
    ASSERT_NE(box.window, nullptr) << "no question";
    EXPECT_EQ(box.text, L"分割文件 movie1.avi.spt 缺失或已损坏。\n用恢复文件重建它吗?");
    EXPECT_THAT(box.buttons, ::testing::ElementsAre(IDYES, IDNO));
    EXPECT_TRUE(SaveWindowPicture(box.window, ScreenshotPath(L"merge-rebuild-question.bmp")));
    ASSERT_TRUE(AnswerMessageBox(box.window, IDYES));
    EXPECT_TRUE(SameFolder(OpenedByShell(), m_folder.wstring()));
    EXPECT_TRUE(ReadBytes(pieces / L"movie1.avi.spt") == lost) << "the piece came back otherwise";
    EXPECT_EQ(Sha256Hex(ReadBytes(output)), Sha256Hex(source));
}

TEST_F(MergePageTest, TheOutputPickerOffersThePieceNameWithoutItsLastExtension) {
    const fs::path piece = m_folder / L"movie3.avi.spt";
    ASSERT_TRUE(WriteBytes(piece, PieceBytes(3, 4, 10, "0123456789")));
    ASSERT_TRUE(ChoosePiece(piece));

    HWND dialog = OpenDialog(IDC_MERGE_CHOOSE_OUTPUT);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, kFileNameField), L"movie3.avi");
    ASSERT_TRUE(CancelDialog(dialog));
    EXPECT_EQ(Text(IDC_MERGE_OUTPUT_PATH), L"");
    EXPECT_FALSE(IsControlEnabled(m_page, IDC_MERGE_RUN)) << "a cancelled output enables nothing";

    ASSERT_TRUE(CancelDialogOf(IDC_MERGE_BROWSE_PIECE));
    EXPECT_EQ(Text(IDC_MERGE_PIECE_PATH), piece.wstring()) << "a cancel keeps the earlier piece";
}

}  // namespace
}  // namespace e2e
