#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

#include "engine/TextConversion.h"
#include "platform/AfxMessageBox.h"
#include "platform/CFileDialog.h"
#include "res/Resource.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestStream.h"
#include "tests/ui/MainDialogHarness.h"
#include "tests/ui/UserFolders.h"
#include "ui/ChoiceBox.h"
#include "ui/JoinQuestion.h"

using veldrun::test::MainDialogHarness;
using veldrun::test::TempDir;
using veldrun::test::TestStream;

namespace {

const std::int64_t kSecond = TestStream::kSecond;
// 2024-07-14 10:03:41 UTC.
const std::int64_t kJuly14 = 1720951421;

std::string DatedClip(unsigned dayTime, double first, double last) {
    return TestStream().Dated(0x202407, dayTime).Bytes() +
           TestStream()
               .Recording(static_cast<std::int64_t>(first * kSecond),
                          static_cast<std::int64_t>(last * kSecond))
               .Bytes();
}

std::wstring Wide(const std::string& text) {
    return veldrun::ToWide(text).value();
}

std::int64_t ModifiedSeconds(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mtim.tv_sec : -1;
}

// A card with three recordings, the first in two pieces, and a user of the test's own
// (UserFolders).
class EachRecording : public ::testing::Test {
protected:
    void SetUp() override {
        clips = {card.Write("00001.MTS", DatedClip(0x14100341, 0, 10)),
                 card.Write("00002.MTS", DatedClip(0x14100351, 10.1, 20)),
                 card.Write("00003.MTS", DatedClip(0x14120000, 500, 510)),
                 card.Write("00004.MTS", DatedClip(0x14130000, 900, 910))};
        AfxMessageBoxAnswers().Record();
        ChoiceBox::Answers().Record();
        JoinQuestion::Answers().Record();
    }
    void TearDown() override {
        AfxMessageBoxAnswers().Clear();
        ChoiceBox::Answers().Clear();
        JoinQuestion::Answers().Clear();
        CFileDialog::Answers().Clear();
    }
    void AddClips() {
        for (const std::string& clip : clips) {
            CFileDialog::Answers().Queue({IDOK, {Wide(clip)}});
            QTest::mouseClick(dlg.Control(IDC_ADD), Qt::LeftButton);
        }
        dlg.m_details.AwaitReading();
    }
    void TypeOutput(const std::string& text) {
        auto* edit = static_cast<QLineEdit*>(dlg.Control(IDC_OUTPUT_FILE));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QString::fromStdString(text));
    }
    // Presses a check box's space bar, as the keyboard user does.
    void Press(int id) {
        dlg.Control(id)->setFocus();
        QTest::keyClick(dlg.Control(id), Qt::Key_Space);
    }
    bool EachRecordingOn() const {
        return static_cast<QAbstractButton*>(dlg.Control(IDC_EACH_RECORDING))->isChecked();
    }
    std::string Film(const std::string& name) const { return home / ("Films/" + name); }

    veldrun::test::UserFolders user;
    const TempDir& home = user.Home();
    TempDir card;
    std::vector<std::string> clips;
    MainDialogHarness dlg;
};

} // namespace

TEST_F(EachRecording, SeveralRecordingsAskFirstAndOneFilePerRecordingWritesEachDated) {
    const std::string first = Film("2024-07-14 10.03.41.MTS");
    const std::string second = Film("2024-07-14 12.00.00.MTS");
    const std::string third = Film("2024-07-14 13.00.00.MTS");
    dlg.Run([&] {
        AddClips();
        EXPECT_FALSE(EachRecordingOn());
        EXPECT_TRUE(static_cast<QAbstractButton*>(dlg.Control(IDC_VERIFY))->isChecked());
        TypeOutput("joined.mts");

        // Cancel: nothing is written.
        JoinQuestion::Answers().Queue(JoinQuestion::Answer::Cancel);
        QTest::mouseClick(dlg.Control(IDC_MERGE), Qt::LeftButton);
        EXPECT_EQ(std::vector<std::wstring>{L"The list holds 3 separate recordings.\nJoin them "
                                            L"into one file anyway?"},
                  JoinQuestion::Answers().TakeRequests());
        EXPECT_TRUE(std::filesystem::is_empty(home / "Films"));
        EXPECT_TRUE(AfxMessageBoxAnswers().TakeRequests().empty());

        // One File per Recording: the box goes on, Output File names the videos folder.
        JoinQuestion::Answers().Queue(JoinQuestion::Answer::EachRecording);
        ChoiceBox::Answers().Queue(0);
        QTest::mouseClick(dlg.Control(IDC_MERGE), Qt::LeftButton);
        EXPECT_EQ(1u, JoinQuestion::Answers().TakeRequests().size());
        EXPECT_TRUE(EachRecordingOn());
        EXPECT_EQ(Wide(home / "Films"), MainDialogHarness::TextOf(dlg.m_outputEdit));
        const auto ends = ChoiceBox::Answers().TakeRequests();
        ASSERT_EQ(1u, ends.size());
        EXPECT_EQ(0u, ends[0].text.find(L"Merging complete\n"));
        EXPECT_TRUE(dlg.m_job->options.verify);
        EXPECT_TRUE(TempDir::Read(first) == TempDir::Read(clips[0]) + TempDir::Read(clips[1]));
        EXPECT_TRUE(TempDir::Read(second) == TempDir::Read(clips[2]));
        EXPECT_TRUE(TempDir::Read(third) == TempDir::Read(clips[3]));
        EXPECT_EQ(kJuly14, ModifiedSeconds(first));
        EXPECT_EQ(kJuly14 + 7200 - 221, ModifiedSeconds(second));
        EXPECT_EQ(kJuly14 + 10800 - 221, ModifiedSeconds(third));

        // Again, with the box on: no join question; the replace question, No writes nothing.
        home.Write("Films/2024-07-14 12.00.00.MTS", "the user's own");
        std::filesystem::remove(third);
        AfxMessageBoxAnswers().Queue(IDNO);
        QTest::mouseClick(dlg.Control(IDC_MERGE), Qt::LeftButton);
        const auto asked = AfxMessageBoxAnswers().TakeRequests();
        ASSERT_EQ(1u, asked.size());
        EXPECT_EQ(L"2 of the 3 files already exist in " + Wide(home / "Films") +
                      L".\nDo you want to replace them?",
                  asked[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2), asked[0].type);
        EXPECT_TRUE(JoinQuestion::Answers().TakeRequests().empty());
        EXPECT_EQ("the user's own", TempDir::Read(second));
        EXPECT_FALSE(TempDir::Exists(third)) << "No writes nothing";
        EXPECT_TRUE(ChoiceBox::Answers().TakeRequests().empty());
    });
}

TEST_F(EachRecording, JoinWritesOneFileDatedByTheFirstRecordingAndVerifyFollowsItsBox) {
    dlg.Run([&] {
        AddClips();
        TypeOutput("~/joined.mts");
        Press(IDC_VERIFY);
        JoinQuestion::Answers().Queue(JoinQuestion::Answer::Join);
        ChoiceBox::Answers().Queue(0);
        QTest::mouseClick(dlg.Control(IDC_MERGE), Qt::LeftButton);
        EXPECT_FALSE(EachRecordingOn());
        EXPECT_FALSE(dlg.m_job->options.verify);
        std::string all;
        for (const std::string& clip : clips)
            all += TempDir::Read(clip);
        EXPECT_TRUE(TempDir::Read(home / "joined.mts") == all) << "~ is the home folder";
        EXPECT_EQ(kJuly14, ModifiedSeconds(home / "joined.mts"));
    });
}
