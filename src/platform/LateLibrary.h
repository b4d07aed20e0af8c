#pragma once

// A shared library opened on first need rather than at start, its functions
// reached through a table of pointers that Table lists and resolve fills
// from the opened library (false when one of them is missing).
#include <dlfcn.h>

#include <mutex>

namespace platform {

template <class Table>
class LateLibrary {
public:
    using Resolve = bool (*)(void* library, Table& table);

    explicit LateLibrary(Resolve resolve) : m_resolve(resolve) { }
    LateLibrary(LateLibrary const&) = delete;
    LateLibrary& operator=(LateLibrary const&) = delete;

    // Opens `file` (kept open until exit) and fills the table on the first
    // success. Thread-safe; false when the file or one of its functions is
    // missing, and then, unless an earlier call succeeded, no function of
    // the table may be called.
    bool load(char const* file)
    {
        void* library = dlopen(file, RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return false;
        Table found;
        if (!m_resolve(library, found)) {
            dlclose(library);
            return false;
        }
        std::call_once(m_filled, [&] { m_table = found; });
        return true;
    }

    // The table filled by the first successful load().
    Table const& table() const { return m_table; }

private:
    Resolve m_resolve;
    std::once_flag m_filled;
    Table m_table; // written once, before the load() that fills it returns
};

// The process's one LateLibrary of a table, filled by `resolve`.
template <class Table, bool (*resolve)(void*, Table&)>
LateLibrary<Table>& late_library()
{
    static LateLibrary<Table> instance(resolve);
    return instance;
}

// Looks `symbol` up into `slot`; false when the library lacks it.
template <class Function>
bool resolve_into(void* library, char const* symbol, Function*& slot)
{
    slot = reinterpret_cast<Function*>(dlsym(library, symbol));
    return slot != nullptr;
}

}
