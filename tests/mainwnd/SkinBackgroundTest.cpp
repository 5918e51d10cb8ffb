// The window's background picture as the skin names it: one that cannot be read still leaves a
// window a person sees and can close.
#include "MainWindowFixture.h"

namespace {

// Large enough to be seen and closed (the shipped skin's window is 1200 x 524).
constexpr int kSeenWidth = 320;
constexpr int kSeenHeight = 200;

class SkinBackground : public CopiedProgramFolderFixture {
protected:
    void SetBackground(const std::wstring& name) const
    {
        ::WritePrivateProfileStringW(L"MAINSCREENNEW", L"Main", name.c_str(), (m_folder / L"Lan\\skin_En.ini").c_str());
    }

};

} // namespace

TEST_F(SkinBackground, AnUnreadableBackgroundStillGivesAVisibleWindow)
{
    WriteFileBytes(m_folder / L"skins\\not-a-picture.bmp", "no picture here");
    for (const wchar_t* name : {L"missing.bmp", L"not-a-picture.bmp"}) {
        SCOPED_TRACE(testing::Message() << "background " << name);
        SetBackground(name);
        Open();
        const RECT client = m_dialog->GetClientRect();
        EXPECT_TRUE(::IsWindowVisible(*m_dialog));
        EXPECT_GE(client.right, kSeenWidth);
        EXPECT_GE(client.bottom, kSeenHeight);
        m_dialog->DestroyWindow();
    }
}
