#include "phone_state/display_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tolvane {
namespace {

// The walk done step by step over a plain vector: what the tree must match.
// Its keys are also the names the display order asks for.
struct ReferenceOrder {
  std::vector<int> order;
  std::vector<bool> available;
  std::vector<std::string> keys;

  DisplayOrder::NameKeyOf Names() {
    return [this](int index) { return keys.at(static_cast<std::size_t>(index)); };
  }
  void PushBack(DisplayOrder& displayOrder, bool isAvailable, const std::string& key) {
    order.push_back(static_cast<int>(keys.size()));
    available.push_back(isAvailable);
    keys.push_back(key);
    displayOrder.PushBack(isAvailable, key);
  }
  std::size_t PositionOf(int index) const {
    return static_cast<std::size_t>(std::find(order.begin(), order.end(), index) - order.begin());
  }

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

TEST(DisplayOrderTest, WalksToBehindTheLastAvailableEntryThatSortsBefore) {
  ReferenceOrder names;
  DisplayOrder order{names.Names()};
  names.PushBack(order, true, "B");    // 0
  names.PushBack(order, false, "A");   // 1: offline, passed
  names.PushBack(order, true, "D");    // 2: sorts after C, passed
  names.PushBack(order, false, "C");   // 3: the one that comes online
  EXPECT_EQ(order.BecomeAvailable(3), 1u);
  EXPECT_EQ(order.Entries(), (std::vector<int>{0, 3, 1, 2}));
  EXPECT_EQ(order.PositionOf(3), 1u);
  EXPECT_EQ(order.At(1), 3);
  // An equal name does not stop the walk; nothing available sorts before
  // "A": to the very front.
  names.keys[2] = "B";
  order.Update(2, true, "B");
  EXPECT_EQ(order.WalkForward(2), 0u);
  EXPECT_EQ(order.Entries(), (std::vector<int>{2, 0, 3, 1}));
  names.keys[1] = "A";
  EXPECT_EQ(order.BecomeAvailable(1), 0u);
}

// Names that agree in their first eight bytes are told apart by the whole
// name, which the order asks for; shorter equal names are equal.
TEST(DisplayOrderTest, ComparesWholeNamesWhenTheirFirstBytesAgree) {
  ReferenceOrder names;
  DisplayOrder order{names.Names()};
  names.PushBack(order, true, "JOHANNES MUELLER");  // 0
  names.PushBack(order, true, "JOHANNES SCHMIDT");  // 1
  names.PushBack(order, false, "JOHANNES");         // 2: sorts before both
  names.PushBack(order, false, "JOHANNES NEUMANN"); // 3: between them
  names.PushBack(order, false, "AL");               // 4
  EXPECT_EQ(order.BecomeAvailable(3), 1u);
  EXPECT_EQ(order.BecomeAvailable(2), 0u);
  EXPECT_EQ(order.Entries(), (std::vector<int>{2, 0, 3, 1, 4}));
  names.keys[0] = "AL";
  order.Update(0, true, "AL");
  EXPECT_EQ(order.BecomeAvailable(4), 0u);  // an equal short name does not stop it
}

TEST(DisplayOrderTest, MatchesTheStepByStepWalkOverRandomOperations) {
  std::mt19937 random(7);
  ReferenceOrder reference;
  DisplayOrder order{reference.Names()};
  // Half the names agree in their first eight bytes.
  auto randomKey = [&] {
    return std::string(random() % 2 == 0 ? "SAMEPREFIX" : "") + static_cast<char>('A' + random() % 6) +
           std::to_string(random() % 3);
  };
  for (int step = 0; step < 2000; ++step) {
    const auto op = random() % 10;
    if (op < 3 || reference.order.empty()) {
      reference.PushBack(order, random() % 2 == 0, randomKey());
    } else if (op < 9) {
      // A status or name change followed by the move a status change makes.
      const auto index = static_cast<int>(random() % reference.keys.size());
      const bool available = random() % 3 != 0;
      // Half the changes keep the name, as a status notification does, and
      // go through the one-pass walk; the others move to where the
      // step-by-step walk stops.
      const bool statusOnly = random() % 2 == 0;
      const std::string key = statusOnly ? reference.keys[static_cast<std::size_t>(index)] : randomKey();
      reference.available[static_cast<std::size_t>(index)] = available;
      reference.keys[static_cast<std::size_t>(index)] = key;
      if (statusOnly) {
        order.SetAvailable(index, available);
      } else {
        order.Update(index, available, key);
      }
      const std::size_t p = reference.PositionOf(index);
      ASSERT_EQ(order.PositionOf(index), p) << "step " << step;
      const std::size_t stop = reference.Stop(p, key);
      if (statusOnly) {
        ASSERT_EQ(order.WalkForward(index), stop) << "step " << step;
      } else {
        order.MoveForward(p, stop);
      }
      reference.Move(p, stop);
    } else {
      // A removal: the entries above move down by one, in the reference
      // first, as the store renumbers its own before the order.
      const auto index = static_cast<int>(random() % reference.keys.size());
      reference.keys.erase(reference.keys.begin() + index);
      reference.available.erase(reference.available.begin() + index);
      reference.order.erase(reference.order.begin() + static_cast<std::ptrdiff_t>(reference.PositionOf(index)));
      for (int& other : reference.order) {
        if (other > index) --other;
      }
      order.Remove(index);
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
  ReferenceOrder reference;
  DisplayOrder order{reference.Names()};
  for (int i = 0; i < kEntries; ++i) reference.PushBack(order, false, "ZZ");
  std::mt19937 random(11);
  for (int step = 0; step < 6000; ++step) {
    const auto index = static_cast<int>(random() % kEntries);
    const std::string key = "A" + std::to_string(900000 - step);  // each sorts before all earlier ones
    const std::size_t p = reference.PositionOf(index);
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
