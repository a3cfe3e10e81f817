// readUpdateFile on real files: each test runs in a fresh temporary directory
// that becomes the current directory.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/update_support.h"
#include "update/update_file.h"
#include "tests/place_list_test.h"

namespace orvetta {
namespace {

namespace fs = std::filesystem;

struct Message {
    std::string text;
    std::string caption;
};

void recordMessage(void* context, const char* text, const char* caption) {
    static_cast<std::vector<Message>*>(context)->push_back({text, caption});
}

class ReadUpdateFile : public test::UpdateFixture {
protected:
    void SetUp() override {
        UpdateFixture::SetUp();
        home_ = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "orvetta-update-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(home_);
        fs::remove_all(dir_);
        UpdateFixture::TearDown();
    }
    static void writeFile(const std::string& bytes) { std::ofstream("velkarad.txt", std::ios::binary) << bytes; }
    int read() {
        return readUpdateFile({recordMessage, &messages_}, places.records, places.areaTable, places.prefectureTable,
                              &error_);
    }

    std::vector<Message> messages_;
    UpdateError error_;

private:
    fs::path home_, dir_;
};

TEST_F(ReadUpdateFile, TellsTheUserWhenThereIsNoFile) {
    EXPECT_EQ(read(), kUpdateNoFile);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(test::utf8(messages_[0].text), "velkarad.txt が見つかりませんでした\n更新処理を行なわずに起動します");
    EXPECT_EQ(messages_[0].caption, "Orvetta");
    expectShipped();
}

TEST_F(ReadUpdateFile, ADirectoryOfThatNameDoesNotOpen) {
    fs::create_directory("velkarad.txt");
    EXPECT_EQ(read(), kUpdateNoFile);
    EXPECT_EQ(messages_.size(), 1u);
    expectShipped();
}

// Opening a FIFO must not wait for a writer that never comes.
TEST_F(ReadUpdateFile, AFifoOfThatNameDoesNotOpen) {
    ASSERT_EQ(mkfifo("velkarad.txt", 0600), 0);
    EXPECT_EQ(read(), kUpdateNoFile);
    EXPECT_EQ(messages_.size(), 1u);
    expectShipped();
}

TEST_F(ReadUpdateFile, RejectsAnEmptyFileSilently) {
    writeFile("");
    EXPECT_EQ(read(), kUpdateRejected);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(error_.fault, UpdateFault::FileEmpty);
    expectShipped();
}

// Sparse files of zero bytes: 1 MiB reads as empty lines, one byte more is
// turned away by its size alone.
TEST_F(ReadUpdateFile, TakesAtMostOneMebibyte) {
    writeFile("");
    ASSERT_EQ(truncate("velkarad.txt", kUpdateSizeLimit), 0);
    EXPECT_EQ(read(), kUpdateMerged);
    ASSERT_EQ(truncate("velkarad.txt", kUpdateSizeLimit + 1), 0);
    EXPECT_EQ(read(), kUpdateRejected);
    EXPECT_EQ(error_.line, 0);
    EXPECT_EQ(error_.fault, UpdateFault::FileTooLarge);
    ASSERT_EQ(truncate("velkarad.txt", off_t{5} << 30), 0);  // 5 GiB, never read
    EXPECT_EQ(read(), kUpdateRejected);
    EXPECT_EQ(error_.fault, UpdateFault::FileTooLarge);
    EXPECT_TRUE(messages_.empty());
    expectShipped();
}

TEST_F(ReadUpdateFile, MergesTheFileOfTheCurrentDirectory) {
    writeFile(test::crlfFile({"; new city", "0136,北斗市,ほくとし,1", "01001B,鶴居村,つるいむら,0"}));
    EXPECT_EQ(read(), kUpdateMerged);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(numberAt(45), "0136");
    EXPECT_EQ(at(48).current, '0');  // 01001B, one slot later
    expectInvariants();
}

TEST_F(ReadUpdateFile, RejectsABadFileSilently) {
    writeFile(test::crlfFile({"0136,北斗市,ほくとし,1", "0136,北斗市,ほくとし"}));
    EXPECT_EQ(read(), kUpdateRejected);
    EXPECT_TRUE(messages_.empty());
    expectShipped();
}

TEST_F(ReadUpdateFile, AcceptsTheShippedExampleUnchanged) {
    std::ifstream in(ORVETTA_SOURCE_DIR "/update/velkarad.txt", std::ios::binary);
    ASSERT_TRUE(in);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_NE(bytes.find("\r\n"), std::string::npos);
    writeFile(bytes);
    EXPECT_EQ(read(), kUpdateMerged);
    expectShipped();
    // Its commented-out example is a good line.
    const size_t example = bytes.find("\r\n;0");
    ASSERT_NE(example, std::string::npos);
    writeFile(bytes.substr(example + 3));
    EXPECT_EQ(read(), kUpdateMerged);
    EXPECT_EQ(count(), shippedRecordCount() + 1);
}

TEST(UpdateMessages, AreTheTextsTheUserSees) {
    EXPECT_EQ(
        test::utf8(kUpdateErrorText),
        "地名の変更・登録に失敗しました\nvelkarad.txt の内容をチェックしてください。\n\n更新処理を行なわずに起動します");
    EXPECT_EQ(test::utf8(kUpdateErrorCaption), "Orvetta：更新エラー");
    // A rejected file adds its first fault after the second line.
    EXPECT_EQ(test::utf8(updateErrorText({12, UpdateFault::NumberTooLong})),
              "地名の変更・登録に失敗しました\nvelkarad.txt の内容をチェックしてください。\n"
              "12 行目: 番号が 6 文字を超えています\n\n更新処理を行なわずに起動します");
    EXPECT_EQ(test::utf8(updateErrorText({0, UpdateFault::FileTooLarge})),
              "地名の変更・登録に失敗しました\nvelkarad.txt の内容をチェックしてください。\n"
              "ファイルが 1 MiB を超えています\n\n更新処理を行なわずに起動します");
    EXPECT_EQ(updateErrorText({12, UpdateFault::NumberTooLong}, Language::English),
              "The places could not be changed or added.\nPlease check velkarad.txt.\n"
              "Line 12: the number is longer than 6 characters\n\nOrvetta starts without updates.");
}

}  // namespace
}  // namespace orvetta
