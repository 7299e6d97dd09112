#include "model/quad_upload.h"
#include "objl/objl.h"

#include <gtest/gtest.h>

namespace {

// The saver exits quietly with code 0 on every path, so neither a model that
// does not load nor a number the loader cannot read may end it any other way.
TEST(ModelExit, LoadFailureEndsTheProcessWithCodeZero)
{
    EXPECT_EXIT(loadModelOrExit([] { return false; }), ::testing::ExitedWithCode(0), "");
}

TEST(ModelExit, UnreadableNumberInTheRealLoaderEndsTheProcessWithCodeZero)
{
    objl::Loader loader;
    EXPECT_EXIT(loadModelOrExit([&] { return loader.loadModelText("o quad\nv 1.0 oops 0.0\n", ""); }),
                ::testing::ExitedWithCode(0), "");
}

// Exits before the first GL call, so no context is needed to see it.
TEST(ModelExit, MissingModelResourceEndsTheProcessBeforeAnyUpload)
{
    EXPECT_EXIT(uploadModel(998, 999), ::testing::ExitedWithCode(0), "");
}

} // namespace
