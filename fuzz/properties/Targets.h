#pragma once

#include <string>
#include <string_view>
#include <vector>

// Every way bytes enter the program, with the properties they are held to.
// The fuzz targets and the regression replay of the test suite both run
// inputs through this table, so the two always check the same thing.
namespace welkor::fuzz {

struct Target {
    const char* name; // also the folder of its seeds and regression inputs
    std::string (*check)(std::string_view input); // empty, or the broken property
};

const std::vector<Target>& Targets();

// The target of that name, or nullptr.
const Target* FindTarget(std::string_view name);

} // namespace welkor::fuzz
