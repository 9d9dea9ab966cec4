#include <gtest/gtest.h>

#include "core/segment_clip.h"

using vm::clip_segment;

// The box 0..10 x 0..10, closed and open.
TEST(SegmentClip, SpansInsideTheClosedAndTheOpenBox) {
    struct Case {
        const char* what;
        double x1, y1, x2, y2;
        bool closed, open;
        double t0, t1;  // the closed span, when there is one
    } cases[] = {
        {"inside", 2, 2, 8, 8, true, true, 0, 1},
        {"through", -10, 5, 20, 5, true, true, 1.0 / 3, 2.0 / 3},
        {"diagonal from outside", -5, -5, 5, 5, true, true, 0.5, 1},
        {"along an edge", -5, 0, 15, 0, true, false, 0.25, 0.75},
        {"touching a corner", -5, 5, 0, 10, true, false, 1, 1},
        {"beside", 11, -5, 11, 15, false, false, 0, 0},
        {"short of the box", -5, 5, -1, 5, false, false, 0, 0},
        {"a point inside", 3, 3, 3, 3, true, true, 0, 1},
    };
    for (const Case& c : cases) {
        const auto closed = clip_segment(c.x1, c.y1, c.x2, c.y2, 0, 0, 10, 10);
        const auto open = clip_segment(c.x1, c.y1, c.x2, c.y2, 0, 0, 10, 10, true);
        EXPECT_EQ(closed.has_value(), c.closed) << c.what;
        EXPECT_EQ(open.has_value(), c.open) << c.what;
        if (closed && c.closed) {
            EXPECT_NEAR(closed->t0, c.t0, 1e-12) << c.what;
            EXPECT_NEAR(closed->t1, c.t1, 1e-12) << c.what;
        }
    }
    // Far beyond the picture: the span is the few pixels inside, not the whole line.
    const auto far = clip_segment(-1e13, 5, 1e13, 5, 0, 0, 10, 10);
    ASSERT_TRUE(far);
    EXPECT_NEAR((far->t1 - far->t0) * 2e13, 10, 1e-3);
}
