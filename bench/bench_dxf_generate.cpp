// Writes a sector drawing for the DXF benchmarks: bench_dxf_generate OUT.DXF SIZE_MB [--r12]
#include "DxfDrawingWriter.h"

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUT.DXF SIZE_MB [--r12]\n", argv[0]);
        return 2;
    }
    const bool r12 = argc > 3 && std::strcmp(argv[3], "--r12") == 0;
    std::FILE* file = std::fopen(argv[1], "wb");
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    static char buffer[1 << 20];
    std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
    const auto counts = DxfDrawingWriter::write(file, std::atoll(argv[2]) * 1024 * 1024, r12);
    if (std::fclose(file) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    std::printf("%s: %lld bytes, %lld parcels, %lld buildings\n", argv[1], counts.bytes, counts.parcels,
                counts.buildings);
    return 0;
}
