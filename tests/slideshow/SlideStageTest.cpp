// Pictures on several monitors: the order of the list or random rounds, the dealing of that
// order to the monitors, all changing together, failures skipped, two pictures per monitor.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "SlideStage.h"

namespace {

std::vector<int> Draw(TSlideOrder& order, int count) {
  std::vector<int> drawn;
  for (int i = 0; i < count; ++i) drawn.push_back(order.Next());
  return drawn;
}

// A stage whose decodes are answered by the test: each job asked waits in `asked`.
struct TStageRig {
  std::vector<TSlideJob> asked;
  std::set<int> unreadable;
  TSlideStage stage;

  TStageRig(std::vector<TSlideRect> areas, int entries, bool random = false)
      : stage(SlideDealingOrder(std::move(areas)), entries, TSlideOrder(entries, random, 7),
              [this](const TSlideJob& job) { asked.push_back(job); }) {}

  // Answers the oldest job; returns the screens that changed.
  std::vector<int> AnswerOne() {
    const TSlideJob job = asked.front();
    asked.erase(asked.begin());
    TSlideDone done;
    done.Job = job;
    if (unreadable.count(job.Entry)) {
      done.Error = "unreadable";
    } else {
      done.Picture = std::make_unique<TSlidePicture>();
      done.Picture->Width = job.Entry + 1;  // tells the pictures apart
    }
    return stage.Deliver(std::move(done));
  }
  void AnswerAll() {
    while (!asked.empty()) AnswerOne();
  }
  std::vector<int> Shown() const {
    std::vector<int> shown;
    for (int i = 0; i < stage.ScreenCount(); ++i) shown.push_back(stage.Screen(i).ShownEntry);
    return shown;
  }
};

const TSlideRect Left800{0, 0, 800, 600};
const TSlideRect Primary1024{800, 0, 1024, 768};

}  // namespace

TEST(SlideOrder, ListOrderLoopsRandomRoundsArePermutationsWithoutRepeats) {
  TSlideOrder list(3, false, 1);
  EXPECT_EQ(Draw(list, 7), (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
  TSlideOrder none(0, true, 1);
  EXPECT_EQ(none.Next(), -1);
  TSlideOrder one(1, true, 1);
  EXPECT_EQ(Draw(one, 3), (std::vector<int>{0, 0, 0}));

  for (int count : {2, 3, 5, 12}) {
    for (std::uint32_t seed = 0; seed < 40; ++seed) {
      TSlideOrder order(count, true, seed);
      std::set<std::vector<int>> rounds;
      int previous = -1;
      for (int round = 0; round < 30; ++round) {
        std::vector<int> drawn = Draw(order, count);
        EXPECT_NE(drawn.front(), previous) << "the same picture twice in a row, seed " << seed;
        for (std::size_t i = 1; i < drawn.size(); ++i) EXPECT_NE(drawn[i], drawn[i - 1]);
        previous = drawn.back();
        rounds.insert(drawn);
        std::sort(drawn.begin(), drawn.end());
        std::vector<int> all(std::size_t(count), 0);
        for (int i = 0; i < count; ++i) all[std::size_t(i)] = i;
        ASSERT_EQ(drawn, all) << "a round is not a permutation, " << count << " entries, seed " << seed;
      }
      // Each round is new: with 3 entries or more, 30 rounds are not all one order.
      if (count >= 3) {
        EXPECT_GT(rounds.size(), 1u);
      }
    }
  }
}

TEST(SlideStage, DealsTheOrderAcrossMonitorsLeftToRightAndChangesThemTogether) {
  // The primary monitor is given first, as the system lists it; the left one is dealt first.
  EXPECT_EQ(SlideDealingOrder({Primary1024, Left800}), (std::vector<TSlideRect>{Left800, Primary1024}));
  EXPECT_EQ(SlideDealingOrder({{0, 600, 10, 10}, {0, 0, 10, 10}}),
            (std::vector<TSlideRect>{{0, 0, 10, 10}, {0, 600, 10, 10}}));

  TStageRig rig({Primary1024, Left800}, 7);
  rig.stage.Start();
  ASSERT_EQ(rig.asked.size(), 2u);
  EXPECT_EQ(rig.asked[0], (TSlideJob{0, 0, 800, 600}));   // entry 1 on the left monitor
  EXPECT_EQ(rig.asked[1], (TSlideJob{1, 1, 1024, 768}));  // entry 2 on the primary
  EXPECT_EQ(rig.AnswerOne(), std::vector<int>{0});        // a first picture shows at once
  EXPECT_EQ(rig.AnswerOne(), std::vector<int>{1});
  // Both firsts in: the nexts are dealt in turn, 3 and 4.
  ASSERT_EQ(rig.asked.size(), 2u);
  EXPECT_EQ(rig.asked[0].Entry, 2);
  EXPECT_EQ(rig.asked[1].Entry, 3);

  // The interval passes while the primary's next is still decoding: nothing changes until it
  // arrives, then both change at once.
  EXPECT_TRUE(rig.AnswerOne().empty());
  EXPECT_TRUE(rig.stage.Change().empty());
  EXPECT_EQ(rig.Shown(), (std::vector<int>{0, 1}));
  EXPECT_EQ(rig.AnswerOne(), (std::vector<int>{0, 1}));
  EXPECT_EQ(rig.Shown(), (std::vector<int>{2, 3}));

  std::vector<std::vector<int>> seen;
  for (int change = 0; change < 4; ++change) {
    rig.AnswerAll();
    EXPECT_EQ(rig.stage.Change(), (std::vector<int>{0, 1}));
    seen.push_back(rig.Shown());
  }
  // 7 entries dealt two at a time: the list goes round across the pair.
  EXPECT_EQ(seen, (std::vector<std::vector<int>>{{4, 5}, {6, 0}, {1, 2}, {3, 4}}));
}

TEST(SlideStage, SkipsWhatCannotBeShownAndHoldsTwoPicturesPerMonitor) {
  TStageRig rig({Left800, Primary1024}, 6);
  rig.unreadable = {1, 4};
  rig.stage.Start();
  rig.AnswerAll();
  // Entry 1 failed on the primary, which took entry 2 instead; 4 is passed over later.
  EXPECT_EQ(rig.Shown(), (std::vector<int>{0, 2}));
  std::vector<int> order;
  for (int change = 0; change < 100; ++change) {
    rig.AnswerAll();
    ASSERT_EQ(rig.stage.Change().size(), 2u);
    for (int entry : rig.Shown()) order.push_back(entry);
    EXPECT_LE(rig.stage.Held(), 4);
    for (const TSlideJob& job : rig.asked) EXPECT_TRUE(job.Entry != 1 && job.Entry != 4) << "asked again";
  }
  EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 6), (std::vector<int>{3, 5, 0, 2, 3, 5}));
  EXPECT_EQ(rig.stage.PeakHeld(), 4);
  EXPECT_FALSE(rig.stage.NothingToShow());

  TStageRig broken({Left800}, 2);
  broken.unreadable = {0, 1};
  broken.stage.Start();
  broken.AnswerAll();
  EXPECT_TRUE(broken.stage.NothingToShow());
  EXPECT_TRUE(broken.asked.empty());
  EXPECT_TRUE(TStageRig({Left800}, 0).stage.NothingToShow());
}

TEST(SlideStage, ASingleShowablePictureIsKeptNotDecodedAgain) {
  TStageRig rig({Left800}, 2);
  rig.unreadable = {1};
  rig.stage.Start();
  rig.AnswerAll();
  EXPECT_EQ(rig.Shown(), std::vector<int>{0});
  for (int change = 0; change < 3; ++change) {
    EXPECT_TRUE(rig.stage.Change().empty());
    EXPECT_TRUE(rig.asked.empty());
  }
  EXPECT_EQ(rig.stage.Held(), 1);
}
