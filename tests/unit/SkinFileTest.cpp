// The current skin file on real INI files: lookups, numbered texts, skin texts and pictures.
#include "skin/SkinFile.h"

#include "FileText.h"
#include "ImageFiles.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Sets the current skin file for one test and restores the previous one.
class SkinFileScope {
public:
    explicit SkinFileScope(const std::wstring& path) : m_previous(SkinFile()) { SetSkinFile(path); }
    ~SkinFileScope() { SetSkinFile(m_previous); }

private:
    std::wstring m_previous;
};

std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

// A skin file as the shipped ones are written: UTF-16LE with a byte-order mark.
void WriteSkinFile(const std::wstring& path, const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    WriteFileBytes(path, bytes);
}

// Rows of the canvas that hold at least one pixel that is not the background.
std::vector<int> InkedRows(const Canvas& canvas, Bgra background)
{
    std::vector<int> rows;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (const Bgra p = canvas.At(x, y); p.r != background.r || p.g != background.g || p.b != background.b) {
                rows.push_back(y);
                break;
            }
    return rows;
}

class SkinFileTest : public ::testing::Test {
protected:
    SkinFileTest() : m_scope(m_folder / L"skin.ini") {}

    void Write(const std::wstring& text) { WriteSkinFile(m_folder / L"skin.ini", text); }

    TempFolder m_folder;
    SkinFileScope m_scope;
};

} // namespace

TEST_F(SkinFileTest, GetSkinStringReadsTheCurrentFileOrGivesTheDefault)
{
    Write(L"[MAIN]\r\n1=btn_min,1110,8,40,32,,FALSE\r\nquoted=\"  two words  \"\r\nblank=   padded   \r\n"
          L"[FUNC_STRING]\r\nA=English\r\nFF=Last\r\n1A=Twenty-six\r\n");
    EXPECT_EQ(GetSkinString(L"MAIN", L"1", L"x"), L"btn_min,1110,8,40,32,,FALSE");
    EXPECT_EQ(GetSkinString(L"main", L"1", L"x"), L"btn_min,1110,8,40,32,,FALSE"); // sections ignore case
    EXPECT_EQ(GetSkinString(L"MAIN", L"quoted", L""), L"  two words  ");
    EXPECT_EQ(GetSkinString(L"MAIN", L"blank", L""), L"padded");
    EXPECT_EQ(GetSkinString(L"MAIN", L"2", L"fallback"), L"fallback");
    EXPECT_EQ(GetSkinString(L"NONE", L"1", L"fallback"), L"fallback");
    EXPECT_EQ(GetFuncString(10), L"English");
    EXPECT_EQ(GetFuncString(255), L"Last");
    EXPECT_EQ(GetFuncString(26), L"Twenty-six");
    EXPECT_EQ(GetFuncString(11), L"");
}

// Set after it was written, the file's answers are kept: asked again, each lookup must still
// give what the platform gives, the default included (it is part of the question).
TEST_F(SkinFileTest, KeptLookupsGiveThePlatformsAnswersEveryTime)
{
    Write(L"[MAIN]\r\n1=btn_min,1110,8,40,32,,FALSE\r\nquoted=\"  two words  \"\r\n[LED_STRING]\r\n1=" +
          std::wstring(3000, L'w') + L"\r\n");
    SetSkinFile(m_folder / L"skin.ini");
    struct Lookup {
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* fallback;
        std::wstring expected;
    };
    const Lookup lookups[] = {
        {L"MAIN", L"1", L"x", L"btn_min,1110,8,40,32,,FALSE"},
        {L"main", L"1", L"x", L"btn_min,1110,8,40,32,,FALSE"},
        {L"MAIN", L"quoted", L"", L"  two words  "},
        {L"MAIN", L"2", L"fallback", L"fallback"},
        {L"MAIN", L"2", L"other", L"other"},
        {L"NONE", L"1", L"", L""},
        {L"LED_STRING", L"1", L"", std::wstring(2047, L'w')},
    };
    for (int round = 0; round < 2; ++round)
        for (const Lookup& l : lookups)
            EXPECT_EQ(GetSkinString(l.section, l.key, l.fallback), l.expected)
                << "round " << round << ": " << l.section << "/" << l.key << "/" << l.fallback;
}

TEST_F(SkinFileTest, AFileChangedOnDiskIsReadAfreshWhenSetAgain)
{
    const std::wstring path = m_folder / L"skin.ini";
    Write(L"[GLOBAL]\r\nFONT=Segoe UI\r\n");
    SetSkinFile(path);
    EXPECT_EQ(GetSkinString(L"GLOBAL", L"FONT", L""), L"Segoe UI");

    Write(L"[GLOBAL]\r\nFONT=Microsoft YaHei\r\n");
    SetSkinFile(path);
    EXPECT_EQ(GetSkinString(L"GLOBAL", L"FONT", L""), L"Microsoft YaHei");

    // Rewritten in place with the same size: only the write time tells.
    const size_t size = ReadFileBytes(path).size();
    Write(L"[GLOBAL]\r\nFONT=Microsoft Jheng\r\n");
    ASSERT_EQ(ReadFileBytes(path).size(), size);
    ASSERT_TRUE(MoveWriteTimeOn(path, 2));
    SetSkinFile(path);
    EXPECT_EQ(GetSkinString(L"GLOBAL", L"FONT", L""), L"Microsoft Jheng");
}

TEST_F(SkinFileTest, LongValuesAreCutTo2047Characters)
{
    Write(L"[LED_STRING]\r\n1=" + std::wstring(3000, L'w') + L"\r\n");
    EXPECT_EQ(GetSkinString(L"LED_STRING", L"1", L""), std::wstring(2047, L'w'));
}

TEST(SkinFile, AMissingOrUnsetFileGivesTheDefault)
{
    {
        SkinFileScope scope(L"");
        EXPECT_EQ(GetSkinString(L"GLOBAL", L"FONT", L"Segoe UI"), L"Segoe UI");
    }
    TempFolder folder;
    SkinFileScope scope(folder / L"missing.ini");
    EXPECT_EQ(GetSkinString(L"GLOBAL", L"FONT", L"Segoe UI"), L"Segoe UI");
    EXPECT_EQ(GetFuncString(16), L"");
}

TEST(SkinFile, ReadsTheShippedLanguageFiles)
{
    const std::wstring lan = Widen(TEST_SOURCE_DIR) + L"\\..\\assets\\Lan\\";
    {
        SkinFileScope scope(lan + SkinFileForLanguage(0).substr(4));
        EXPECT_EQ(GetSkinString(L"GLOBAL", L"FONT", L""), L"Segoe UI");
        EXPECT_EQ(GetFuncString(0x10), L"English");
        EXPECT_EQ(ParseSkinItem(GetSkinString(L"MAIN", L"4", L"")).name, L"btn_apply");
    }
    SkinFileScope scope(lan + SkinFileForLanguage(1).substr(4));
    EXPECT_EQ(GetFuncString(0x11), L"\u7B80\u4F53\u4E2D\u6587");
}

TEST_F(SkinFileTest, DrawSkinTextCentresOneLineAndBreaksAtEscapedBreaks)
{
    Write(L"[T]\r\none=t,0,0,120,60,Hello,FALSE\r\ntwo=t,0,0,120,60,Line1\\r\\nLine2,FALSE\r\n");
    const Bgra black{0, 0, 0, 255};
    GdiFont font(
        ::CreateFontW(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"Segoe UI"));

    auto draw = [&](const wchar_t* key, const std::wstring& overrideText, int* lineHeight) {
        auto canvas = std::make_unique<Canvas>(120, 60);
        canvas->Fill(black);
        SelectGuard select(canvas->dc(), font.get());
        ::SetTextColor(canvas->dc(), RGB(255, 255, 255));
        ::SetBkMode(canvas->dc(), TRANSPARENT);
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(canvas->dc(), &metrics);
        *lineHeight = metrics.tmHeight;
        DrawSkinText(canvas->dc(), L"T", key, DT_LEFT, overrideText);
        return canvas;
    };

    int h = 0;
    const auto one = draw(L"one", L"", &h);
    const int top = (60 - h) / 2;
    const std::vector<int> oneRows = InkedRows(*one, black);
    ASSERT_FALSE(oneRows.empty());
    EXPECT_GE(oneRows.front(), top);
    EXPECT_LT(oneRows.back(), top + h);

    // Two lines: the first starts where a single line would; the second follows one line lower.
    const auto two = draw(L"two", L"", &h);
    const std::vector<int> twoRows = InkedRows(*two, black);
    ASSERT_FALSE(twoRows.empty());
    EXPECT_GE(twoRows.front(), top);
    EXPECT_LT(twoRows.front(), top + h);
    EXPECT_GE(twoRows.back(), top + h);
    EXPECT_LT(twoRows.back(), top + 2 * h);

    // An override text takes the place of the placement's own.
    const auto replaced = draw(L"two", L"Hello", &h);
    EXPECT_EQ(InkedRows(*replaced, black), oneRows);
}

TEST_F(SkinFileTest, DrawSkinPictureScalesThePictureIntoItsRectangle)
{
    ::CreateDirectoryW((m_folder / L"skins").c_str(), nullptr);
    ::CreateDirectoryW((m_folder / L"skins\\Pic").c_str(), nullptr);
    ASSERT_TRUE(WriteSolidImage(m_folder / L"skins\\Pic\\red.png", 10, 6, {0, 0, 255, 255}));
    Write(L"[PIC]\r\n1=pic,4,2,10,6,red.png,FALSE\r\n2=pic,0,0,5,5,missing.png,FALSE\r\n");

    Canvas canvas(20, 20);
    canvas.Fill({0, 0, 0, 255});
    DrawSkinPicture(canvas.dc(), L"PIC", L"1", m_folder / L"skins\\");
    EXPECT_EQ(canvas.Count(RGB(255, 0, 0), {0, 0, 20, 20}), 60);
    EXPECT_EQ(canvas.Count(RGB(255, 0, 0), {4, 2, 14, 8}), 60);

    canvas.Fill({0, 0, 0, 255});
    const RECT elsewhere{0, 10, 20, 20};
    DrawSkinPicture(canvas.dc(), L"PIC", L"1", m_folder / L"skins\\", &elsewhere);
    EXPECT_EQ(canvas.Count(RGB(0, 0, 0), {0, 0, 20, 10}), 200) << "nothing drawn outside the override";
    EXPECT_EQ(canvas.At(10, 15), (Bgra{0, 0, 255, 255}));

    canvas.Fill({0, 0, 0, 255});
    DrawSkinPicture(canvas.dc(), L"PIC", L"2", m_folder / L"skins\\");
    DrawSkinPicture(canvas.dc(), L"PIC", L"absent", m_folder / L"skins\\");
    EXPECT_EQ(canvas.Count(RGB(0, 0, 0), {0, 0, 20, 20}), 400);
}

// Set after its pictures exist, the file keeps them decoded: every paint draws the same, and a
// picture missing at one paint is looked for again at the next.
TEST_F(SkinFileTest, KeptPicturesDrawTheSameAtEveryPaint)
{
    ::CreateDirectoryW((m_folder / L"skins").c_str(), nullptr);
    ::CreateDirectoryW((m_folder / L"skins\\Pic").c_str(), nullptr);
    ASSERT_TRUE(WriteImage(m_folder / L"skins\\Pic\\half.png", 10, 6, [](int x, int) {
        return Bgra{0, 0, 255, BYTE(x < 5 ? 255 : 128)};
    }));
    Write(L"[PIC]\r\n1=pic,4,2,10,6,half.png,FALSE\r\n2=pic,0,0,5,5,later.png,FALSE\r\n");
    SetSkinFile(m_folder / L"skin.ini");

    // The picture drawn straight from its file, as a paint without kept pictures draws it.
    Canvas reference(20, 20);
    reference.Fill({0, 0, 0, 255});
    {
        Gdiplus::Image image((m_folder / L"skins\\Pic\\half.png").c_str(), FALSE);
        Gdiplus::Graphics graphics(reference.dc());
        graphics.DrawImage(&image, 4, 2, 10, 6);
    }
    ASSERT_EQ(reference.Count(RGB(255, 0, 0), {4, 2, 9, 8}), 30);
    for (int paint = 0; paint < 3; ++paint) {
        Canvas canvas(20, 20);
        canvas.Fill({0, 0, 0, 255});
        DrawSkinPicture(canvas.dc(), L"PIC", L"1", m_folder / L"skins\\");
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(canvas.At(x, y), reference.At(x, y)) << "paint " << paint << " at " << x << "," << y;
    }

    Canvas canvas(20, 20);
    canvas.Fill({0, 0, 0, 255});
    DrawSkinPicture(canvas.dc(), L"PIC", L"2", m_folder / L"skins\\");
    EXPECT_EQ(canvas.Count(RGB(0, 0, 0), {0, 0, 20, 20}), 400);
    ASSERT_TRUE(WriteSolidImage(m_folder / L"skins\\Pic\\later.png", 5, 5, {0, 0, 255, 255}));
    DrawSkinPicture(canvas.dc(), L"PIC", L"2", m_folder / L"skins\\");
    EXPECT_EQ(canvas.Count(RGB(255, 0, 0), {0, 0, 5, 5}), 25);
}
