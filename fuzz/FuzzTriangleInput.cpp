// The mesh generator's input reader (".poly"), and for small inputs the whole
// generator run with quality and area refinement under low limits.
#include "InputFiles.h"
#include "MeshAssembly.h"
#include "Options.h"
#include "Errors.h"

#include <CGAL/assertions.h>
#include <CGAL/exceptions.h>

#include <cstdio>
#include <cstdint>
#include <fstream>
#include <new>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    CGAL::set_error_behaviour(CGAL::THROW_EXCEPTION);
    CGAL::set_error_handler([](const char*, const char*, const char*, int, const char*) {});
    CGAL::set_warning_handler([](const char*, const char*, const char*, int, const char*) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static const std::string base = "/tmp/kp_fuzz_triangle_" + std::to_string(::getpid());
    {
        std::ofstream f(base + ".poly", std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
    }
    try {
        const tri::MeshInput in = tri::readPolyFile(base + ".poly", base + ".node");
        if (in.vertices.size() <= 300) {
            const tri::Options options = tri::parseOptions({"-pq25aAQ", base});
            tri::Limits limits;
            limits.maxAdded = 20'000;
            limits.maxSeconds = 2;
            tri::MeshReport report;
            tri::makeMesh(in, options, limits, report);
        }
    } catch (const tri::Error&) {
    } catch (const CGAL::Failure_exception&) {
        // Reported as an error by the program; input checks should keep it rare.
    } catch (const std::bad_alloc&) {
    }
    std::remove((base + ".poly").c_str());
    return 0;
}
