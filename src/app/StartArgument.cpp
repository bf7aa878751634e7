#include "app/StartArgument.h"

#include <cstring>

namespace sorvane {

QByteArray StartArgument(int argc, const char* const* argv) {
    int first = 1;
    if (first < argc && std::strcmp(argv[first], "--") == 0)
        ++first;
    return first < argc ? QByteArray(argv[first]) : QByteArray();
}

} // namespace sorvane
