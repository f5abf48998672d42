#include "core/parsenumber.h"
#include "ui/stat.h"

int main() {
    std::int16_t flag = 1;
    return calibrix::parsenumber("1", flag) == 1.0f ? 0 : 1;
}
