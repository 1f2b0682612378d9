// State a handler changes and must put back on every way out, exceptions
// included: a flag against re-entry, drawing switched off, a batch begun.
#pragma once

#include <utility>

template <class F>
class CScopeExit {
public:
    explicit CScopeExit(F f) : m_f(std::move(f)) {}
    ~CScopeExit() { m_f(); }
    CScopeExit(const CScopeExit&) = delete;
    CScopeExit& operator=(const CScopeExit&) = delete;

private:
    F m_f;
};

// auto restore = AfxScopeExit([&] { ... }); runs the function when the
// scope ends.
template <class F>
CScopeExit<F> AfxScopeExit(F f)
{
    return CScopeExit<F>(std::move(f));
}
