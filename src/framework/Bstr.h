// Owner of a COM string (BSTR) handed out by another component, freed at scope end.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string_view>
#include <utility>

class Bstr {
public:
    Bstr() noexcept = default;
    ~Bstr() { reset(); }
    Bstr(Bstr&& other) noexcept : m_text(std::exchange(other.m_text, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_text = std::exchange(other.m_text, nullptr);
        }
        return *this;
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR get() const noexcept { return m_text; }
    explicit operator bool() const noexcept { return m_text != nullptr; }
    // The whole string by its length prefix (embedded NULs included); empty for none.
    std::wstring_view view() const noexcept
    {
        return m_text ? std::wstring_view(m_text, ::SysStringLen(m_text)) : std::wstring_view();
    }

    void reset() noexcept { ::SysFreeString(std::exchange(m_text, nullptr)); }
    // Out-parameter for a call that hands over a new string: null going in, the old one freed.
    BSTR* put() noexcept
    {
        reset();
        return &m_text;
    }

private:
    BSTR m_text = nullptr;
};
