// The debugger lines of silent failures.
#include "framework/DebugTraceLine.h"

#include <cwchar>

void TraceLine(const std::wstring& what)
{
    const std::wstring line = L"VeldrianRGB: " + what + L"\n";
    ::OutputDebugStringW(line.c_str());
}

void TraceLine(const std::wstring& what, DWORD error)
{
    TraceLine(what + L" (error " + std::to_wstring(error) + L")");
}

void TraceLineHresult(const std::wstring& what, HRESULT result)
{
    wchar_t code[16] = {};
    std::swprintf(code, std::size(code), L"0x%08lX", static_cast<unsigned long>(result));
    TraceLine(what + L" (error " + code + L")");
}
