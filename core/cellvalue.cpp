#include "core/cellvalue.h"

#include "core/parsenumber.h"

namespace calibrix {

std::optional<float> cellvalue(std::string_view text) {
    std::int16_t dataerror = 1;
    const float value = parsenumber(text, dataerror);
    if (dataerror == -1)
        return std::nullopt;
    return value;
}

} // namespace calibrix
