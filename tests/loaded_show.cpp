// The layer and ride test programs draw from the show as loaded at start-up.
#include "gl_window.h"

namespace {

const auto* const window = ::testing::AddGlobalTestEnvironment(new ShowWindow);

}  // namespace
