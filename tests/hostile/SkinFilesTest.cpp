// Hostile skins: a copy of the program folder with its language file or its pictures broken.
// The program starts over each, rebuilds for the other language and back, shows the warning
// dialog, answers throughout and ends cleanly without touching the settings file.
#include "LargePng.h"
#include "ProgramFolderCopy.h"
#include "ProgramUnderTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

using namespace hostile;

namespace {

constexpr const wchar_t* kEnglishSkin = L"Lan\\skin_En.ini";
constexpr int kFirstLanguageValue = 16; // menu value of language 0

struct SkinEntry {
    std::wstring section;
    std::wstring key;
    std::wstring value;
};

// The entries of an INI file, read with the INI functions the program reads it with.
std::vector<SkinEntry> ReadEntries(const std::wstring& file)
{
    std::vector<wchar_t> names(64 * 1024);
    std::vector<wchar_t> lines(64 * 1024);
    std::vector<SkinEntry> entries;
    ::GetPrivateProfileSectionNamesW(names.data(), static_cast<DWORD>(names.size()), file.c_str());
    for (const wchar_t* section = names.data(); *section; section += wcslen(section) + 1) {
        ::GetPrivateProfileSectionW(section, lines.data(), static_cast<DWORD>(lines.size()), file.c_str());
        for (const wchar_t* line = lines.data(); *line; line += wcslen(line) + 1) {
            const std::wstring text = line;
            const size_t equals = text.find(L'=');
            if (equals != std::wstring::npos)
                entries.push_back({section, text.substr(0, equals), text.substr(equals + 1)});
        }
    }
    return entries;
}

// A UTF-16 INI file with a byte order mark, as the shipped skin files are.
void WriteEntries(const std::wstring& file, const std::vector<SkinEntry>& entries)
{
    std::wstring text = L"\xFEFF; rewritten by a test\r\n";
    std::wstring section;
    for (const SkinEntry& e : entries) {
        if (e.section != section)
            text += L"[" + (section = e.section) + L"]\r\n";
        text += e.key + L"=" + e.value + L"\r\n";
    }
    WriteFileBytes(file, std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));
}

std::vector<std::wstring> Split(const std::wstring& value)
{
    std::vector<std::wstring> fields;
    size_t from = 0;
    for (size_t comma; (comma = value.find(L',', from)) != std::wstring::npos; from = comma + 1)
        fields.push_back(value.substr(from, comma - from));
    fields.push_back(value.substr(from));
    return fields;
}

// Items and placements ("name,x,y,width,height,text,flag") get their name and text lengthened;
// plain values (font, file names, strings) are lengthened as a whole.
std::wstring Lengthened(const std::wstring& value, size_t nameChars, size_t textChars)
{
    constexpr size_t kItemFields = 7;
    std::vector<std::wstring> fields = Split(value);
    if (fields.size() < kItemFields)
        return value + std::wstring(textChars, L'W');
    fields[0] += std::wstring(nameChars, L'n');
    std::wstring text;
    while (text.size() < textChars)
        text += L"Long text \\r\\n ";
    fields[5] += text;
    std::wstring joined = fields[0];
    for (size_t i = 1; i < fields.size(); ++i)
        joined += L"," + fields[i];
    return joined;
}

void LengthenEveryValue(const ProgramFolderCopy& copy, size_t nameChars, size_t textChars)
{
    std::vector<SkinEntry> entries = ReadEntries(copy / kEnglishSkin);
    ASSERT_FALSE(entries.empty());
    for (SkinEntry& e : entries)
        e.value = Lengthened(e.value, nameChars, textChars);
    WriteEntries(copy / kEnglishSkin, entries);
}

void KeepSections(const ProgramFolderCopy& copy, std::initializer_list<const wchar_t*> kept)
{
    std::vector<SkinEntry> entries = ReadEntries(copy / kEnglishSkin);
    std::erase_if(entries, [&](const SkinEntry& e) {
        return std::none_of(kept.begin(), kept.end(), [&](const wchar_t* s) { return e.section == s; });
    });
    WriteEntries(copy / kEnglishSkin, entries);
}

void EveryPicture(const ProgramFolderCopy& copy, const std::function<std::string(const std::string&)>& change)
{
    copy.ForEachFile(L"skins", [&](const std::wstring& file) { WriteFileBytes(file, change(ReadFileBytes(file))); });
}

// A bitmap file header and info header claiming 16000 x 16000 pixels of 24 bits, and no pixels.
std::string BitmapHeaderOnly()
{
    constexpr int kSide = 16000;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + kSide * kSide * 3;
    info.biSize = sizeof(info);
    info.biWidth = kSide;
    info.biHeight = kSide;
    info.biPlanes = 1;
    info.biBitCount = 24;
    return std::string(reinterpret_cast<const char*>(&file), sizeof(file)) +
           std::string(reinterpret_cast<const char*>(&info), sizeof(info));
}

constexpr std::uint32_t kEnormousSide = 16000;

struct SkinCase {
    const char* name;
    std::function<void(const ProgramFolderCopy&)> breakIt;
};

const SkinCase kCases[] = {
    {"EveryPictureMissing", [](const ProgramFolderCopy& c) { std::filesystem::remove_all(c / L"skins"); }},
    {"EveryPictureEmpty", [](const ProgramFolderCopy& c) { EveryPicture(c, [](const std::string&) { return ""; }); }},
    {"EveryPictureTruncated",
     [](const ProgramFolderCopy& c) {
         EveryPicture(c, [](const std::string& b) { return b.substr(0, b.size() / 2); });
     }},
    {"EveryPictureIsText",
     [](const ProgramFolderCopy& c) { EveryPicture(c, [](const std::string&) { return "not a picture\r\n"; }); }},
    {"BackgroundClaimsEnormousSize",
     [](const ProgramFolderCopy& c) { WriteFileBytes(c / L"skins\\bg_main.bmp", BitmapHeaderOnly()); }},
    {"EnormousButtonFace",
     [](const ProgramFolderCopy& c) {
         WriteFileBytes(c / L"skins\\btn_apply_normal.png", TransparentPng(kEnormousSide, kEnormousSide));
     }},
    {"EnormousPicturePaintedEveryTime",
     [](const ProgramFolderCopy& c) {
         WriteFileBytes(c / L"skins\\Pic\\spectrum_line.png", TransparentPng(kEnormousSide, kEnormousSide));
     }},
    {"LanguageFilesMissing", [](const ProgramFolderCopy& c) { std::filesystem::remove_all(c / L"Lan"); }},
    {"NoSections", [](const ProgramFolderCopy& c) { KeepSections(c, {}); }},
    {"OnlyFontAndBackgrounds",
     [](const ProgramFolderCopy& c) {
         KeepSections(c, {L"GLOBAL", L"MAINSCREENNEW"});
     }},
    {"OverlongNamesAndTexts", [](const ProgramFolderCopy& c) { LengthenEveryValue(c, 300, 1500); }},
    {"ValuesLongerThanALookup", [](const ProgramFolderCopy& c) { LengthenEveryValue(c, 6000, 6000); }},
};

class HostileSkin : public testing::TestWithParam<SkinCase> {
protected:
    void SetUp() override { ASSERT_TRUE(service::StopAll()); }
    void TearDown() override { EXPECT_TRUE(service::StopAll()); } // before the copy's hid.exe goes

    DevicesFolder m_devices;
    ProgramFolderCopy m_copy;
};

} // namespace

TEST_P(HostileSkin, StartsRebuildsAsksAndEndsCleanly)
{
    ASSERT_TRUE(m_copy.Copied());
    GetParam().breakIt(m_copy);
    PlantSettings(EnglishDefaults());
    const std::string planted = ReadFileBytes(SettingsFile());

    ProgramUnderTest program(m_copy.Exe());
    ASSERT_NE(program.Window(), nullptr) << "the window shows";
    EXPECT_TRUE(program.Answers());

    ::PostMessageW(program.Window(), kMenuSelection, 0, MAKELPARAM(0, kFirstLanguageValue + 1));
    ::PostMessageW(program.Window(), kMenuSelection, 0, MAKELPARAM(0, kFirstLanguageValue));
    EXPECT_TRUE(program.Answers()) << "after rebuilding for another language and back";

    ::PostMessageW(program.Window(), WM_TIMER, kSsdWarningTimer, 0);
    EXPECT_NE(program.Process().WaitForWindow(kWarningCaption), nullptr) << "the warning dialog shows";
    EXPECT_TRUE(program.Answers());

    EXPECT_EQ(program.EndWithoutApplying(), kCleanExit);
    EXPECT_TRUE(ReadFileBytes(SettingsFile()) == planted);
}

INSTANTIATE_TEST_SUITE_P(Skins, HostileSkin, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<SkinCase>& info) { return info.param.name; });
