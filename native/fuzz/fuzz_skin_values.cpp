// Skin item and placement values as a skin file might hold them: any text must parse without
// a fault, within the lengths an item keeps, with a placement reading the same rectangle, text
// and flag as an item; line-break expansion must leave no escaped break behind.
#include "FuzzInput.h"

#include "skin/SkinValues.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring value = WideFromFuzzBytes(data, size);

    const SkinItem item = ParseSkinItem(value);
    FUZZ_CHECK(item.name.size() <= SkinItem::kMaxName);
    FUZZ_CHECK(item.text.size() <= SkinItem::kMaxText);
    // Layout code takes sizes from the rectangle: they must be computable.
    FUZZ_CHECK(item.rect.width() == static_cast<long long>(item.rect.right) - item.rect.left);
    FUZZ_CHECK(item.rect.height() == static_cast<long long>(item.rect.bottom) - item.rect.top);

    const SkinPlacement placement = ParseSkinPlacement(value);
    FUZZ_CHECK(placement.rect == item.rect);
    FUZZ_CHECK(placement.flag == item.flag);
    FUZZ_CHECK(placement.text.substr(0, SkinItem::kMaxText) == item.text);

    const std::wstring expanded = ExpandSkinLineBreaks(value);
    FUZZ_CHECK(expanded.find(L"\\r\\n") == std::wstring::npos);
    FUZZ_CHECK(expanded.size() <= value.size());
    return 0;
}
