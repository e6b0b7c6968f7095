// The fixed OpenGL state every drawer relies on.
#include <gtest/gtest.h>

#include <array>

#include "app/gl_state.h"
#include "gl_window.h"

namespace {

const auto* const window = ::testing::AddGlobalTestEnvironment(new GlWindow);

std::array<GLfloat, 4> light(GLenum parameter)
{
    std::array<GLfloat, 4> value{};
    glGetLightfv(GL_LIGHT0, parameter, value.data());
    return value;
}

}  // namespace

TEST(FixedState, TexturesBlendingAndTheLightAreReadyWithLightingLeftOff)
{
    initGLState();
    for (GLenum capability : {GL_COLOR_MATERIAL, GL_TEXTURE_2D, GL_BLEND, GL_DEPTH_TEST,
                              GL_NORMALIZE, GL_LIGHT0}) {
        EXPECT_TRUE(glIsEnabled(capability)) << "capability 0x" << std::hex << capability;
    }
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING)) << "the 3D view switches lighting itself";
    EXPECT_EQ(integerState(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integerState(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(integerState(GL_SHADE_MODEL), GL_SMOOTH);
    EXPECT_EQ(light(GL_POSITION), (std::array<GLfloat, 4>{0.0f, 2.0f, 0.0f, 0.1f}));
    EXPECT_EQ(light(GL_DIFFUSE), (std::array<GLfloat, 4>{1.0f, 1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
