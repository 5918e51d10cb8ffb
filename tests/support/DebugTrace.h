// The lines the process sends to a debugger while a DebugTrace lives (OutputDebugString): each
// one is raised as an exception that a vectored handler sees first.
#pragma once

#include <windows.h>

#include <string>

class DebugTrace {
public:
    DebugTrace() : m_handler(::AddVectoredExceptionHandler(1, Listen)) { s_text.clear(); }
    ~DebugTrace() { ::RemoveVectoredExceptionHandler(m_handler); }
    DebugTrace(const DebugTrace&) = delete;
    DebugTrace& operator=(const DebugTrace&) = delete;

    const std::string& Text() const noexcept { return s_text; }

private:
    static LONG CALLBACK Listen(EXCEPTION_POINTERS* info)
    {
        const EXCEPTION_RECORD& record = *info->ExceptionRecord;
        if (record.ExceptionCode == DBG_PRINTEXCEPTION_C && record.NumberParameters >= 2)
            s_text.append(reinterpret_cast<const char*>(record.ExceptionInformation[1]),
                          static_cast<size_t>(record.ExceptionInformation[0]));
        return EXCEPTION_CONTINUE_SEARCH;
    }

    static inline std::string s_text;
    PVOID m_handler;
};
