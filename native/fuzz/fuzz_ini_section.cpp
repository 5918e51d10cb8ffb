// Section texts as the whole-section call might give them. The first byte says whether the text
// is complete; the rest is the text. Whatever the text, every answer must agree with the others:
// a value is a piece of the text, an integer is that value read as plain decimal, and a key said
// to hold a text answers that text.
#include "FuzzInput.h"

#include "settings/IniSection.h"

#include <cwchar>
#include <string>

namespace {

constexpr const wchar_t* kKeys[] = {L"lan_id", L"CurrentProfile", L"DevNum", L"EffectInfo0", L"fMusicInfo", L"a", L""};
constexpr int kFallback = -77;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool complete = (data[0] & 1) != 0;
    const std::wstring text = WideFromFuzzBytes(data + 1, size - 1);
    const IniSection section(text, complete);

    for (const wchar_t* key : kKeys) {
        const IniSection::Lookup found = section.Find(key);
        if (!complete)
            FUZZ_CHECK(found.answer == IniSection::Answer::Unsure);
        if (found.answer == IniSection::Answer::Value) {
            FUZZ_CHECK(text.find(found.value) != std::wstring::npos);
            FUZZ_CHECK(section.Holds(key, found.value));
        } else {
            FUZZ_CHECK(!section.Holds(key, L"1"));
        }
        if (const auto number = section.FindInt(key, kFallback)) {
            if (found.answer == IniSection::Answer::Absent)
                FUZZ_CHECK(*number == kFallback);
            else
                FUZZ_CHECK(found.answer == IniSection::Answer::Value &&
                           std::to_wstring(*number) == std::wstring(found.value));
        }
    }
    return 0;
}
