// The Qt application of the pictures suite, made once before the first test: rendering needs
// one, on Qt's offscreen platform when there is no display.
#include <gtest/gtest.h>

#include <memory>

#include "plots/plot_run.h"

namespace {

class PictureEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { session_ = std::make_unique<kavo::plots::PictureSession>(); }
    void TearDown() override { session_.reset(); }

  private:
    std::unique_ptr<kavo::plots::PictureSession> session_;
};

[[maybe_unused]] ::testing::Environment* const kPictures =
    ::testing::AddGlobalTestEnvironment(new PictureEnvironment);

}  // namespace
