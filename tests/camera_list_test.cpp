#include "ui/camera_list.h"

#include <gtest/gtest.h>

#include "app/string_table.h"
#include "discovery/message_ids.h"
#include "support/camera_records.h"
#include "ui/camera_line.h"
#include "ui/memory_list_lines.h"

namespace lenscout {
namespace {

using test::camera;
using test::heap;

class CameraListTest : public testing::Test {
protected:
    void SetUp() override { SelectLanguage(kEnglish); }

    // The cameras answer (in this order), then a tick comes.
    void period(std::initializer_list<const char*> ids) {
        for (const char* id : ids) list.OnCameraFound(heap(camera(id, id)));
        list.OnScanTick();
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const std::string& l : lines.lines()) out.push_back(l.substr(0, l.find(' ')));
        return out;
    }
    void expectInStep() const {
        ASSERT_EQ(lines.count(), static_cast<int>(list.cameras().size()));
        for (size_t i = 0; i < list.cameras().size(); ++i)
            EXPECT_EQ(lines.lines()[i], FormatCameraLine(list.cameras()[i])) << i;
    }

    MemoryListLines lines;
    CameraList list{lines};
};

TEST_F(CameraListTest, NewCamerasAreAppendedWithTheirLines) {
    list.OnCameraFound(heap(camera("B", "B")));
    list.OnCameraFound(heap(camera("A", "A")));
    EXPECT_EQ(names(), (std::vector<std::string>{"B", "A"}));
    expectInStep();
}

TEST_F(CameraListTest, AKnownCameraIsReplacedButItsLineWaitsForTheTick) {
    period({"A"});
    const int written = lines.written();
    list.OnCameraFound(heap(camera("A", "A", "192.168.77.5", 8080)));
    EXPECT_EQ(lines.written(), written);
    ASSERT_EQ(list.cameras().size(), 1u);
    EXPECT_EQ(toHostPort(list.cameras()[0].httpPort), 8080);
    list.OnScanTick();
    EXPECT_EQ(lines.written(), written + 1);
    expectInStep();
}

TEST_F(CameraListTest, IdsCompareAsTextOfAtMostThirteenBytes) {
    CameraInfo a = camera("SAME");
    CameraInfo b = camera("SAME");
    b.deviceId[6] = 'x';  // after the terminating zero
    list.OnCameraFound(heap(a));
    list.OnCameraFound(heap(b));
    EXPECT_EQ(list.cameras().size(), 1u);
    std::memset(a.deviceId, 'L', sizeof a.deviceId);
    b = a;
    b.name[0] = 'Z';
    list.OnCameraFound(heap(a));
    list.OnCameraFound(heap(b));
    EXPECT_EQ(list.cameras().size(), 2u);
}

TEST_F(CameraListTest, UnchangedLinesAreNeverRewritten) {
    period({"A", "B", "C"});
    const int written = lines.written();
    for (int i = 0; i < 3; ++i) period({"A", "B", "C"});
    EXPECT_EQ(lines.written(), written);
    EXPECT_EQ(lines.removed(), 0);
}

// A widget that does not give back what it was given, as a name that is no
// GBK comes back changed from UTF-16: its line is still written once only,
// and the selection stays.
TEST(CameraListWidget, ALineThatReadsBackOtherwiseIsNotWrittenAgain) {
    struct Lossy : MemoryListLines {
        std::string text(int i) const override { return "?" + MemoryListLines::text(i); }
    } lossy;
    CameraList list{lossy};
    CameraInfo broken = camera("A");
    setFieldText(broken.name, "\x81\x20");  // a lead byte with no trail
    for (int i = 0; i < 3; ++i) {
        list.OnCameraFound(heap(broken));
        list.OnCameraFound(heap(camera("B")));
        list.OnScanTick();
        if (i == 0) lossy.select(0);
    }
    EXPECT_EQ(lossy.written(), 2);
    EXPECT_EQ(lossy.selectedIndex(), 0);
}

TEST_F(CameraListTest, ACameraThatStopsAnsweringGoesAtTheTickAfterTheNext) {
    list.OnCameraFound(heap(camera("A", "A")));
    list.OnCameraFound(heap(camera("B", "B")));
    list.OnScanTick();  // the tick after B's last reply keeps it
    EXPECT_EQ(names(), (std::vector<std::string>{"A", "B"}));
    period({"A"});  // the one after that drops it
    EXPECT_EQ(names(), (std::vector<std::string>{"A"}));
    period({"B", "A"});
    EXPECT_EQ(names(), (std::vector<std::string>{"A", "B"})) << "a camera back is new, at the end";
    expectInStep();
}

TEST_F(CameraListTest, RemovalInTheMiddleMovesTheRestUp) {
    period({"A", "B", "C", "D"});
    period({"A", "C", "D"});
    period({"A", "C", "D"});
    EXPECT_EQ(names(), (std::vector<std::string>{"A", "C", "D"}));
    expectInStep();
}

TEST_F(CameraListTest, SeveralAtOnceAndAtTheEnd) {
    period({"A", "B", "C", "D", "E"});
    period({"B", "D"});
    period({"B", "D"});
    EXPECT_EQ(names(), (std::vector<std::string>{"B", "D"}));
    expectInStep();
    period({});
    period({});
    EXPECT_EQ(lines.count(), 0);
    EXPECT_TRUE(list.cameras().empty());
}

// A camera that goes takes its own line: the lines below are not written
// again, and the selection stays on its camera.
TEST_F(CameraListTest, ACameraGoingAboveTheSelectionTakesOnlyItsLine) {
    period({"A", "B", "C", "D"});
    lines.select(2);
    const int written = lines.written();
    period({"A", "C", "D"});
    period({"A", "C", "D"});
    EXPECT_EQ(names(), (std::vector<std::string>{"A", "C", "D"}));
    EXPECT_EQ(lines.written(), written);
    EXPECT_EQ(lines.removed(), 1);
    EXPECT_EQ(lines.selectedIndex(), 1) << "still C";
    expectInStep();
}

// Found by fuzzing: a selected line whose text changed was taken out and
// put back, and the selection went with it.
TEST_F(CameraListTest, AChangedLineKeepsItsSelection) {
    period({"A", "B", "C"});
    lines.select(1);
    list.OnCameraFound(heap(camera("B", "Renamed")));
    list.OnCameraFound(heap(camera("A", "A")));
    list.OnCameraFound(heap(camera("C", "C")));
    list.OnScanTick();
    EXPECT_EQ(lines.lines()[1].substr(0, 7), "Renamed");
    EXPECT_EQ(lines.selectedIndex(), 1);
}

// Against a flood of made-up IDs: the cameras listed stay, new ones wait
// until there is room, and a known one is still brought up to date.
TEST_F(CameraListTest, AFullListKeepsItsCamerasAndTakesNoNewOne) {
    MemoryListLines three;
    CameraList small(three, 3);
    for (const char* id : {"A", "B", "C"}) EXPECT_TRUE(small.OnCameraFound(heap(camera(id, id))));
    EXPECT_FALSE(small.OnCameraFound(heap(camera("D", "D"))));
    EXPECT_TRUE(small.OnCameraFound(heap(camera("A", "A2"))));
    small.OnScanTick();
    ASSERT_EQ(three.count(), 3);
    EXPECT_EQ(three.lines()[0].substr(0, 2), "A2");
    small.OnScanTick();  // nobody answered: room again
    EXPECT_TRUE(small.OnCameraFound(heap(camera("D", "D"))));
}

TEST_F(CameraListTest, ALanguageSwitchRewritesEveryLineAtTheNextTick) {
    CameraInfo far = camera("B", "B");
    far.sameSubnet = 0;
    auto answer = [&] {
        list.OnCameraFound(heap(camera("A", "")));
        list.OnCameraFound(heap(far));
        list.OnScanTick();
    };
    answer();
    SelectLanguage(kTraditionalChinese);
    const int written = lines.written();
    answer();
    EXPECT_EQ(lines.written(), written + 2);
    EXPECT_EQ(lines.lines()[0].rfind(CurrentText(kTextAnonymous), 0), 0u);
    EXPECT_EQ(lines.lines()[1].substr(25), CurrentText(kTextSubnetMismatch));
    expectInStep();
}

TEST_F(CameraListTest, ClearEmptiesStoreAndList) {
    period({"A", "B"});
    list.Clear();
    EXPECT_EQ(lines.count(), 0);
    EXPECT_TRUE(list.cameras().empty());
}

TEST(ScanError, OnlyTheWorkersFailureEndsTheProgram) {
    EXPECT_EQ(OnScanError(kScanSocketFailure), ScanErrorAction::SocketErrorThenQuit);
    for (int32_t code : {1, 5, 6}) EXPECT_EQ(OnScanError(code), ScanErrorAction::IncorrectCredentials);
    for (int32_t code : {0, 2, 3, 4, 7, -1, 65534, -32768}) EXPECT_EQ(OnScanError(code), ScanErrorAction::None);
}

}  // namespace
}  // namespace lenscout
