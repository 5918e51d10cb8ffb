// The COM apartment the application object holds for the program's run, held by this test
// program for its run: the main dialogs the tests open ask their lighting providers and decode
// their skin faces in it, as the program's do.
#include <gtest/gtest.h>

#include "framework/ComPtr.h"

#include <optional>

namespace {

class ApplicationApartment : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_apartment.emplace();
        ASSERT_TRUE(m_apartment->ok());
    }
    void TearDown() override { m_apartment.reset(); }

private:
    std::optional<ComApartment> m_apartment;
};

// gtest owns the environment.
[[maybe_unused]] const ::testing::Environment* const kApartment =
    ::testing::AddGlobalTestEnvironment(new ApplicationApartment);

} // namespace
