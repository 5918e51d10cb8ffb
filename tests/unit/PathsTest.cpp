// Program and data folders: path cutting, folder creation and the help document's place.
#include "app/HalcyApp.h"
#include "base/Paths.h"

#include "FileText.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

TEST(Paths, ProgramFolderIsTheExecutablesFolderWithItsBackslash)
{
    EXPECT_EQ(FolderOfPath(L"D:\\Apps\\Tool\\prog.exe"), L"D:\\Apps\\Tool\\");
    EXPECT_EQ(FolderOfPath(L"prog.exe"), L"");

    SetProgramFolderForTesting(L"D:\\Apps\\Tool\\");
    InitProgramFolder();
    EXPECT_EQ(HelpDocumentPath(), L"D:\\Apps\\Tool\\Help\\Help.pdf");
}

TEST(Paths, EnsureFolderCreatesEachMissingLevelOutermostFirst)
{
    TempFolder root;
    const std::wstring base = root.path().substr(0, root.path().size() - 1);
    EnsureFolder(base, L"\\VELDRIAN\\VELDRIAN RGB Control\\");
    EXPECT_TRUE(IsFolder(base + L"\\VELDRIAN"));
    EXPECT_TRUE(IsFolder(base + L"\\VELDRIAN\\VELDRIAN RGB Control"));
    EXPECT_FALSE(FileExists(base + L"\\VELDRIAN\\VELDRIAN RGB Control\\config"));
}

TEST(Paths, AFileInTheWayStopsNothingButItsOwnLevel)
{
    TempFolder root;
    const std::wstring base = root.path().substr(0, root.path().size() - 1);
    WriteFileBytes(base + L"\\VELDRIAN", "not a folder");
    EnsureFolder(base, L"\\VELDRIAN\\VELDRIAN RGB Control\\");
    EXPECT_EQ(ReadFileBytes(base + L"\\VELDRIAN"), "not a folder");
    EXPECT_FALSE(IsFolder(base + L"\\VELDRIAN\\VELDRIAN RGB Control"));
}

TEST(Paths, DataFolderAndSettingsFileLieUnderApplicationData)
{
    TempFolder root;
    const std::wstring appData = root.path().substr(0, root.path().size() - 1);
    SetAppDataFolderForTesting(appData);
    InitDataFolder();
    InitSettingsFilePath();
    EXPECT_EQ(DataFolder(), appData + L"\\VELDRIAN\\VELDRIAN RGB Control\\");
    EXPECT_EQ(SettingsFilePath(), appData + L"\\VELDRIAN\\VELDRIAN RGB Control\\config");
    EXPECT_TRUE(IsFolder(DataFolder()));

    SetAppDataFolderForTesting(L"");
    InitSettingsFilePath();
    EXPECT_EQ(SettingsFilePath(), L"") << "no application-data folder, no settings file";
}

TEST(SingleInstance, AnExistingNameOrOneThatMayNotBeOpenedMeansAnotherInstance)
{
    EXPECT_TRUE(AnotherInstanceHoldsTheName(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(AnotherInstanceHoldsTheName(ERROR_ACCESS_DENIED)) << "held by an elevated instance";
    EXPECT_FALSE(AnotherInstanceHoldsTheName(ERROR_SUCCESS));
    EXPECT_FALSE(AnotherInstanceHoldsTheName(ERROR_INVALID_HANDLE)) << "no mutex at all: this one runs";
}
