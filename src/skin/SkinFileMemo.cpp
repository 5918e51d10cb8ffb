// SkinFileMemo: the kept answers of one skin file.
#include "skin/SkinFileMemo.h"

namespace {

constexpr size_t kMaxKeptPicturePixels = 2048 * 2048;

const wchar_t* OrEmpty(const wchar_t* text) noexcept
{
    return text ? text : L"";
}

} // namespace

SkinFileMemo::Question SkinFileMemo::Ask(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue)
{
    return {OrEmpty(section), OrEmpty(key), OrEmpty(defaultValue)};
}

const std::wstring* SkinFileMemo::FindValue(const wchar_t* section, const wchar_t* key,
                                            const wchar_t* defaultValue) const
{
    const auto found = m_values.find(Ask(section, key, defaultValue));
    return found == m_values.end() ? nullptr : &found->second;
}

void SkinFileMemo::KeepValue(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                             std::wstring value)
{
    m_values.insert_or_assign(Ask(section, key, defaultValue), std::move(value));
}

const SkinFileMemo::Picture* SkinFileMemo::FindPicture(const std::wstring& path) const
{
    const auto found = m_pictures.find(path);
    return found == m_pictures.end() ? nullptr : &found->second;
}

bool SkinFileMemo::Keeps(UINT width, UINT height) noexcept
{
    return static_cast<size_t>(width) * height <= kMaxKeptPicturePixels;
}

const SkinFileMemo::Picture& SkinFileMemo::KeepPicture(const std::wstring& path, Picture&& picture)
{
    return m_pictures.insert_or_assign(path, std::move(picture)).first->second;
}
