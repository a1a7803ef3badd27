// Open Folder opens the folder the way the desktop does, through xdg-open, which Qt's offscreen
// platform does not offer: tests/e2e/desktop-drag.sh runs this on an X server of its own. A
// stand-in xdg-open, first on PATH, notes what it was given.

#include <gtest/gtest.h>
#include <string>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QUrl>

#include "platform/AfxMessageBox.h"
#include "tests/support/TempDir.h"
#include "tests/ui/ModalWatch.h"
#include "ui/MergeReport.h"

using veldrun::RunOutcome;
using veldrun::test::ModalWatch;
using veldrun::test::TempDir;

namespace {

// Qt looks for the file manager's opener once in a process, so the stand-in stays where it is
// for the whole run.
class StandInOpener {
public:
    static StandInOpener& Get() {
        static StandInOpener opener;
        return opener;
    }

    // Whether the stand-in may be run: a file manager that is there or not.
    void Runnable(bool runnable) {
        QFile::setPermissions(QString::fromStdString(m_dir / "xdg-open"),
                              runnable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                       : QFile::ReadOwner | QFile::WriteOwner);
    }

    // What the stand-in was started with, one argument a line; empty when it was not started
    // within `limit` milliseconds.
    std::string Opened(int limit = 5000) {
        const std::string record = m_dir / "opened";
        if (!QTest::qWaitFor([&] { return TempDir::Exists(record); }, limit))
            return "";
        const std::string opened = TempDir::Read(record);
        QFile::remove(QString::fromStdString(record));
        return opened;
    }

private:
    StandInOpener() {
        // Written aside and renamed, so that the test never reads half of it.
        m_dir.Write("xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + (m_dir / "opening") +
                                    "\"\nmv \"" + (m_dir / "opening") + "\" \"" +
                                    (m_dir / "opened") + "\"\n");
        Runnable(true);
        qputenv("PATH", QByteArray::fromStdString(m_dir.Path()) + ":" + qgetenv("PATH"));
    }

    TempDir m_dir;
};

} // namespace

// The real end box: its Open Folder button hands the first output's folder to the desktop, as
// a URL that keeps a space and an accented letter.
TEST(OpenFolder, TheEndBoxOpensTheFirstOutputsFolder) {
    StandInOpener& opener = StandInOpener::Get();
    TempDir dir;
    const std::string folder = dir / "Vidéos 2024";
    QDir().mkpath(QString::fromStdString(folder));
    RunOutcome outcome;
    outcome.complete = {{folder + "/2024-07-14 10.03.41.MTS", 10, RunOutcome::Verified::Yes},
                        {dir / "elsewhere.MTS", 10, RunOutcome::Verified::Yes}};
    QString shownText;
    const ModalWatch box("", [&](QWidget* window) {
        auto* message = qobject_cast<QMessageBox*>(window);
        ASSERT_NE(message, nullptr);
        shownText = message->text();
        EXPECT_EQ(QMessageBox::Information, message->icon());
        for (QAbstractButton* button : message->buttons()) {
            if (button->text() == "&Open Folder")
                QTest::mouseClick(button, Qt::LeftButton);
        }
    });
    MergeReport::Complete(nullptr, outcome, {});
    EXPECT_EQ(1, box.Seen());
    EXPECT_TRUE(shownText.startsWith("Merging complete\n2024-07-14 10.03.41.MTS, 10 B\n"))
        << shownText.toStdString();
    const std::string opened = opener.Opened();
    ASSERT_FALSE(opened.empty()) << "xdg-open was not started";
    ASSERT_EQ('\n', opened.back());
    EXPECT_EQ(QString::fromStdString(folder),
              QUrl(QString::fromStdString(opened.substr(0, opened.size() - 1))).toLocalFile())
        << opened;
}

// Without a file manager the button cannot leave the user wondering.
TEST(OpenFolder, SaysSoWhenNothingOpensTheFolder) {
    StandInOpener& opener = StandInOpener::Get();
    opener.Runnable(false);
    AfxMessageBoxAnswers().Clear();
    AfxMessageBoxAnswers().Record();
    AfxMessageBoxAnswers().Queue(IDOK);
    MergeReport::OpenFolder("/tmp");
    const auto boxes = AfxMessageBoxAnswers().TakeRequests();
    AfxMessageBoxAnswers().Clear();
    opener.Runnable(true);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"Can't open the folder /tmp\nNo file manager took it.", boxes[0].text);
    // Qt starts it before it returns: a little while shows that nothing started it.
    EXPECT_EQ("", opener.Opened(300));
}
