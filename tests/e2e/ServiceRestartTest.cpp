// Apply in the real program over stand-in services that close as real ones may: taking seconds
// to put their LEDs and driver down, or asking the program's window something before they go.
// The program is started from another folder than its own, as a shortcut may start it.
#include "JourneyFixture.h"

#include <gmock/gmock.h>

#include <string>

using testing::HasSubstr;

namespace {

constexpr const wchar_t* kCloseBehaviour = L"VELDRIAN_STANDIN_SERVICE_CLOSE";
constexpr int kPickedMode = 3;

// The folder a service was started in, as its log line gives it.
std::string FolderEntry(std::wstring folder)
{
    if (folder.ends_with(L'\\'))
        folder.pop_back();
    return " folder=\"" + std::string(folder.begin(), folder.end()) + "\"";
}

// The services the program starts inherit the close behaviour from it, and it from this test.
class ApplyOverService : public journey::Journey, public testing::WithParamInterface<const wchar_t*> {
protected:
    void SetUp() override
    {
        ::SetEnvironmentVariableW(kCloseBehaviour, GetParam());
        Journey::SetUp();
    }
    void TearDown() override
    {
        Journey::TearDown();
        ::SetEnvironmentVariableW(kCloseBehaviour, nullptr);
    }
};

} // namespace

// One service runs after Apply: a new one, started once the old one had ended, in the program
// folder, on the file Apply wrote.
TEST_P(ApplyOverService, EndsWithOneNewServiceOnTheNewFile)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    const DWORD old = service::ProcessOf(service::Windows()[0]);
    EXPECT_THAT(LastServiceLine(), HasSubstr(FolderEntry(TestProgramFolder())))
        << "started in its own folder, not in the one the program was started from";

    ClickMode(kPickedMode);
    const size_t lines = service::LogLines().size();
    Click(L"MAIN", L"4"); // Apply
    ASSERT_TRUE(WaitForServiceRead(lines));
    const std::vector<std::string> logged = service::LogLinesSince(lines);
    EXPECT_EQ(logged.size(), 1u);
    EXPECT_THAT(logged.back(), HasSubstr(" mode=" + std::to_string(kPickedMode) + " "));
    EXPECT_THAT(logged.back(), HasSubstr(FolderEntry(TestProgramFolder())));
    EXPECT_EQ(service::ProcessIds().size(), 1u);
    ASSERT_TRUE(service::WaitUntil([] { return service::Windows().size() == 1; })) << "it logs before its window shows";
    EXPECT_NE(service::ProcessOf(service::Windows()[0]), old);
    EXPECT_TRUE(m_program->Running());
}

INSTANTIATE_TEST_SUITE_P(StandInServices, ApplyOverService, testing::Values(L"slow", L"ping"));
