// One libFuzzer target; WELKOR_FUZZ_TARGET names which way in it fuzzes.
#include "properties/Targets.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const welkor::fuzz::Target* const target = welkor::fuzz::FindTarget(WELKOR_FUZZ_TARGET);
    if (target == nullptr) {
        std::fprintf(stderr, "No fuzz target named %s\n", WELKOR_FUZZ_TARGET);
        std::abort();
    }
    const std::string failure = target->check(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!failure.empty()) {
        // libFuzzer keeps the input that got here as the reproducer.
        std::fprintf(stderr, "\nProperty broken in %s: %s\n", WELKOR_FUZZ_TARGET, failure.c_str());
        std::abort();
    }
    return 0;
}
