#include "phone_state/display_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
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

// A rename that keeps the first eight bytes of an entry that heads its part
// of a long order: the summaries above that part learn of the whole new
// name, so an entry coming online behind it stops behind it.
TEST(DisplayOrderTest, ARenameKeepingTheFirstBytesReachesEverySummaryAbove) {
  ReferenceOrder names;
  DisplayOrder order{names.Names()};
  for (int i = 0; i < 300; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "JOHANNES %03d", i);
    names.PushBack(order, true, key);
  }
  names.PushBack(order, false, "JOHANNES (WORK)");
  for (const int renamed : {128, 192, 64, 175}) {
    SCOPED_TRACE(renamed);
    DisplayOrder probe = order;
    const std::string before = names.keys[static_cast<std::size_t>(renamed)];
    names.keys[static_cast<std::size_t>(renamed)] = "JOHANNES (HOME)";
    probe.Update(renamed, true, "JOHANNES (HOME)");
    EXPECT_EQ(probe.BecomeAvailable(300), static_cast<std::size_t>(renamed) + 1);
    names.keys[static_cast<std::size_t>(renamed)] = before;
  }
}

// The tree over the runs sums up each part of the order: its positions and
// its smallest available name. Every walk and every look-up by position goes
// through those summaries, so they are checked by what they lead to: from a
// copy of the order, each entry's walk (as it comes online, or again) must
// stop where the step-by-step walk does, and each position must hold the
// entry the reference has there.
void ExpectSummariesAgree(const DisplayOrder& order, const ReferenceOrder& reference, int step) {
  for (std::size_t p = 0; p < reference.order.size(); ++p) {
    ASSERT_EQ(order.At(p), reference.order[p]) << "step " << step << ", position " << p;
  }
  for (std::size_t index = 0; index < reference.keys.size(); ++index) {
    DisplayOrder probe = order;
    const auto entry = static_cast<int>(index);
    const std::size_t stop = reference.Stop(reference.PositionOf(entry), reference.keys[index]);
    ASSERT_EQ(probe.BecomeAvailable(entry), stop) << "step " << step << ", entry " << index << " "
                                                  << reference.keys[index];
  }
}

TEST(DisplayOrderTest, MatchesTheStepByStepWalkOverRandomOperations) {
  std::mt19937 random(7);
  ReferenceOrder reference;
  DisplayOrder order{reference.Names()};
  // Most names share their first nine bytes and differ only after them, so
  // that a rename often keeps the first eight bytes the order holds of it.
  auto randomKey = [&] {
    return std::string(random() % 8 != 0 ? "JOHANNES " : "ZELDA ") + "( 0AZ"[random() % 5] + std::to_string(random() % 1000);
  };
  for (int step = 0; step < 3000; ++step) {
    const auto op = random() % 500;
    const auto index = static_cast<int>(random() % std::max<std::size_t>(reference.keys.size(), 1));
    const auto at = static_cast<std::size_t>(index);
    if (op < 150 || reference.order.empty()) {
      reference.PushBack(order, random() % 2 == 0, randomKey());
    } else if (op < 300) {
      // A new name, as the store records it: the entry stays where it is.
      // Every other rename takes the smallest available name of a stretch
      // of positions (the name a part of the order's summaries holds) and
      // changes it beyond its first bytes, so that it may lose its place in
      // the summaries above while it keeps the one below.
      int renamed = index;
      if (op % 2 == 0) {
        const std::size_t from = random() % reference.order.size();
        const std::size_t to = std::min(reference.order.size(), from + 1 + random() % 256);
        for (std::size_t p = from; p < to; ++p) {
          const auto other = static_cast<std::size_t>(reference.order[p]);
          if (reference.available[other] &&
              (renamed == index || reference.keys[other] < reference.keys[static_cast<std::size_t>(renamed)])) {
            renamed = reference.order[p];
          }
        }
      }
      const auto r = static_cast<std::size_t>(renamed);
      const std::string key = renamed == index ? randomKey() : reference.keys[r].substr(0, 9) + "( 0AZ"[random() % 5] + std::to_string(random() % 1000);
      reference.keys[r] = key;
      order.Update(renamed, reference.available[r], key);
    } else if (op < 425) {
      // A new status, as the store records it: an entry that becomes
      // available walks forward in one pass; one that stops being available
      // stays.
      const bool available = random() % 3 != 0;
      const bool became = available && !reference.available[at];
      reference.available[at] = available;
      const std::size_t p = reference.PositionOf(index);
      if (became) {
        const std::size_t stop = reference.Stop(p, reference.keys[at]);
        ASSERT_EQ(order.BecomeAvailable(index), stop) << "step " << step;
        reference.Move(p, stop);
      } else {
        order.SetAvailable(index, available);
      }
    } else if (op < 460) {
      // A name and a status at once, moved to where the step-by-step walk
      // stops (the store's moves by name).
      const bool available = random() % 3 != 0;
      const std::string key = randomKey();
      reference.available[at] = available;
      reference.keys[at] = key;
      order.Update(index, available, key);
      const std::size_t p = reference.PositionOf(index);
      ASSERT_EQ(order.PositionOf(index), p) << "step " << step;
      const std::size_t stop = reference.Stop(p, key);
      order.MoveForward(p, stop);
      reference.Move(p, stop);
    } else if (op < 499) {
      // An available entry asked to move again by its status (the store's
      // MoveContactByStatus): it walks through the tree's summaries.
      if (!reference.available[at]) continue;
      const std::size_t p = reference.PositionOf(index);
      const std::size_t stop = reference.Stop(p, reference.keys[at]);
      ASSERT_EQ(order.WalkForward(index), stop) << "step " << step;
      reference.Move(p, stop);
    } else {
      // A removal (rare: it builds the order afresh): the entries above move
      // down by one, in the reference first, as the store renumbers its own
      // before the order.
      reference.keys.erase(reference.keys.begin() + index);
      reference.available.erase(reference.available.begin() + index);
      reference.order.erase(reference.order.begin() + static_cast<std::ptrdiff_t>(reference.PositionOf(index)));
      for (int& other : reference.order) {
        if (other > index) --other;
      }
      order.Remove(index);
    }
    ASSERT_EQ(order.Size(), reference.order.size());
    if (step % 150 == 0) {
      ASSERT_EQ(order.Entries(), reference.order) << "step " << step;
      ExpectSummariesAgree(order, reference, step);
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
  EXPECT_EQ(order.Entries(), reference.order);
  ExpectSummariesAgree(order, reference, 3000);
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
