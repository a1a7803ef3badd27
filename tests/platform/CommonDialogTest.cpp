#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "platform/AfxMessageBox.h"
#include "platform/CFileDialog.h"
#include "platform/CWinApp.h"
#include "tests/support/TempDir.h"

using veldrun::test::TempDir;

namespace {

const wchar_t kFilter[] = L"MTS Files (*.mts)|*.mts|All Files (*.*)|*.*||";

// An application whose start-up shows one message box, answered by the test.
class MessageApp : public CWinApp {
public:
    explicit MessageApp(LPCTSTR name = nullptr, BOOL result = FALSE)
        : CWinApp(name), m_result(result) {}
    int starts = 0;
    std::wstring nameAtStart;

    BOOL InitInstance() override {
        ++starts;
        nameAtStart = AfxGetAppName();
        AfxMessageBox(L"Merging complete", MB_OK | MB_ICONINFORMATION);
        return m_result;
    }

private:
    BOOL m_result;
};

int RunApp(const char* executable) {
    char* argv[] = {const_cast<char*>(executable), nullptr};
    return AfxWinMain(1, argv);
}

// The names that a Qt file dialog lists in `folder` under its first filter.
QStringList ListedNames(const QString& folder, const QStringList& filters) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(filters);
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (!model)
        return {"<no model>"};
    // The model lists a folder in batches and says when it is done.
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    dialog.setDirectory(folder);
    const QModelIndex root = model->index(folder);
    const auto listed = [&] {
        for (const QList<QVariant>& signal : loaded) {
            if (QDir(signal.at(0).toString()) == QDir(folder))
                return true;
        }
        return false;
    };
    if (!QTest::qWaitFor(listed, 5000))
        return {"<nothing listed>"};
    QStringList names;
    for (int row = 0; row < model->rowCount(root); ++row)
        names << model->index(row, 0, root).data().toString();
    names.sort();
    return names;
}

// Runs `dialog` for real; `act` uses Qt's dialog once it shows. One still open is cancelled, and
// a message box over it (a refusal of the names) closed.
INT_PTR RunForReal(CFileDialog& dialog, const std::function<void(QFileDialog*)>& act) {
    QTimer refusals;
    QObject::connect(&refusals, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->close();
    });
    refusals.start(10);
    QTimer::singleShot(0, [&] {
        auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(files, nullptr);
        act(files);
        if (files->isVisible())
            files->reject();
    });
    return dialog.DoModal();
}

QPushButton* OpenButton(QFileDialog* files) {
    return files->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
}

class CommonDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        CFileDialog::Answers().Clear();
        AfxMessageBoxAnswers().Clear();
        CFileDialog::Answers().Record();
        AfxMessageBoxAnswers().Record();
    }
    void TearDown() override {
        CFileDialog::Answers().Clear();
        AfxMessageBoxAnswers().Clear();
    }
};

} // namespace

TEST_F(CommonDialogs, FilterBecomesQtFiltersThatMatchUpperCase) {
    EXPECT_EQ(CFileDialog::ToQtFilters(kFilter),
              (QStringList{"MTS Files (*.mts *.MTS)", "All Files (*)"}));
    EXPECT_EQ(CFileDialog::ToQtFilters(L"Clips|*.mts;*.M2TS||"),
              (QStringList{"Clips (*.mts *.MTS *.M2TS *.m2ts)"}));
    EXPECT_TRUE(CFileDialog::ToQtFilters(nullptr).isEmpty());
}

TEST_F(CommonDialogs, QtsOwnDialogListsUpperCaseClips) {
    TempDir folder;
    for (const char* name : {"00001.MTS", "b.mts", "notes.txt"})
        folder.Write(name, "x");
    const QString path = QString::fromStdString(folder.Path());
    const QStringList filters = CFileDialog::ToQtFilters(kFilter);
    EXPECT_EQ(ListedNames(path, filters), (QStringList{"00001.MTS", "b.mts"}));
    EXPECT_EQ(ListedNames(path, {filters[1], filters[0]}),
              (QStringList{"00001.MTS", "b.mts", "notes.txt"}));
}

TEST_F(CommonDialogs, SaveAppendsTheDefaultExtensionToANameWithoutOne) {
    const std::vector<std::pair<std::wstring, std::wstring>> cases = {
        {L"/tmp/out", L"/tmp/out.mts"},
        {L"/tmp/out.ts", L"/tmp/out.ts"},
        {L"/tmp/v1.2/out", L"/tmp/v1.2/out.mts"},
    };
    for (const auto& [chosen, expected] : cases) {
        CFileDialog::Answers().Queue({IDOK, {chosen}});
        CFileDialog save(FALSE, L"mts", nullptr, OFN_OVERWRITEPROMPT, kFilter);
        EXPECT_EQ(save.DoModal(), IDOK);
        EXPECT_EQ(save.GetPathName().Str(), expected);
    }
    const std::vector<CFileDialog::Request> asked = CFileDialog::Answers().TakeRequests();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_FALSE(asked[0].open);
    EXPECT_EQ(asked[0].flags, OFN_OVERWRITEPROMPT);
    EXPECT_EQ(asked[0].filter, kFilter);
    EXPECT_EQ(asked[0].defaultExtension, L"mts");
}

TEST_F(CommonDialogs, OpenGivesOnePathOrAFolderWithNames) {
    CFileDialog::Answers().Queue({IDOK, {L"/media/cam/00001.MTS"}});
    CFileDialog one(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, kFilter);
    one.GetOFN().lpstrTitle = L"Select Streams";
    EXPECT_EQ(one.DoModal(), IDOK);
    EXPECT_EQ(one.GetPathName(), L"/media/cam/00001.MTS");
    EXPECT_EQ(one.GetFileName(), L"00001.MTS");

    // As the input list asks: its own buffer, filled with the folder and NUL-ended names.
    CFileDialog::Answers().Queue({IDOK, {L"/media/cam/a b.MTS", L"/media/cam/\"c\".mts"}});
    CFileDialog several(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, kFilter);
    CString buffer;
    several.GetOFN().lpstrFile = buffer.GetBuffer(0x10501);
    several.GetOFN().nMaxFile = 0x10501;
    EXPECT_EQ(several.DoModal(), IDOK);
    EXPECT_TRUE(several.GetFileName().IsEmpty());
    const std::wstring expected(L"/media/cam\0a b.MTS\0\"c\".mts\0\0", 29);
    EXPECT_EQ(std::wstring(static_cast<LPCTSTR>(buffer), expected.size()), expected);

    CFileDialog::Answers().Queue({IDOK, {L"/a.mts", L"/b.mts"}});
    CFileDialog root(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, kFilter);
    EXPECT_EQ(root.DoModal(), IDOK);
    EXPECT_EQ(root.GetPathName(), L"/") << "the folder of a choice of several";

    // Paths typed from several folders: the names keep what lies below the common folder.
    const std::vector<std::pair<std::vector<std::wstring>, std::wstring>> spread = {
        {{L"/media/cam/a.mts", L"/media/card/b.mts", L"/media/cam/old/c.mts"},
         std::wstring(L"/media\0cam/a.mts\0card/b.mts\0cam/old/c.mts\0\0", 43)},
        {{L"/media/cam/a.mts", L"/b.mts"}, std::wstring(L"/\0media/cam/a.mts\0b.mts\0\0", 25)},
        {{L"/media/c/a.mts", L"/media/cam/b.mts"},
         std::wstring(L"/media\0c/a.mts\0cam/b.mts\0\0", 26)},
    };
    for (const auto& [paths, expected] : spread) {
        CFileDialog::Answers().Queue({IDOK, paths});
        CFileDialog mixed(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, kFilter);
        EXPECT_EQ(mixed.DoModal(), IDOK);
        EXPECT_EQ(std::wstring(mixed.GetOFN().lpstrFile, expected.size()), expected);
    }

    const std::vector<CFileDialog::Request> asked = CFileDialog::Answers().TakeRequests();
    ASSERT_EQ(asked.size(), 6u);
    EXPECT_TRUE(asked[0].open);
    EXPECT_EQ(asked[0].title, L"Select Streams");
}

TEST_F(CommonDialogs, SeveralFilesTakeTypedNamesOfFilesThatDoNotExistWithOpen) {
    TempDir folder;
    const QString path = QString::fromStdString(folder.Path());
    // One in the dialog's folder, one as a full path into a folder that does not exist either.
    const QString typed = "\"new.mts\" \"" + path + "/sub/deep.mts\"";
    CFileDialog several(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, kFilter);
    const INT_PTR result = RunForReal(several, [&](QFileDialog* files) {
        files->setDirectory(path);
        QTest::keyClicks(files->findChild<QLineEdit*>("fileNameEdit"), typed);
        QTest::mouseClick(OpenButton(files), Qt::LeftButton);
    });
    ASSERT_EQ(result, IDOK);
    const std::wstring expected =
        path.toStdWString() + std::wstring(L"\0new.mts\0sub/deep.mts\0\0", 23);
    EXPECT_EQ(std::wstring(several.GetOFN().lpstrFile, expected.size()), expected);
}

TEST_F(CommonDialogs, CancelOrAResultTooLargeForTheBufferGivesCancel) {
    CFileDialog::Answers().Queue({IDCANCEL, {}});
    CFileDialog cancelled(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, kFilter);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);

    CFileDialog::Answers().Queue({IDOK, {L"/clips/a.mts", L"/clips/b.mts"}});
    CFileDialog small(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, kFilter);
    wchar_t buffer[18] = {};
    small.GetOFN().lpstrFile = buffer;
    small.GetOFN().nMaxFile = 18; // "/clips\0a.mts\0b.mts\0\0" needs 20
    EXPECT_EQ(small.DoModal(), IDCANCEL);
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);

    CFileDialog::Answers().Queue({IDCANCEL, {}});
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(CommDlgExtendedError(), 0u) << "a plain cancel is no error";
}

TEST_F(CommonDialogs, TheDialogsOwnBufferGrowsToAnyResultUpToItsLimit) {
    // The folder "/f", then names that make the result exactly `length` characters long.
    const auto namesFilling = [](std::size_t length) {
        std::vector<std::wstring> paths;
        std::size_t left = length - 3 - 1;
        while (left > 0) {
            const std::size_t name = std::min<std::size_t>(left - 1, 255);
            paths.push_back(L"/f/" + std::wstring(name, L'n'));
            left -= name + 1;
        }
        return paths;
    };
    const std::vector<std::wstring> large = namesFilling(CFileDialog::kMaxResultLength);
    CFileDialog::Answers().Queue({IDOK, large});
    CFileDialog grown(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, kFilter);
    ASSERT_EQ(grown.DoModal(), IDOK);
    EXPECT_EQ(grown.GetOFN().nMaxFile, CFileDialog::kMaxResultLength);
    const wchar_t* result = grown.GetOFN().lpstrFile;
    EXPECT_EQ(std::wstring(result), L"/f");
    EXPECT_EQ(result[CFileDialog::kMaxResultLength - 1], L'\0');
    EXPECT_EQ(std::wstring(result + CFileDialog::kMaxResultLength - 1 - large.back().size() + 2),
              large.back().substr(3));

    std::vector<std::wstring> tooLarge = large;
    tooLarge.back() += L'n';
    CFileDialog::Answers().Queue({IDOK, tooLarge});
    CFileDialog refused(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, kFilter);
    EXPECT_EQ(refused.DoModal(), IDCANCEL);
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
}

TEST_F(CommonDialogs, MessageBoxCaptionIsTheExecutablesName) {
    MessageApp app;
    AfxMessageBoxAnswers().Queue(IDOK);
    EXPECT_EQ(RunApp("/opt/veldrun/bin/Veldrun.exe"), 0);
    EXPECT_EQ(app.starts, 1);
    EXPECT_EQ(app.nameAtStart, L"Veldrun");
    const std::vector<MessageBoxRequest> shown = AfxMessageBoxAnswers().TakeRequests();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, L"Merging complete");
    EXPECT_EQ(shown[0].caption, L"Veldrun");
    EXPECT_EQ(shown[0].type, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(shown[0].helpId, 0u);
}

TEST_F(CommonDialogs, StartUpEndsWithStatusZeroWhateverInitInstanceReturns) {
    MessageApp named(L"Given", TRUE);
    AfxMessageBoxAnswers().Queue(IDOK);
    EXPECT_EQ(RunApp("veldrun"), 0);
    EXPECT_EQ(named.nameAtStart, L"Given");
    EXPECT_EQ(AfxGetApp(), &named);
}

// Win32's rule: the icon its flag names, none without a flag.
TEST_F(CommonDialogs, RealMessageBoxShowsTheIconItsFlagNamesAndNoneWithout) {
    MessageApp app(L"Veldrun");
    const std::map<UINT, QMessageBox::Icon> icons = {
        {MB_OK, QMessageBox::NoIcon},
        {MB_OK | MB_ICONINFORMATION, QMessageBox::Information},
        {MB_OK | MB_ICONWARNING, QMessageBox::Warning},
        {MB_OK | MB_ICONERROR, QMessageBox::Critical},
        {MB_OK | MB_ICONQUESTION, QMessageBox::Question},
    };
    for (const auto& [type, expected] : icons) {
        QMessageBox::Icon icon = QMessageBox::Question;
        QString caption;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            icon = box->icon();
            caption = box->windowTitle();
            box->button(QMessageBox::Ok)->click();
        });
        EXPECT_EQ(AfxMessageBox(L"Merge error: Can't open input file", type), IDOK);
        EXPECT_EQ(icon, expected) << type;
        EXPECT_EQ(caption, "Veldrun");
    }
}
