// What every fuzz target needs: the input as text, and a check that stops the
// run (so libFuzzer keeps the input) when a parser breaks its own contract.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zew::fuzz {

inline std::string Text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

inline void Expect(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "contract broken: %s\n", what);
        std::abort();
    }
}

}  // namespace zew::fuzz
