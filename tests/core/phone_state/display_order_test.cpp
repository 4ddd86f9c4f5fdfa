#include "phone_state/display_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tolvane {
namespace {

// The walk done step by step over a plain vector: what the tree must match.
struct ReferenceOrder {
  std::vector<int> order;
  std::vector<bool> available;
  std::vector<std::string> keys;

  std::size_t Stop(std::size_t p, const std::string& key) const {
    std::size_t target = p;
    while (target > 0) {
      const auto other = static_cast<std::size_t>(order[target - 1]);
      if (available[other] && keys[other] < key) break;
      --target;
    }
    return target;
  }
  void Move(std::size_t from, std::size_t to) {
    std::rotate(order.begin() + static_cast<std::ptrdiff_t>(to), order.begin() + static_cast<std::ptrdiff_t>(from),
                order.begin() + static_cast<std::ptrdiff_t>(from) + 1);
  }
};

TEST(DisplayOrderTest, StopsBehindTheLastAvailableEntryThatSortsBefore) {
  DisplayOrder order;
  order.PushBack(true, "B");    // 0
  order.PushBack(false, "A");   // 1: offline, passed
  order.PushBack(true, "D");    // 2: sorts after C, passed
  order.PushBack(false, "C");   // 3: the one that moves
  EXPECT_EQ(order.AvailableStop(3, "C"), 1u);
  order.MoveForward(3, 1);
  EXPECT_EQ(order.Entries(), (std::vector<int>{0, 3, 1, 2}));
  EXPECT_EQ(order.PositionOf(3), 1u);
  EXPECT_EQ(order.At(1), 3);
  // Nothing available sorts before "A": to the very front.
  EXPECT_EQ(order.AvailableStop(3, "A"), 0u);
  // An equal name does not stop the walk.
  EXPECT_EQ(order.AvailableStop(2, "B"), 0u);
}

TEST(DisplayOrderTest, UpdatesChangeWhereLaterWalksStop) {
  DisplayOrder order;
  order.PushBack(false, "A");
  order.PushBack(false, "Z");
  EXPECT_EQ(order.AvailableStop(1, "M"), 0u);
  order.Update(0, true, "A");
  EXPECT_EQ(order.AvailableStop(1, "M"), 1u);
  order.Update(0, true, "N");
  EXPECT_EQ(order.AvailableStop(1, "M"), 0u);
}

TEST(DisplayOrderTest, MatchesTheStepByStepWalkOverRandomOperations) {
  std::mt19937 random(7);
  DisplayOrder order;
  ReferenceOrder reference;
  auto randomKey = [&] { return std::string(1, static_cast<char>('A' + random() % 6)) + std::to_string(random() % 3); };
  for (int step = 0; step < 2000; ++step) {
    const auto op = random() % 10;
    if (op < 3 || reference.order.empty()) {
      const bool available = random() % 2 == 0;
      const std::string key = randomKey();
      order.PushBack(available, key);
      reference.order.push_back(static_cast<int>(reference.keys.size()));
      reference.available.push_back(available);
      reference.keys.push_back(key);
    } else if (op < 9) {
      // A status or name change followed by the move a status change makes.
      const auto index = static_cast<int>(random() % reference.keys.size());
      const bool available = random() % 3 != 0;
      // Half the changes keep the name, as a status notification does, and
      // go through the one-pass walk.
      const bool statusOnly = random() % 2 == 0;
      const std::string key = statusOnly ? reference.keys[static_cast<std::size_t>(index)] : randomKey();
      if (statusOnly) {
        order.SetAvailable(index, available);
      } else {
        order.Update(index, available, key);
      }
      reference.available[static_cast<std::size_t>(index)] = available;
      reference.keys[static_cast<std::size_t>(index)] = key;
      const auto p = static_cast<std::size_t>(
          std::find(reference.order.begin(), reference.order.end(), index) - reference.order.begin());
      ASSERT_EQ(order.PositionOf(index), p) << "step " << step;
      const std::size_t stop = reference.Stop(p, key);
      if (statusOnly) {
        ASSERT_EQ(order.WalkForward(index), stop) << "step " << step;
      } else {
        ASSERT_EQ(order.AvailableStop(p, key), stop) << "step " << step;
        order.MoveForward(p, stop);
      }
      reference.Move(p, stop);
    } else {
      // Rebuilt from the order as it stands, as a removal does.
      order.Assign(reference.order, reference.available, reference.keys);
    }
    ASSERT_EQ(order.Size(), reference.order.size());
    if (step % 97 == 0) {
      ASSERT_EQ(order.Entries(), reference.order) << "step " << step;
    }
  }
  EXPECT_EQ(order.Entries(), reference.order);
  for (std::size_t p = 0; p < reference.order.size(); ++p) {
    ASSERT_EQ(order.At(p), reference.order[p]);
  }
}

// Thousands of entries each walking to the very front, as when names arrive
// in reverse order: the runs at the front fill and split over and over, the
// runs they came from empty, and the order is rebuilt now and then. Checked
// against the step-by-step walk throughout.
TEST(DisplayOrderTest, KeepsTheOrderThroughRepeatedSplitsAtTheFront) {
  constexpr int kEntries = 1500;
  DisplayOrder order;
  ReferenceOrder reference;
  for (int i = 0; i < kEntries; ++i) {
    order.PushBack(false, "ZZ");
    reference.order.push_back(i);
    reference.available.push_back(false);
    reference.keys.push_back("ZZ");
  }
  std::mt19937 random(11);
  for (int step = 0; step < 6000; ++step) {
    const auto index = static_cast<int>(random() % kEntries);
    const std::string key = "A" + std::to_string(900000 - step);  // each sorts before all earlier ones
    const auto p = static_cast<std::size_t>(
        std::find(reference.order.begin(), reference.order.end(), index) - reference.order.begin());
    reference.available[static_cast<std::size_t>(index)] = true;
    reference.keys[static_cast<std::size_t>(index)] = key;
    order.Update(index, false, key);
    ASSERT_EQ(order.BecomeAvailable(index), 0u) << "step " << step;
    reference.Move(p, 0);
    if (step % 500 == 0) {
      ASSERT_EQ(order.Entries(), reference.order) << "step " << step;
    }
  }
  EXPECT_EQ(order.Entries(), reference.order);
  for (std::size_t p = 0; p < reference.order.size(); p += 97) {
    EXPECT_EQ(order.PositionOf(reference.order[p]), p);
  }
}

}  // namespace
}  // namespace tolvane
