// The value syntaxes of the skin files: items, placements, numbered-text keys, the language
// file choice and the line breaks of skin texts. Platform-free.
#pragma once

#include <string>
#include <string_view>

struct SkinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const noexcept { return right - left; }
    int height() const noexcept { return bottom - top; }
    friend bool operator==(const SkinRect&, const SkinRect&) = default;
};

// A control of the skin: "name,x,y,width,height,text,flag".
struct SkinItem {
    static constexpr size_t kMaxName = 39; // longer names and texts are cut
    static constexpr size_t kMaxText = 99;

    std::wstring name;
    SkinRect rect;
    std::wstring text;
    bool flag = false;
};

// A text or picture placement: the item syntax whose first field is ignored.
struct SkinPlacement {
    SkinRect rect;
    std::wstring text;
    bool flag = false;
};

SkinItem ParseSkinItem(std::wstring_view value);
SkinPlacement ParseSkinPlacement(std::wstring_view value);

// "Lan\skin_Cs.ini" for 1, "Lan\skin_Ct.ini" for 2, "Lan\skin_De.ini" for 3, else English.
std::wstring SkinFileForLanguage(int language);

// The key of a numbered text: upper-case hexadecimal without prefix (26 gives "1A").
std::wstring FuncStringKey(int number);

// The numbered texts the window asks for: each language's name (the first plus lan_id, sixteen
// numbers kept for them), the device list's row for every device of a group, and each group's
// name (the first plus the group).
constexpr int kLanguageNameText = 0x10;
constexpr int kLanguageNameTexts = 0x10;
constexpr int kAllDevicesText = 0x30;
constexpr int kGroupNameText = 0x31;

// A skin text writes a line break as the four characters \r\n; each becomes a blank, a
// carriage return and a line feed.
std::wstring ExpandSkinLineBreaks(std::wstring_view text);
