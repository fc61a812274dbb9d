// triangle: our own Triangle-compatible 2-D mesh generator.
//   triangle -[p][q[angle]][a][a<area>][A][Q][V] <base>
// Reads <base>.poly (with p) or <base>.node and writes <base>.1.node and <base>.1.ele.
// Any error: a message on standard error, exit code 1, and no output files.

#include "Errors.h"
#include "InputFiles.h"
#include "MeshAssembly.h"
#include "NumberText.h"
#include "Options.h"
#include "OutputFiles.h"

#include <chrono>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

namespace {

// Limit of added points; the environment variable KP_TRIANGLE_MAX_ADDED lowers it
// (for tests of the limit).
std::size_t maxAddedPoints()
{
  std::size_t limit = tri::kDefaultMaxAddedPoints;
  if (const char* env = std::getenv("KP_TRIANGLE_MAX_ADDED")) {
    char* end = nullptr;
    const unsigned long long v = std::strtoull(env, &end, 10);
    if (end != env && *end == '\0')
      limit = static_cast<std::size_t>(v);
  }
  return limit;
}

int run(const std::vector<std::string>& args)
{
  const auto start = std::chrono::steady_clock::now();
  const tri::Options options = tri::parseOptions(args);
  for (const std::string& w : options.warnings)
    std::cerr << "triangle: warning: " << w << '\n';

  const tri::MeshInput input =
    options.poly ? tri::readPolyFile(options.polyFile(), options.nodeFile()) : tri::readNodeFile(options.nodeFile());

  tri::MeshReport report;
  const tri::MeshOutput mesh = tri::makeMesh(input, options, maxAddedPoints(), report);
  tri::writeMesh(mesh, options.outNodeFile(), options.outEleFile());

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
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv)
{
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return run(args);
  } catch (const tri::Error& e) {
    std::cerr << "triangle: error: " << e.what() << '\n';
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
