#include "scene3d/object3d.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace heliomark;

namespace {

// Takes every free slot of Data (other tests leave some behind), so that the next object created
// lands where the test expects.
std::vector<std::unique_ptr<Object3D>> TakeFreeSlots() {
    std::vector<std::unique_ptr<Object3D>> taken;
    for (;;) {
        taken.push_back(std::make_unique<Object3D>());
        if (taken.back()->DataIndex == DataCount()) return taken;
    }
}

}  // namespace

TEST(Object3D, SlotLifecycle) {
    auto held = TakeFreeSlots();
    const int16_t countBefore = DataCount();

    // A slot added at the end starts hidden and empty.
    auto first = std::make_unique<Object3D>();
    EXPECT_EQ(first->DataIndex, countBefore + 1);
    EXPECT_FALSE(first->Visible());
    EXPECT_TRUE(DataAt(first->DataIndex).Used);
    first->AddPoint(1, 2, 3);
    first->AddLine(1, 1, 0xFF);
    first->AddCircle(0, 0, 0, 1, 0xFF, "x");
    first->Visible(true);
    const int16_t slot = first->DataIndex;

    // Destroying only frees the slot: the geometry and the flag stay in the table.
    first.reset();
    EXPECT_FALSE(DataAt(slot).Used);
    EXPECT_EQ(DataAt(slot).PointsCount(), 1);
    EXPECT_TRUE(DataAt(slot).Visible);

    // The next object reuses it, starts empty, and keeps the old Visible flag; the table does not grow.
    Object3D second;
    EXPECT_EQ(second.DataIndex, slot);
    EXPECT_EQ(DataCount(), countBefore + 1);
    EXPECT_TRUE(DataAt(slot).Used);
    EXPECT_TRUE(second.Visible());
    EXPECT_EQ(second.PointsCount(), 0);
    EXPECT_EQ(DataAt(slot).LinesCount(), 0);
    EXPECT_EQ(DataAt(slot).CirclesCount(), 0);

    // The first free slot is taken, not the last one freed.
    const int16_t low = held.front()->DataIndex, high = held.back()->DataIndex;
    held.back().reset();
    held.front().reset();
    Object3D third;
    EXPECT_EQ(third.DataIndex, low) << "freed " << low << " and " << high;
}

TEST(Object3D, RemoveKeepsOrderAndLeavesLineIndices) {
    Object3D o;
    for (int i = 1; i <= 4; ++i)
        o.AddPoint(static_cast<float>(i), 0, 0);
    o.AddLine(3, 4, 1);
    o.AddLine(1, 2, 2);
    o.AddLine(2, 3, 3);
    o.RemovePoint(2);
    o.RemoveLine(1);
    const ObjectData& r = DataAt(o.DataIndex);
    ASSERT_EQ(o.PointsCount(), 3);
    EXPECT_EQ(r.Points[0].X, 1);
    EXPECT_EQ(r.Points[1].X, 3);
    EXPECT_EQ(r.Points[2].X, 4);
    ASSERT_EQ(r.LinesCount(), 2);
    // The lines still name the old numbers: removal does not renumber.
    EXPECT_EQ(r.Lines[0].Point1, 1);
    EXPECT_EQ(r.Lines[0].Point2, 2);
    EXPECT_EQ(r.Lines[1].Color, 3u);

    // Indices outside the list change nothing.
    for (const int16_t bad : {0, -1, 4, 99}) {
        o.RemovePoint(bad);
        o.RemoveLine(bad);
        o.RemoveCircle(bad);
        EXPECT_EQ(o.PointsCount(), 3) << "index " << bad;
        EXPECT_EQ(r.LinesCount(), 2) << "index " << bad;
    }

    o.AddCircle(1, 1, 1, 0, 0, "N");
    o.AddCircle(2, 2, 2, 0, 0, "S");
    o.RemoveCircle(1);
    ASSERT_EQ(r.CirclesCount(), 1);
    EXPECT_EQ(r.Circles[0].Caption, "S");

    o.Init();
    EXPECT_EQ(r.PointsCount(), 0);
    EXPECT_EQ(r.LinesCount(), 0);
    EXPECT_EQ(r.CirclesCount(), 0);
}

TEST(Object3D, DataAtRejectsMissingSlots) {
    EXPECT_THROW(DataAt(0), std::out_of_range);
    EXPECT_THROW(DataAt(static_cast<int16_t>(DataCount() + 1)), std::out_of_range);
}
