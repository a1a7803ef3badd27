#include "tools/screenshots/ModalScript.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "platform/AfxMessageBox.h"
#include "res/Resource.h"
#include "tests/platform/RecordingDialog.h"

using veldrun::test::RecordingDialog;
using Kind = ModalScript::Kind;

// The picture tool's steps: each window is taken by the step of its kind, in order, also a box
// that opens while an earlier step's action still runs; the tool's pictures depend on it.
TEST(ModalScript, TakesEachWindowByKindInOrderAlsoOneOpenedInsideAStep) {
    QStringList seen;
    RecordingDialog about(IDD_ABOUTBOX);
    RecordingDialog main(IDD_MAIN_DIALOG);
    RecordingDialog progress(IDD_PROGRESS_DIALOG);
    ModalScript script;
    script
        .Then(Kind::OtherDialog, "the About box",
              [&](QWidget*) {
                  seen << "about";
                  seen << (AfxMessageBox(L"Replace?", MB_YESNO, 0) == IDNO ? "no" : "yes");
                  about.EndDialog(IDOK);
              })
        .Then(Kind::MessageBox, "the question",
              [&](QWidget* window) {
                  auto* box = qobject_cast<QMessageBox*>(window);
                  seen << box->text();
                  QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
              })
        .Then(Kind::MainDialog, "the main dialog",
              [&](QWidget*) {
                  seen << "main";
                  main.EndDialog(IDOK);
              })
        .Then(Kind::ProgressDialog, "the progress dialog", [&](QWidget*) {
            seen << "progress";
            progress.EndDialog(IDOK);
        });
    EXPECT_EQ(script.Untaken().size(), 4);
    // Windows that no step takes are closed after a while, so that a fault fails the test
    // instead of holding it.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QDialog*>(window))
                dialog->reject();
        }
    });
    watchdog.start(10000);
    EXPECT_EQ(about.DoModal(), IDOK);
    EXPECT_EQ(main.DoModal(), IDOK);
    EXPECT_EQ(progress.DoModal(), IDOK);
    EXPECT_EQ(seen, QStringList({"about", "Replace?", "no", "main", "progress"}));
    EXPECT_TRUE(script.Untaken().isEmpty());
}

// A window that the next step does not expect would be pictured under the wrong name: the
// run ends, saying what came instead.
TEST(ModalScriptDeathTest, AWindowOfAnotherKindEndsTheRun) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ModalScript script;
            script.Then(Kind::MessageBox, "the question", [](QWidget*) {});
            RecordingDialog progress(IDD_PROGRESS_DIALOG);
            // Ended by the tool, or else by the dialog's own watchdog.
            progress.Run([] {});
        },
        testing::ExitedWithCode(1), "expected the question, got the progress dialog");
}
