// triangle: our own Triangle-compatible 2-D mesh generator.
//   triangle -[p][q[angle]][a][a<area>][A][Q][V] <base>
// Reads <base>.poly (with p) or <base>.node and writes <base>.1.node and <base>.1.ele.
// Any error: a message on standard error, exit code 1, and no output files.
// Limits: 3,000,000 added points and 120 s of refinement; input estimated to need
// more is refused before refinement starts.

#include "Errors.h"
#include "InputFiles.h"
#include "LocalOrigin.h"
#include "MeshAssembly.h"
#include "NumberText.h"
#include "Options.h"
#include "OutputFiles.h"
#include "PhaseTimes.h"

#include <CGAL/assertions.h>
#include <CGAL/exceptions.h>

#include <chrono>
#include <malloc.h>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

namespace {

// A whole number from the environment, or fallback when it is unset or no number.
// KP_TRIANGLE_MAX_ADDED and KP_TRIANGLE_MAX_SECONDS lower the limits for tests.
double limitFromEnvironment(const char* name, double fallback)
{
  if (const char* env = std::getenv(name)) {
    char* end = nullptr;
    const double v = std::strtod(env, &end);
    if (end != env && *end == '\0' && v >= 0.0 && v <= fallback)
      return v;
  }
  return fallback;
}

tri::Limits limits()
{
  tri::Limits l;
  l.maxAdded = static_cast<std::size_t>(
    limitFromEnvironment("KP_TRIANGLE_MAX_ADDED", static_cast<double>(tri::kDefaultMaxAddedPoints)));
  l.maxSeconds = limitFromEnvironment("KP_TRIANGLE_MAX_SECONDS", tri::kDefaultMaxSeconds);
  return l;
}

void printPhases(const tri::PhaseTimes& p)
{
  const double total = p.read + p.triangulate + p.regions + p.refine + p.markers + p.sort + p.write;
  std::cout << "  phases (s): read " << p.read << ", triangulate " << p.triangulate << ", regions " << p.regions
            << ", refine " << p.refine << ", markers " << p.markers << ", sort " << p.sort << ", write " << p.write
            << ", total " << total << '\n';
}

int run(const std::vector<std::string>& args)
{
  const auto start = std::chrono::steady_clock::now();
  tri::Stopwatch clock;
  const tri::Options options = tri::parseOptions(args);
  for (const std::string& w : options.warnings)
    std::cerr << "triangle: warning: " << w << '\n';

  tri::MeshInput input =
    options.poly ? tri::readPolyFile(options.polyFile(), options.nodeFile()) : tri::readNodeFile(options.nodeFile());
  const tri::LocalOrigin origin = tri::chooseLocalOrigin(input);
  tri::toLocal(input, origin);

  tri::MeshReport report;
  report.phases.read = clock.lap();
  tri::MeshOutput mesh = tri::makeMesh(input, options, limits(), report);
  tri::fromLocal(mesh, origin);
  clock.lap();
  tri::writeMesh(mesh, options.outNodeFile(), options.outEleFile());
  report.phases.write = clock.lap();

  if (!options.quiet) {
    std::cout << "triangle: " << (options.poly ? options.polyFile() : options.nodeFile()) << ": "
              << report.inputVertices << " input vertices, " << report.addedVertices << " points added, "
              << report.triangles << " triangles written to " << options.outNodeFile() << " and "
              << options.outEleFile() << '\n';
    if (options.verbose) {
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      std::cout << "  segments " << input.segments.size() << ", holes " << input.holes.size() << ", regions "
                << input.regions.size() << " (" << report.ignoredRegionSeeds << " seeds outside the domain ignored)\n"
                << "  minimum angle requested " << (options.quality ? tri::formatDouble(options.minAngle) : "none")
                << ", smallest angle " << tri::formatDouble(report.minAngle) << " degrees\n"
                << "  maximum area " << (options.maxArea > 0 ? tri::formatDouble(options.maxArea) : "none")
                << (options.regionalArea ? ", regional maximum areas" : "") << '\n'
                << "  time " << seconds << " s\n";
      printPhases(report.phases);
    }
  }
  return 0;
}

// The run is short and builds and drops large arrays: they are taken from the heap
// (not fresh mappings that fault in page by page each time, costly under
// virtualisation), and the heap grows in large steps and is not handed back.
void tuneAllocator()
{
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  mallopt(M_TOP_PAD, 16 << 20);
}

}  // namespace

int main(int argc, char** argv)
{
  tuneAllocator();
  const std::vector<std::string> args(argv + 1, argv + argc);
  // CGAL's checks stay on and throw; nothing of them is printed.
  CGAL::set_error_behaviour(CGAL::THROW_EXCEPTION);
  CGAL::set_error_handler([](const char*, const char*, const char*, int, const char*) {});
  CGAL::set_warning_handler([](const char*, const char*, const char*, int, const char*) {});
  try {
    return run(args);
  } catch (const tri::Error& e) {
    std::cerr << "triangle: error: " << e.what() << '\n';
  } catch (const CGAL::Failure_exception&) {
    // CGAL's own text names its source files; the user gets what it means here.
    std::cerr << "triangle: error: the mesher's geometric checks failed: the input is too close to degenerate "
                 "(points almost coincident or almost collinear relative to its extent)\n";
  } catch (const std::bad_alloc&) {
    std::cerr << "triangle: error: out of memory\n";
  } catch (const std::exception& e) {
    std::cerr << "triangle: internal error: " << e.what() << '\n';
  }
  // Files are complete or absent: no output of an earlier run survives a failed one.
  const std::string base = tri::findBaseName(args);
  if (!base.empty())
    tri::removeOutputs(base + ".1.node", base + ".1.ele");
  return 1;
}
