#include "ui/Accessibility.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QTreeWidget>

#include "engine/TextConversion.h"
#include "platform/DialogBuilder.h"
#include "progress/CProgressDlg.h"
#include "res/Resource.h"
#include "tests/platform/RecordingDialog.h"
#include "tests/support/Eventually.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestStream.h"
#include "tests/ui/MainDialogHarness.h"

using veldrun::test::MainDialogHarness;
using veldrun::test::TempDir;
using veldrun::test::TestStream;

namespace {

const std::vector<int> kReadingOrder = {
    IDC_INPUT_LIST,  IDC_ADD,           IDC_ADD_FOLDER,     IDC_REMOVE, IDC_MOVE_UP, IDC_MOVE_DOWN,
    IDC_OUTPUT_FILE, IDC_SELECT_OUTPUT, IDC_EACH_RECORDING, IDC_VERIFY, IDC_MERGE};

std::string Clip(double first, double last) {
    return TestStream()
        .Recording(static_cast<std::int64_t>(first * TestStream::kSecond),
                   static_cast<std::int64_t>(last * TestStream::kSecond))
        .Bytes();
}

class Dialog : public MainDialogHarness {
public:
    // Opens with `paths` listed and read.
    void RunWith(const std::vector<std::string>& paths, const std::function<void()>& whileOpen) {
        std::vector<CString> start;
        for (const std::string& path : paths)
            start.push_back(veldrun::ToWide(path).value().c_str());
        OpenAtStart(start);
        Run([&] {
            ASSERT_EVENTUALLY(m_list.Count() == static_cast<int>(paths.size()));
            m_details.AwaitReading();
            whileOpen();
        });
    }
    // The ids of the controls that `key` visits from control `from` until it comes back.
    std::vector<int> Cycle(int from, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        std::vector<int> ids;
        QWidget* first = Control(from);
        first->setFocus(Qt::OtherFocusReason);
        QWidget* current = first;
        do {
            ids.push_back(current->property(DialogBuilder::kIdProperty).toInt());
            QTest::keyClick(current, key, modifiers);
            current = GetWidget()->focusWidget();
        } while (current && current != first && ids.size() < 20);
        return ids;
    }
};

std::string NameOf(QWidget* widget) {
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(widget);
    return access ? access->text(QAccessible::Name).toStdString() : "<no interface>";
}

std::string LabelName(const char* label) {
    return Accessibility::LabelName(QString::fromUtf8(label)).toStdString();
}

} // namespace

TEST(TabOrder, IsTheReadingOrderBothWaysAndLeavesOutTheReadOnlyFields) {
    TempDir dir;
    const std::string a = dir.Write("00001.MTS", Clip(0, 10));
    const std::string b = dir.Write("00002.MTS", Clip(10.1, 20));
    const std::string c = dir.Write("00003.MTS", Clip(20.1, 30));
    Dialog dialog;
    dialog.RunWith({a, b, c}, [&] {
        // As before: Add has the focus at start and is the default button.
        EXPECT_EQ(dialog.GetWidget()->focusWidget(), dialog.Control(IDC_ADD));
        EXPECT_TRUE(dialog.Control(IDC_ADD)->property("default").toBool());

        // Every control enabled: clips listed (the first selected), an output named.
        dialog.m_outputEdit.SetWindowText(veldrun::ToWide(dir / "out.mts").value().c_str());
        for (int id : kReadingOrder)
            ASSERT_TRUE(dialog.Control(id)->isEnabled()) << id;

        EXPECT_EQ(dialog.Cycle(IDC_INPUT_LIST, Qt::Key_Tab), kReadingOrder);
        std::vector<int> backwards = dialog.Cycle(IDC_MERGE, Qt::Key_Backtab, Qt::ShiftModifier);
        std::reverse(backwards.begin(), backwards.end());
        EXPECT_EQ(backwards, kReadingOrder);

        // The read-only fields still take the focus from a click, so that their text can be
        // selected and copied.
        for (int id : {IDC_CURRENT_SELECTION, IDC_FILE_SIZE}) {
            auto* field = qobject_cast<QLineEdit*>(dialog.Control(id));
            ASSERT_NE(field, nullptr);
            QApplication::clipboard()->clear();
            QTest::mouseClick(field, Qt::LeftButton);
            EXPECT_TRUE(field->hasFocus()) << id;
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
            EXPECT_FALSE(field->text().isEmpty());
            EXPECT_EQ(QApplication::clipboard()->text(), field->text()) << id;
        }
        EXPECT_EQ(dialog.TextOf(dialog.m_selectionEdit), veldrun::ToWide(a).value());
    });
}

TEST(AccessibleNames, EveryControlOfTheMainDialogIsNamedAndFieldsAreLabelledByTheirLabels) {
    Dialog dialog;
    dialog.Run([&] {
        const std::map<int, std::string> expected = {
            {IDC_INPUT_LIST, "Input Files"},
            {IDC_ADD, "Add"},
            {IDC_ADD_FOLDER, "Add Folder..."},
            {IDC_REMOVE, "Remove"},
            {IDC_MOVE_UP, "Move Up"},
            {IDC_MOVE_DOWN, "Move Down"},
            {IDC_OUTPUT_FILE, "Output File"},
            {IDC_SELECT_OUTPUT, "Select..."},
            {IDC_EACH_RECORDING, "One file per recording"},
            {IDC_VERIFY, "Verify after writing"},
            {IDC_MERGE, "Merge"},
            {IDC_CURRENT_SELECTION, "Current Selection"},
            {IDC_FILE_SIZE, "File Size"},
        };
        for (const auto& [id, name] : expected)
            EXPECT_EQ(NameOf(dialog.Control(id)), name) << id;

        // The fields point at the label that names them, as a screen reader follows it. (Qt's
        // item views report no such relation: the list has its name alone.)
        for (int id : {IDC_OUTPUT_FILE, IDC_CURRENT_SELECTION, IDC_FILE_SIZE}) {
            QAccessibleInterface* field = QAccessible::queryAccessibleInterface(dialog.Control(id));
            const auto labels = field->relations(QAccessible::Label);
            ASSERT_EQ(labels.size(), 1) << id;
            EXPECT_EQ(labels[0].first->text(QAccessible::Name).toStdString(),
                      expected.at(id) + ":");
        }
    });
}

TEST(AccessibleNames, ComeFromTheLabelAsShownWithoutMnemonicAndColon) {
    EXPECT_EQ(LabelName("&Input Files:"), "Input Files");
    EXPECT_EQ(LabelName("File Size:"), "File Size");
    EXPECT_EQ(LabelName("Fichier de &sortie :"), "Fichier de sortie");
    EXPECT_EQ(LabelName("Save && &Quit"), "Save & Quit");
    EXPECT_EQ(LabelName("出力ファイル(&O)："), "出力ファイル");
    EXPECT_EQ(LabelName("Trailing &"), "Trailing &");

    // A translated label names its field in its own words; a field named on purpose keeps its
    // name.
    QDialog window;
    auto* label = new QLabel(QString::fromUtf8("Datei&größe:"), &window);
    auto* field = new QLineEdit(&window);
    label->setBuddy(field);
    auto* named = new QLineEdit(&window);
    named->setAccessibleName("Given");
    (new QLabel("&Other:", &window))->setBuddy(named);
    Accessibility::NameFields(&window);
    EXPECT_EQ(NameOf(field), "Dateigröße");
    EXPECT_EQ(NameOf(named), "Given");
}

TEST(AccessibleNames, EachRowSaysItsMarkInWords) {
    TempDir dir;
    const std::string first = dir.Write("00001.MTS", Clip(0, 10));
    const std::string later = dir.Write("00002.MTS", Clip(500, 510));
    const std::string text = dir.Write("notes.MTS", "plain text, not packets");
    const std::string gone = dir.Write("00004.MTS", Clip(510.1, 520));
    // The first clip again by another name.
    std::filesystem::create_directories(dir / "copy");
    const std::string copy = dir / "copy/00001.MTS";
    std::filesystem::create_hard_link(first, copy);
    Dialog dialog;
    dialog.RunWith({first, later, text, copy, gone}, [&] {
        std::filesystem::remove(gone);
        auto* list = static_cast<QTreeWidget*>(dialog.Control(IDC_INPUT_LIST));
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(list);
        ASSERT_NE(access, nullptr);
        QAccessibleTableInterface* table = access->tableInterface();
        ASSERT_NE(table, nullptr);
        const auto rowText = [&](int row) {
            QAccessibleInterface* cell = table->cellAt(row, 0);
            return cell ? cell->text(QAccessible::Name) + " | " +
                              cell->text(QAccessible::Description)
                        : QString("<no cell>");
        };
        const std::vector<std::pair<QString, QString>> expected = {
            {"00001.MTS", ""},
            {"00002.MTS", "New recording"},
            {"notes.MTS", "Not a transport stream"},
            {"00001.MTS", "Listed twice"},
            {"00004.MTS", "Cannot be read"},
        };
        for (int row = 0; row < static_cast<int>(expected.size()); ++row) {
            const auto& [name, mark] = expected[static_cast<std::size_t>(row)];
            const auto says = [&] {
                const QString said = rowText(row);
                return mark.isEmpty() ? said == name + " | "
                                      : said.startsWith(name + ", ") && said.contains(mark);
            };
            EXPECT_EVENTUALLY(says());
            EXPECT_TRUE(says()) << row << ": " << rowText(row).toStdString();
        }
    });
}

TEST(AccessibleNames, TheProgressDialogsStatusAndBarAreNamedAndCancelIsOnTab) {
    CProgressDlg progress(boost::weak_ptr<veldrun::Veldrun>(), nullptr);
    veldrun::test::RunModal(progress, [&] {
        EXPECT_EQ(NameOf(progress.GetDlgItem(IDC_STATUS)->GetWidget()), "Status");
        EXPECT_EQ(NameOf(progress.GetDlgItem(IDC_PROGRESS)->GetWidget()), "Progress");
        QWidget* cancel = progress.GetDlgItem(IDC_CANCEL_MERGE)->GetWidget();
        EXPECT_EQ(NameOf(cancel), "Cancel");
        EXPECT_EQ(cancel->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
        QTest::keyClick(progress.GetWidget(), Qt::Key_Escape);
    });
}
