// The suites that skin windows run under the programs' own style, installed before any test makes a
// window, as the programs install it before their first.
#include "skin/SkinStyle.h"

#include <gtest/gtest.h>

namespace {

class SkinStyleEnvironment : public ::testing::Environment {
public:
    void SetUp() override { InstallSkinStyle(); }
};

const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new SkinStyleEnvironment);

} // namespace
