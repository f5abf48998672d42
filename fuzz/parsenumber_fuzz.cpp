// Feeds arbitrary bytes to parsenumber as a cell text. Whatever the text, the result is finite;
// a rejected text gives 0 with the flag set, an accepted one leaves the flag alone and gives the
// nearest float to its leading number, exactly as the plain reference reading says; and the
// parser accepts exactly the texts the reference accepts.

#include "core/parsenumber.h"
#include "tests/common/parsereference.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

[[noreturn]] void fail(std::string_view text, const char* what, float got, float expected) {
    std::fprintf(stderr, "parsenumber(\"%.*s\"): %s: got %.9g, reference %.9g\n", int(text.size()),
                 text.data(), what, double(got), double(expected));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const calibrix::reference::Reading expected = calibrix::reference::readCell(text);

    // A flag value that neither outcome writes, so "left alone" is visible.
    constexpr std::int16_t untouched = 1;
    std::int16_t dataerror = untouched;
    const float value = calibrix::parsenumber(text, dataerror);

    if (!std::isfinite(value))
        fail(text, "not finite", value, expected.value);
    if (dataerror != untouched && dataerror != -1)
        fail(text, "flag neither left alone nor -1", value, expected.value);
    const bool accepted = dataerror == untouched;
    if (!accepted && value != 0)
        fail(text, "rejected but not 0", value, expected.value);
    if (accepted != expected.accepted)
        fail(text, accepted ? "accepted, reference rejects" : "rejected, reference accepts", value,
             expected.value);
    if (accepted && value != expected.value)
        fail(text, "not the nearest float", value, expected.value);
    return 0;
}
