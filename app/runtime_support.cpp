// The few pieces of the C++ runtime the program uses, written against the Win32 heap.
// The static runtime's own versions come with its exception and thread support,
// which import kernel32 functions that Windows 95 to XP do not have (GetTickCount64,
// AddVectoredExceptionHandler) and would stop Corvane.exe from loading there.
#include <windows.h>

#include <cstddef>
#include <new>

void* operator new(std::size_t size)
{
    void* memory = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
    if (!memory)
        FatalAppExitA(0, "Out of memory");
    return memory;
}

void* operator new[](std::size_t size) { return operator new(size); }

void operator delete(void* memory) noexcept
{
    if (memory)
        HeapFree(GetProcessHeap(), 0, memory);
}

void operator delete[](void* memory) noexcept { operator delete(memory); }
void operator delete(void* memory, std::size_t) noexcept { operator delete(memory); }
void operator delete[](void* memory, std::size_t) noexcept { operator delete(memory); }

namespace std {

// A container asked for more elements than memory can hold: nothing sensible is left.
[[noreturn]] void __throw_length_error(const char*)
{
    FatalAppExitA(0, "Out of memory");
    ExitProcess(1);
}

}  // namespace std
