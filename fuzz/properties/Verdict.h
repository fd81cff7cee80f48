#pragma once

#include <string>
#include <string_view>
#include <type_traits>

// The verdict of one property run: empty while every property held, else the
// first one that did not, in words. Descriptions are built only on failure,
// so checking stays cheap for the millions of inputs that pass.
namespace welkor::fuzz {

class Verdict {
public:
    // `describe` is a string or a callable giving one.
    template <class Describe>
    bool Expect(bool holds, Describe&& describe)
    {
        if (!holds && failure_.empty()) {
            if constexpr (std::is_invocable_v<Describe>)
                failure_ = std::forward<Describe>(describe)();
            else
                failure_ = std::string(std::forward<Describe>(describe));
        }
        return holds;
    }

    bool Ok() const { return failure_.empty(); }
    const std::string& Failure() const { return failure_; }

private:
    std::string failure_;
};

// Bytes as a reader of a failure message can see them: printable ASCII as
// it is, everything else as \xNN, long texts cut.
std::string Shown(std::string_view bytes);

} // namespace welkor::fuzz
