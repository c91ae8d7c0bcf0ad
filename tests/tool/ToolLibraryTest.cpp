#include "ToolTestSupport.h"

#include "params/ToolLibrary.h"

#include <gtest/gtest.h>

namespace {

using tool_test::BinDirectory;

TEST(ToolLibrary, NamesTheLibraryInItsFailureMessage) {
    EXPECT_STREQ(ToolLibrary::FileName(), "libTool.so");
    EXPECT_EQ(ToolLibrary::LoadFailureMessage(), u"load libTool.so fail!");
}

TEST(ToolLibrary, LoadsBothEntryPointsFromTheProgramDirectory) {
    ToolLibrary library;
    ASSERT_EQ(library.Load(BinDirectory()), ToolLoadResult::Ok);
    EXPECT_TRUE(library.Loaded());
    ASSERT_NE(library.Eq10(), nullptr);
    ASSERT_NE(library.Eq8(), nullptr);
    EXPECT_NE(library.Eq10(), library.Eq8());

    // The functions are the library's: a flat ten-band record gives a 0 dB curve.
    tool_test::Record10 record = tool_test::FlatRecord10();
    float curve[3] = {99.0f, 99.0f, 99.0f};
    library.Eq10()(record.data(), curve, 48000, 20.0f, 3);
    for (float value : curve) {
        EXPECT_NEAR(value, 0.0f, 0.001f);
    }
}

TEST(ToolLibrary, ReportsAMissingLibraryAndResolvesNothing) {
    ToolLibrary library;
    EXPECT_EQ(library.Load(BinDirectory() + u"no-such-folder/"), ToolLoadResult::NotLoaded);
    EXPECT_FALSE(library.Loaded());
    EXPECT_EQ(library.Eq10(), nullptr);
    EXPECT_EQ(library.Eq8(), nullptr);
}

TEST(ToolLibrary, ReportsALibraryWithoutBothEntryPoints) {
    ToolLibrary library;
    EXPECT_EQ(library.Load(tool_test::TestLibraryDirectory(u"incomplete")),
              ToolLoadResult::MissingFunction);
    EXPECT_NE(library.Eq10(), nullptr);
    EXPECT_EQ(library.Eq8(), nullptr);
}

TEST(ToolLibrary, LoadingAgainReplacesWhatWasBound) {
    ToolLibrary library;
    ASSERT_EQ(library.Load(BinDirectory()), ToolLoadResult::Ok);
    EXPECT_EQ(library.Load(BinDirectory() + u"no-such-folder/"), ToolLoadResult::NotLoaded);
    EXPECT_FALSE(library.Loaded());
    EXPECT_EQ(library.Eq10(), nullptr);
    EXPECT_EQ(library.Eq8(), nullptr);
    EXPECT_EQ(library.Load(BinDirectory()), ToolLoadResult::Ok);
    EXPECT_NE(library.Eq8(), nullptr);
}

} // namespace
