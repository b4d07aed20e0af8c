#pragma once

#include <atomic>
#include <cassert>

namespace platform {

// A service the whole process reaches through `T::current()`: whoever owns
// one (the program's main, a test) installs it for as long as an Installed
// guard lives. While none is installed, current() answers with
// `T::fallback()` where the service has a stand-in, and must not be called
// where it has none. Guards nest: the newest is the one in force, and each
// puts back the one before it. Use as `class Display : public Service<Display>`.
template<class T>
class Service {
public:
    static T& current()
    {
        T* service = s_installed.load();
        if constexpr (requires { T::fallback(); }) {
            return service ? *service : T::fallback();
        } else {
            assert(service);
            return *service;
        }
    }

    class Installed {
    public:
        explicit Installed(T& service) : m_previous(s_installed.exchange(&service)) { }
        ~Installed() { s_installed.store(m_previous); }
        Installed(Installed const&) = delete;
        Installed& operator=(Installed const&) = delete;

    private:
        T* m_previous;
    };

private:
    static inline std::atomic<T*> s_installed { nullptr };
};

}
