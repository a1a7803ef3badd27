#include "ui/InputList.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include <QPixmap>
#include <QTreeWidget>

#include "platform/ListBoxWidget.h"
#include "recordings/StreamProbe.h"
#include "ui/ClipFacts.h"
#include "ui/ClipTable.h"
#include "ui/MarkDelegate.h"
#include "ui/NaturalOrder.h"

namespace {

typedef std::vector<std::wstring> Names;

// A view that writes down what it is told, and keeps a list as a list box would: deleting the
// selected entry clears the selection, inserting above it moves it along.
class LoggingView : public InputList::View {
public:
    void Inserted(int index, const std::wstring& path) override {
        log.push_back(L"insert " + std::to_wstring(index) + L" " + path);
        entries.insert(entries.begin() + index, path);
        if (selection >= index)
            ++selection;
    }
    void Removed(int index) override {
        log.push_back(L"delete " + std::to_wstring(index));
        entries.erase(entries.begin() + index);
        selection = selection == index ? -1 : selection > index ? selection - 1 : selection;
    }
    void Selected(int index) override {
        log.push_back(L"select " + std::to_wstring(index));
        selection = index;
    }

    Names log;
    Names entries;
    int selection = -1;
};

struct Fixture {
    Fixture(const Names& paths) : list(&view) {
        for (const std::wstring& path : paths)
            list.Add(path);
        view.log.clear();
    }
    // The view shows what the list holds.
    void ExpectMirrored() const {
        EXPECT_EQ(view.entries, list.Paths());
        EXPECT_EQ(view.selection, list.Selection());
    }
    LoggingView view;
    InputList list;
};

bool NameLess(const std::wstring& a, const std::wstring& b) {
    return a < b;
}

} // namespace

TEST(InputListModel, MovesSwapWithTheNeighbourAsAListBoxMustAndStopAtTheEnds) {
    Fixture f({L"a", L"b", L"c"});
    EXPECT_FALSE(f.list.MoveUp()) << "nothing selected";
    EXPECT_FALSE(f.list.MoveDown());
    f.list.Select(0);
    EXPECT_FALSE(f.list.MoveUp());
    f.view.log.clear();

    EXPECT_TRUE(f.list.MoveDown());
    EXPECT_EQ(f.view.log,
              (Names{L"delete 1", L"delete 0", L"insert 0 b", L"insert 1 a", L"select 1"}));
    EXPECT_EQ(f.list.Paths(), (Names{L"b", L"a", L"c"}));
    f.ExpectMirrored();

    f.view.log.clear();
    EXPECT_TRUE(f.list.MoveUp());
    EXPECT_EQ(f.view.log,
              (Names{L"delete 1", L"delete 0", L"insert 0 a", L"insert 1 b", L"select 0"}));
    f.list.Select(2);
    EXPECT_FALSE(f.list.MoveDown()) << "the last entry";
    EXPECT_EQ(f.list.Paths(), (Names{L"a", L"b", L"c"}));
    f.ExpectMirrored();
}

TEST(InputListModel, RemoveSelectsTheFollowingEntryElseTheLastElseNothing) {
    Fixture f({L"a", L"b", L"c", L"a"});
    EXPECT_FALSE(f.list.Remove());
    EXPECT_TRUE(f.view.log.empty()) << "nothing selected, nothing told";
    f.list.Select(1);
    EXPECT_TRUE(f.list.Remove());
    EXPECT_EQ(f.list.Paths(), (Names{L"a", L"c", L"a"}));
    EXPECT_EQ(f.list.Selection(), 1);
    f.list.Select(2);
    f.list.Remove();
    EXPECT_EQ(f.list.Selection(), 1) << "the new last entry";
    f.list.Remove();
    f.list.Remove();
    EXPECT_EQ(f.list.Count(), 0);
    EXPECT_EQ(f.list.Selection(), -1);
    EXPECT_EQ(f.list.SelectedPath(), nullptr);
    f.ExpectMirrored();
}

TEST(InputListModel, AddingKeepsTheSelectionAndReorderingKeepsTheSelectedEntry) {
    Fixture f({L"c", L"a", L"b", L"a"});
    f.list.Select(2);
    f.list.Add(L"0");
    EXPECT_EQ(f.list.Selection(), 2);
    EXPECT_EQ(*f.list.SelectedPath(), L"b");

    const std::vector<std::size_t> sorted = f.list.SortedOrder(NameLess);
    EXPECT_EQ(sorted, (std::vector<std::size_t>{4, 1, 3, 2, 0})) << "equal names in list order";
    EXPECT_TRUE(f.list.Reorder(sorted));
    EXPECT_EQ(f.list.Paths(), (Names{L"0", L"a", L"a", L"b", L"c"}));
    EXPECT_EQ(*f.list.SelectedPath(), L"b");
    f.ExpectMirrored();

    f.view.log.clear();
    EXPECT_FALSE(f.list.Reorder(f.list.SortedOrder(NameLess))) << "already in order";
    EXPECT_FALSE(f.list.Reorder({0, 1})) << "not an order of this list";
    EXPECT_TRUE(f.view.log.empty());

    f.list.Select(-1);
    f.list.Reorder({4, 3, 2, 1, 0});
    EXPECT_EQ(f.list.Selection(), -1) << "no selection stays none";
    f.ExpectMirrored();
}

TEST(InputListModel, FollowsTheViewsOwnMovesAndSelectionsWithoutEchoingThem) {
    Fixture f({L"a", L"b", L"c", L"d"});
    f.list.FollowMove(0, 2);
    EXPECT_EQ(f.list.Paths(), (Names{L"b", L"c", L"a", L"d"}));
    EXPECT_EQ(f.list.Selection(), 2) << "the dragged entry is selected";
    f.list.FollowMove(3, 0);
    EXPECT_EQ(f.list.Paths(), (Names{L"d", L"b", L"c", L"a"}));
    f.list.FollowMove(1, 9);
    EXPECT_EQ(f.list.Paths(), (Names{L"d", L"b", L"c", L"a"})) << "outside the list: ignored";
    f.list.FollowSelection(7);
    EXPECT_EQ(f.list.Selection(), -1);
    f.list.FollowSelection(3);
    EXPECT_EQ(*f.list.SelectedPath(), L"a");
    EXPECT_TRUE(f.view.log.empty());
}

TEST(InputListModel, ArrivingNamesComeInNaturalOrderWithoutTheRefusedOnes) {
    const Names dropped = {L"/c/clip 10", L"/c/dir",   L"/c/00002",  L"/c/Clip 9",
                           L"/c/00010",   L"/c/00001", L"/c/missing"};
    const auto listable = [](const std::wstring& name) {
        return name != L"/c/dir" && name != L"/c/missing";
    };
    EXPECT_EQ(InputList::Arriving(dropped, NaturalOrder::Less, listable),
              (Names{L"/c/00001", L"/c/00002", L"/c/00010", L"/c/Clip 9", L"/c/clip 10"}));
    EXPECT_TRUE(InputList::Arriving({L"/c/dir"}, NaturalOrder::Less, listable).empty());
}

TEST(InputListModel, AMultipleSelectionNamesItsFolderThenEachName) {
    const auto entries = [](const std::wstring& buffer) {
        return InputList::SelectionEntries(buffer.data(), buffer.size());
    };
    EXPECT_EQ(entries(std::wstring(L"/clips\0b.MTS\0a \"c\".MTS\0\0", 24)),
              (Names{L"/clips/b.MTS", L"/clips/a \"c\".MTS"}))
        << "in the dialog's order, blanks and quotes kept";
    EXPECT_EQ(entries(std::wstring(L"/\0a.mts\0\0", 9)), Names{L"//a.mts"})
        << "the root gets a second separator";
    EXPECT_TRUE(entries(std::wstring(L"/clips\0\0", 8)).empty()) << "the folder alone";
    EXPECT_TRUE(entries(std::wstring(L"\0\0", 2)).empty());
    EXPECT_EQ(entries(std::wstring(L"/c\0x\0y", 6)), (Names{L"/c/x"}))
        << "a name cut off by the end of the buffer is no entry";
}

TEST(NaturalOrder, NumbersCompareByValueAndLettersWithoutCase) {
    EXPECT_TRUE(NaturalOrder::Less(L"/card/2.MTS", L"/card/10.MTS"));
    EXPECT_FALSE(NaturalOrder::Less(L"/card/10.MTS", L"/card/2.MTS"));
    EXPECT_TRUE(NaturalOrder::Less(L"/card/a.mts", L"/card/B.mts"));
    EXPECT_FALSE(NaturalOrder::Less(L"ABC.mts", L"abc.mts"));
    EXPECT_FALSE(NaturalOrder::Less(L"abc.mts", L"ABC.mts")) << "equal without regard to case";
    EXPECT_TRUE(NaturalOrder::Less(L"", L"a"));
}

namespace {

veldrun::StreamProbe::Result Clock(double first, double last, std::int64_t size) {
    veldrun::StreamProbe::Result result;
    result.kind = veldrun::StreamProbe::Kind::Clock;
    result.packetSize = 192;
    result.clockPid = 0x1011;
    result.firstClock = static_cast<std::int64_t>(first * veldrun::StreamProbe::kClockRate);
    result.lastClock = static_cast<std::int64_t>(last * veldrun::StreamProbe::kClockRate);
    result.stamp.size = size;
    return result;
}

veldrun::StreamProbe::Result Other(std::int64_t size) {
    veldrun::StreamProbe::Result result;
    result.stamp.size = size;
    return result;
}

const std::wstring kNew = L"New recording: its clock does not continue from the clip above";

} // namespace

TEST(ClipFacts, MarksAndSummaryComeFromTheReadingsOnceTheyAreKnown) {
    ClipFacts facts;
    const Names paths = {L"/c/00001.MTS", L"/c/00002.MTS", L"/c/00003.MTS"};
    EXPECT_EQ(facts.Summary({}), L"");
    EXPECT_EQ(facts.Summary(paths), L"3 clips") << "sizes are not known yet";
    EXPECT_EQ(facts.MarkNotes(paths), (Names{L"", L"", L""}));

    EXPECT_TRUE(facts.Take(paths[0], Clock(0, 10, 2000000000)));
    EXPECT_TRUE(facts.Take(paths[2], Clock(100, 110, 1000000000)));
    EXPECT_EQ(facts.MarkNotes(paths), (Names{L"", L"", L""}))
        << "an entry is marked once it and the one above are read";
    EXPECT_EQ(facts.Summary(paths), L"3 clips");

    EXPECT_TRUE(facts.Take(paths[1], Clock(10.1, 20, 1500000000)));
    EXPECT_FALSE(facts.Take(paths[1], Clock(10.1, 20, 1500000000))) << "nothing new";
    EXPECT_EQ(facts.MarkNotes(paths), (Names{L"", L"", kNew}));
    EXPECT_EQ(facts.Summary(paths), L"3 clips, 2 recordings, 0:00:30, 4.5 GB");
    EXPECT_EQ(*facts.Size(paths[1]), 1500000000);

    // A clip that changed size is taken again; one that is gone is named.
    EXPECT_TRUE(facts.Take(paths[1], Clock(10.1, 20, 1600000000)));
    EXPECT_TRUE(facts.Take(paths[2], boost::none));
    EXPECT_FALSE(facts.Size(paths[2]));
    EXPECT_EQ(facts.MarkNotes(paths), (Names{L"", L"", L"Cannot be read"}));
    EXPECT_EQ(facts.Summary(paths),
              L"3 clips, one recording, 2 of them 3.6 GB; 00003.MTS cannot be read");

    // Forgotten once no longer listed.
    facts.Keep({paths[0]});
    EXPECT_FALSE(facts.IsRead(paths[1]));
    EXPECT_EQ(facts.Summary({paths[0]}), L"1 clip, one recording, 0:00:10, 2.0 GB");
}

TEST(ClipFacts, AListWithoutStreamsHasNoRecordingMarksAndThePlainSummary) {
    ClipFacts facts;
    const Names paths = {L"/d/a.txt", L"/d/b.txt", L"/d/a.txt"};
    facts.Take(paths[0], Other(5));
    facts.Take(paths[1], Other(6));
    EXPECT_EQ(facts.MarkNotes(paths), (Names{L"", L"", L"Listed twice: the same file as entry 1"}));
    EXPECT_EQ(facts.Summary(paths), L"3 clips, 1 listed twice, 16 B in all")
        << "a copy counts twice";
}

TEST(ClipFacts, SummaryTextNamesUpToTwoUnreadableClips) {
    const auto text = [](int count, std::int64_t total, const Names& unreadable) {
        return ClipFacts::SummaryText(count, total, unreadable);
    };
    EXPECT_EQ(text(0, 0, {}), L"");
    EXPECT_EQ(text(1, 2147475456, {}), L"1 clip, 2.1 GB in all");
    EXPECT_EQ(text(3, 4294950912, {L"00003.MTS"}),
              L"3 clips, 2 of them 4.2 GB; 00003.MTS cannot be read");
    EXPECT_EQ(text(4, 999, {L"a.mts", L"b.mts"}),
              L"4 clips, 2 of them 999 B; a.mts and b.mts cannot be read");
    EXPECT_EQ(text(3, 0, {L"a.mts", L"b.mts", L"c.mts"}),
              L"3 clips; a.mts and 2 more cannot be read");
    EXPECT_EQ(text(1, 0, {L"a.mts"}), L"1 clip; a.mts cannot be read");
}

TEST(MarkDelegate, MarksStayVisibleOnTheSelectedRowInADarkThemeAtEveryScale) {
    QTreeWidget widget;
    widget.resize(400, 200);
    for (const char* entry : {"/c/a", "/c/b", "/c/c"}) {
        auto* item = new QTreeWidgetItem(QStringList{entry});
        item->setData(0, ListBoxWidget::kTextRole, entry);
        widget.addTopLevelItem(item);
    }
    ClipTable table(&widget);
    // A dark theme: light text on a dark base, and a selection of its own.
    QPalette dark = widget.palette();
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(40, 60, 140));
    dark.setColor(QPalette::HighlightedText, QColor(250, 250, 90));
    widget.setPalette(dark);
    widget.show();

    const unsigned line = ClipFacts::Row::kNewPiece;
    MarkDelegate::SetMarks(widget.topLevelItem(1), line, "New recording");
    MarkDelegate::SetMarks(widget.topLevelItem(2), ClipFacts::Row::kUnreadable, "Cannot be read");
    EXPECT_EQ(widget.topLevelItem(1)->toolTip(ClipTable::kFolder), "/c/b\nNew recording");
    EXPECT_EQ(widget.topLevelItem(1)->data(0, ListBoxWidget::kTextRole), "/c/b")
        << "the entry stays the path";
    EXPECT_EQ(widget.topLevelItem(1)->data(0, Qt::AccessibleTextRole), "b, New recording");
    EXPECT_FALSE(widget.topLevelItem(2)->icon(0).isNull()) << "cannot be read";
    EXPECT_TRUE(widget.topLevelItem(1)->icon(0).isNull());

    for (const bool selected : {false, true}) {
        widget.topLevelItem(1)->setSelected(selected);
        // The text's colour, which stands out from the base above and from the selection.
        const QColor colour(230, 230, 230);
        for (const int scale : {1, 2}) {
            QPixmap picture(widget.viewport()->size() * scale);
            picture.setDevicePixelRatio(scale);
            widget.viewport()->render(&picture);
            const QImage image = picture.toImage();
            const QRect marked = widget.visualItemRect(widget.topLevelItem(1));
            const QRect plain = widget.visualItemRect(widget.topLevelItem(0));
            // Across the whole row: in the first column and in the last.
            for (const int x :
                 {marked.left() + 3, std::min(marked.right(), widget.viewport()->width()) - 4}) {
                for (int dy = 0; dy < MarkDelegate::kLineWidth * scale; ++dy)
                    EXPECT_EQ(image.pixelColor(x * scale, marked.top() * scale + dy), colour)
                        << "scale " << scale << ", x " << x << ", row " << dy;
                EXPECT_NE(image.pixelColor(x * scale,
                                           marked.top() * scale + MarkDelegate::kLineWidth * scale),
                          colour);
            }
            EXPECT_NE(image.pixelColor(plain.center().x() * scale, plain.top() * scale), colour);
        }
    }

    MarkDelegate::SetMarks(widget.topLevelItem(1), 0, "");
    EXPECT_EQ(widget.topLevelItem(1)->toolTip(ClipTable::kName), "/c/b");
    EXPECT_EQ(widget.topLevelItem(1)->data(0, Qt::AccessibleTextRole), "b");
    EXPECT_TRUE(MarkDelegate::MarkOf(widget.model()->index(1, 3)).isEmpty());
}

namespace {

// Sets the local time zone for as long as it lives.
class Zone {
public:
    explicit Zone(const char* zone) {
        const char* before = std::getenv("TZ");
        m_before = before ? before : "";
        m_had = before != nullptr;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~Zone() {
        if (m_had)
            ::setenv("TZ", m_before.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::string m_before;
    bool m_had = false;
};

veldrun::StreamProbe::Result Dated(veldrun::StreamProbe::Result result,
                                   veldrun::RecordedTime when) {
    result.recorded = when;
    return result;
}

veldrun::StreamProbe::Result WithId(veldrun::StreamProbe::Result result, std::uint64_t inode,
                                    std::int64_t modifiedNs = 0) {
    result.stamp.id.device = 2049;
    result.stamp.id.inode = inode;
    result.stamp.modifiedNs = modifiedNs;
    return result;
}

} // namespace

TEST(ClipFacts, ColumnsShowTheRecordedDateElseTheFilesDateTheLengthAndTheSize) {
    const Zone zone("UTC0");
    // 2023-03-04 05:06:59.999999999 UTC.
    const std::int64_t modified = 1677906419LL * 1000000000 + 999999999;
    ClipFacts facts;
    const Names paths = {L"/c/00001.MTS", L"/c/00002.MTS", L"/c/notes.txt", L"/c/gone.MTS",
                         L"/c/new.MTS"};
    facts.Take(paths[0], WithId(Dated(Clock(0, 4000.4, 2147475456), {2024, 7, 14, 10, 15, 2}), 1));
    facts.Take(paths[1], WithId(Clock(4000.5, 4010.4, 1000), 2, modified));
    facts.Take(paths[2], WithId(Other(3000), 3, modified));
    facts.Take(paths[3], boost::none, ENOENT);
    const std::vector<ClipFacts::Row> rows = facts.Rows(paths);
    ASSERT_EQ(rows.size(), 5u);

    EXPECT_EQ(rows[0].recorded, L"2024-07-14 10:15");
    EXPECT_EQ(rows[0].recordedTip, L"2024-07-14 10:15:02");
    EXPECT_FALSE(rows[0].fileDate);
    EXPECT_EQ(rows[0].length, L"1:06:40");
    EXPECT_EQ(rows[0].size, L"2.1 GB");
    EXPECT_EQ(rows[0].marks, 0u);

    EXPECT_EQ(rows[1].recorded, L"2023-03-04 05:06") << "the file's date, not rounded up";
    EXPECT_EQ(rows[1].recordedTip, L"file date");
    EXPECT_TRUE(rows[1].fileDate);
    EXPECT_EQ(rows[1].length, L"0:00:10");
    EXPECT_EQ(rows[1].marks, 0u) << "continues the clip above";

    EXPECT_EQ(rows[2].recorded, L"2023-03-04 05:06");
    EXPECT_TRUE(rows[2].fileDate);
    EXPECT_EQ(rows[2].length, L"") << "not a stream: no length";
    EXPECT_EQ(rows[2].size, L"3.0 kB");
    EXPECT_EQ(rows[2].note, L"Not a transport stream");

    EXPECT_EQ(rows[3].marks, unsigned(ClipFacts::Row::kUnreadable));
    EXPECT_EQ(rows[3].note, L"Cannot be read: No such file or directory");
    EXPECT_EQ(rows[3].recorded, L"No such file or directory");
    EXPECT_EQ(rows[3].size, L"");
    EXPECT_EQ(rows[3].length, L"");

    EXPECT_EQ(rows[4].recorded, L"") << "not read yet";
    EXPECT_EQ(rows[4].note, L"");

    // The local time is the file's, as the camera's is its own.
    const Zone east("XST-9");
    EXPECT_EQ(facts.Rows(paths)[1].recorded, L"2023-03-04 14:06");
}

TEST(ClipFacts, UnreadableAndListedTwiceMarksComeAndGoWithTheListAndTheReadings) {
    ClipFacts facts;
    const std::wstring a1 = L"/c/00001.MTS", a2 = L"/c/00002.MTS", b = L"/c/00003.MTS";
    const std::wstring link = L"/other/same-as-00001.MTS";
    facts.Take(a1, WithId(Clock(0, 10, 1000), 11));
    facts.Take(a2, WithId(Clock(10.1, 20, 2000), 12));
    facts.Take(b, WithId(Clock(100, 130, 3000), 13));
    facts.Take(link, WithId(Clock(0, 10, 1000), 11));

    // Unreadable: shown at once, whether the entry above is read or the list has a stream.
    const std::wstring missing = L"/c/missing.MTS";
    facts.Take(missing, boost::none, ENOENT);
    EXPECT_EQ(facts.MarkNotes({L"/c/unread.MTS", missing}),
              (Names{L"", L"Cannot be read: No such file or directory"}));
    EXPECT_EQ(facts.Rows({missing})[0].marks, unsigned(ClipFacts::Row::kUnreadable));
    facts.Take(missing, boost::none, EACCES);
    EXPECT_EQ(facts.MarkNotes({missing}), (Names{L"Cannot be read: Permission denied"}))
        << "a new reason is taken";

    // The same file by another path, and the same path again.
    const std::vector<std::wstring> list = {a1, a2, b, link, a2};
    const std::vector<ClipFacts::Row> rows = facts.Rows(list);
    EXPECT_EQ(rows[3].marks, unsigned(ClipFacts::Row::kListedTwice | ClipFacts::Row::kNewPiece));
    EXPECT_EQ(rows[3].note, L"Listed twice: the same file as entry 1; " + kNew);
    EXPECT_EQ(rows[4].marks, unsigned(ClipFacts::Row::kListedTwice));
    EXPECT_EQ(rows[4].note, L"Listed twice: the same file as entry 2");
    EXPECT_EQ(rows[2].marks, unsigned(ClipFacts::Row::kNewPiece));
    // The copies are joined, so their time and size count; they are no recordings of their own.
    EXPECT_EQ(facts.Summary(list), L"5 clips, 2 recordings, 2 listed twice, 0:01:10, 9.0 kB");

    // The first listing removed: the copy is the file's only entry now.
    EXPECT_EQ(facts.Rows({b, link})[1].marks, unsigned(ClipFacts::Row::kNewPiece));
    EXPECT_EQ(facts.Summary({b, link}), L"2 clips, 2 recordings, 0:00:40, 4.0 kB");
    // A copy that cannot be read any more is no copy.
    facts.Take(link, boost::none, ENOENT);
    EXPECT_EQ(facts.Rows({a1, link})[1].marks, unsigned(ClipFacts::Row::kUnreadable));
    // Another file at the same path later (a new inode) is no copy of the old one.
    facts.Take(link, WithId(Clock(0, 10, 1000), 99));
    EXPECT_EQ(facts.Rows({a1, link})[1].marks & ClipFacts::Row::kListedTwice, 0u);
}
