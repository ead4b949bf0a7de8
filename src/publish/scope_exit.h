#pragma once
// Runs a function when the scope ends, however it ends (the FTP connection of a
// command is closed even when the command fails).
#include <utility>

namespace ravik {

template <class Function> class ScopeExit {
public:
    explicit ScopeExit(Function function) : function_(std::move(function)) {}
    ~ScopeExit() { function_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Function function_;
};

} // namespace ravik
