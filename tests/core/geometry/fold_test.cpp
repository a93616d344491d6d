#include "geometry/fold.h"

#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace bladetrace {
namespace {

// Station s: chord s + 1, blade angle 0.01 s, leading edges 100 + s and 200 + s; folded.
StationTable folded(int count) {
    StationTable t;
    t.Count = count;
    for (int s = 0; s < count; ++s) {
        const auto i = std::size_t(s);
        t.Chord[i] = float(s + 1);
        t.Beta[i] = 0.01f * float(s);
        t.XLE[i] = 100.0f + float(s);
        t.ZLE[i] = 200.0f + float(s);
    }
    for (int i = 0; i <= foldedLast(count); ++i)
        foldStation(t, i);
    return t;
}

TEST(Fold, OddCountMirrorsOntoItselfInTheMiddle) {
    const StationTable t = folded(41);
    EXPECT_EQ(foldedLast(41), 20);
    EXPECT_FLOAT_EQ(t.Chord[0], (41.0f + 1.0f) / 2);
    EXPECT_FLOAT_EQ(t.Beta[0], (0.40f + 0.0f) / 2);
    EXPECT_FLOAT_EQ(t.XLE[0], 140.0f); // taken over from the mirror, not averaged
    EXPECT_FLOAT_EQ(t.ZLE[0], 220.0f);
    EXPECT_FLOAT_EQ(t.rR[0], 1.0f);
    // Index 20 is its own mirror: unchanged but for its radius.
    EXPECT_FLOAT_EQ(t.Chord[20], 21.0f);
    EXPECT_FLOAT_EQ(t.XLE[20], 120.0f);
    EXPECT_FLOAT_EQ(t.rR[20], float(1.0 / 41));
    // The second blade keeps its unfolded values and a radius of zero.
    EXPECT_FLOAT_EQ(t.Chord[21], 22.0f);
    EXPECT_EQ(t.rR[21], 0.0f);
}

// The fold as a step: whoever consumes the folded blade sees each station as soon as it is
// folded, before the next. For an even count the last station's mirror is the one just handed
// over, so what the consumer left there (the section script's corrected angle) is averaged in.
TEST(Fold, HandsEachStationOnAsSoonAsItIsFolded) {
    for (const int count : {41, 42}) {
        SCOPED_TRACE(::testing::Message() << count << " stations");
        StationTable t;
        t.Count = count;
        for (int s = 0; s < count; ++s)
            t.Beta[std::size_t(s)] = 0.01f * float(s);
        std::vector<int> seen;
        const FoldedTable folded = foldBlade(t, [&seen, count](StationTable& table, int i) {
            const auto n = std::size_t(i);
            EXPECT_FLOAT_EQ(table.rR[n], float(1.0 - 2.0 * i / count)) << "folded before " << i;
            if (i + 1 < count / 2) {
                EXPECT_EQ(table.rR[n + 1], 0.0f) << "the next, " << i + 1 << ", folded too soon";
            }
            table.Beta[n] -= 1.0f; // as a correction would
            seen.push_back(i);
        });
        std::vector<int> expected(std::size_t(count / 2 + 1));
        std::iota(expected.begin(), expected.end(), 0);
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(folded.last(), count / 2);
        const int last = count / 2;
        const float mirror = count % 2 ? 0.01f * float(last) // itself, folded
                                       : (0.01f * float(last - 1) + 0.01f * float(last)) / 2 - 1.0f;
        EXPECT_FLOAT_EQ(folded.table.Beta[std::size_t(last)],
                        (mirror + 0.01f * float(last)) / 2 - 1.0f);
    }
}

TEST(Fold, NegativeChordBecomesTinyButZeroStaysZero) {
    StationTable t;
    t.Count = 4;
    t.Chord[0] = -3.0f;
    t.Chord[3] = 1.0f;
    foldStation(t, 0);
    foldStation(t, 1);
    EXPECT_FLOAT_EQ(t.Chord[0], 1e-5f);
    EXPECT_EQ(t.Chord[1], 0.0f);
}

} // namespace
} // namespace bladetrace
