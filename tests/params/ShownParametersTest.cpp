#include "params/ShownParameters.h"

#include <gtest/gtest.h>

namespace {

TEST(ShownParameters, DecimalFieldsRoundToATenthAsTheirBoxesHoldThem) {
    ParameterSet set;
    set.EQQLEFT[0] = 0.707f;
    set.EQQRIGHT[7] = 2.5f;
    set.EQQRIGHT1[5] = 1.26f;
    set.LLMT_THRESHOLD = -0.35f; // the float lies just above -0.35
    set.RLMT_SMOOTHTIME = 49.96f;
    set.EQGAINLEFT[3] = 7;
    set.EQCFRIGHT1[2] = 1234;
    const ParameterSet shown = ShownParameters::AsShown(set);
    EXPECT_EQ(shown.EQQLEFT[0], 0.7f);
    EXPECT_EQ(shown.EQQRIGHT[7], 2.5f);
    EXPECT_EQ(shown.EQQRIGHT1[5], 1.3f);
    EXPECT_EQ(shown.LLMT_THRESHOLD, -0.3f);
    EXPECT_EQ(shown.RLMT_SMOOTHTIME, 50.0f);
    ParameterSet expected = set;
    expected.EQQLEFT[0] = 0.7f;
    expected.EQQRIGHT1[5] = 1.3f;
    expected.LLMT_THRESHOLD = -0.3f;
    expected.RLMT_SMOOTHTIME = 50.0f;
    EXPECT_EQ(shown, expected); // nothing else moves
}

} // namespace
