// Reference-counted COM interface pointer and a scoped COM apartment.
#pragma once

#include <objbase.h>
#include <unknwn.h>

#include <utility>
#include <vector>

template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr& other) noexcept : m_p(other.m_p)
    {
        if (m_p)
            m_p->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }

    T* get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }

    void reset() noexcept
    {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }
    // Out-parameter for creation functions; drops the old pointer first.
    T** put() noexcept
    {
        reset();
        return &m_p;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

private:
    T* m_p = nullptr;
};

// CoInitializeEx for the life of the scope, balanced only when it succeeded; a single-threaded
// apartment unless told otherwise. The application's user-interface thread holds one for the
// program's run. An apartment entered here also keeps the objects its thread shares (the imaging
// factory) and lets them go before it ends, while their code is still loaded.
class ComApartment {
public:
    explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED) noexcept : m_hr(::CoInitializeEx(nullptr, model))
    {
        if (ok())
            t_innermost = this;
    }
    ~ComApartment()
    {
        if (!ok())
            return;
        m_shared.clear();
        t_innermost = m_outer;
        ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool ok() const noexcept { return SUCCEEDED(m_hr); }

    // The innermost apartment this thread entered through a ComApartment still in scope; null
    // when none was (the thread may still have COM from elsewhere).
    static ComApartment* OfThisThread() noexcept { return t_innermost; }

    // An instance of the class made once in this apartment and shared by every caller on its
    // thread until the apartment ends; a failed creation is tried again at the next call.
    HRESULT SharedInstance(REFCLSID classId, REFIID iid, void** object)
    {
        for (const Shared& shared : m_shared)
            if (::IsEqualCLSID(shared.classId, classId))
                return shared.instance->QueryInterface(iid, object);
        ComPtr<IUnknown> instance;
        const HRESULT created =
            ::CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IUnknown), instance.put_void());
        if (FAILED(created))
            return created;
        const HRESULT asked = instance->QueryInterface(iid, object);
        m_shared.push_back({classId, std::move(instance)});
        return asked;
    }

private:
    struct Shared {
        CLSID classId;
        ComPtr<IUnknown> instance;
    };

    static inline thread_local ComApartment* t_innermost = nullptr;

    HRESULT m_hr;
    ComApartment* m_outer = t_innermost;
    std::vector<Shared> m_shared;
};
