// Memory that ends at a PAGE_NOACCESS page: anything placed at its end is followed by
// a guard, so a read past it faults and ends the test process.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstring>

namespace library_test {

class GuardedPage {
public:
    GuardedPage()
    {
        SYSTEM_INFO info{};
        GetSystemInfo(&info);
        pageSize_ = info.dwPageSize;
        base_ = static_cast<char*>(VirtualAlloc(nullptr, 2 * pageSize_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD previous = 0;
        if (base_ != nullptr)
            guarded_ = VirtualProtect(base_ + pageSize_, pageSize_, PAGE_NOACCESS, &previous) != FALSE;
    }
    ~GuardedPage()
    {
        if (base_ != nullptr)
            VirtualFree(base_, 0, MEM_RELEASE);
    }
    GuardedPage(const GuardedPage&) = delete;
    GuardedPage& operator=(const GuardedPage&) = delete;

    // True when the page after the usable one really refuses access.
    bool IsGuarded() const
    {
        MEMORY_BASIC_INFORMATION info{};
        return guarded_ && VirtualQuery(base_ + pageSize_, &info, sizeof info) == sizeof info &&
               info.Protect == PAGE_NOACCESS;
    }

    // The last `size` bytes before the guard.
    char* Tail(std::size_t size) { return base_ + pageSize_ - size; }

    // A copy of `value` whose last byte is the last readable one.
    template <typename T>
    T* PlaceAtEnd(const T& value)
    {
        T* place = reinterpret_cast<T*>(Tail(sizeof(T)));
        std::memcpy(static_cast<void*>(place), &value, sizeof(T));
        return place;
    }

    // `length` bytes of text at the very end, with or without its terminator.
    const char* PlaceText(const char* text, std::size_t length, bool terminated)
    {
        char* place = Tail(length + (terminated ? 1 : 0));
        std::memcpy(place, text, length);
        if (terminated)
            place[length] = '\0';
        return place;
    }

private:
    std::size_t pageSize_ = 0;
    char* base_ = nullptr;
    bool guarded_ = false;
};

}  // namespace library_test
