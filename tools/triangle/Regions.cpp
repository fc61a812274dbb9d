#include "Regions.h"

#include "Errors.h"

#include <cmath>

namespace tri {

namespace {

// Lowest-numbered component among the given faces, preferring in-domain ones.
int chooseComponent(const Cdt& cdt, const std::vector<Component>& comps, const std::vector<FaceHandle>& faces)
{
  int best = -1;
  bool bestIn = false;
  for (const FaceHandle& f : faces) {
    if (cdt.is_infinite(f))
      continue;
    const int c = f->info().component;
    const bool in = comps[c].inDomain();
    if (best == -1 || (in && !bestIn) || (in == bestIn && c < best)) {
      best = c;
      bestIn = in;
    }
  }
  return best;
}

int componentAt(const Cdt& cdt, const std::vector<Component>& comps, FaceHandle f, Cdt::Locate_type lt, int li)
{
  if (f == nullptr || lt == Cdt::OUTSIDE_CONVEX_HULL || lt == Cdt::OUTSIDE_AFFINE_HULL)
    return -1;
  std::vector<FaceHandle> faces;
  if (lt == Cdt::FACE) {
    faces.push_back(f);
  } else if (lt == Cdt::EDGE) {
    faces.push_back(f);
    faces.push_back(f->neighbor(li));
  } else {  // VERTEX
    auto fc = cdt.incident_faces(f->vertex(li)), end = fc;
    do {
      faces.push_back(fc);
    } while (++fc != end);
  }
  return chooseComponent(cdt, comps, faces);
}

}  // namespace

std::vector<Component> labelComponents(Cdt& cdt)
{
  for (auto f = cdt.all_faces_begin(); f != cdt.all_faces_end(); ++f)
    f->info().component = -1;

  std::vector<Component> comps;
  std::vector<FaceHandle> stack;
  for (auto start = cdt.finite_faces_begin(); start != cdt.finite_faces_end(); ++start) {
    if (start->info().component != -1)
      continue;
    const int id = static_cast<int>(comps.size());
    comps.emplace_back();
    start->info().component = id;
    stack.push_back(start);
    while (!stack.empty()) {
      const FaceHandle f = stack.back();
      stack.pop_back();
      for (int i = 0; i < 3; ++i) {
        if (f->is_constrained(i))
          continue;
        const FaceHandle n = f->neighbor(i);
        if (cdt.is_infinite(n)) {
          comps[id].exterior = true;
        } else if (n->info().component == -1) {
          n->info().component = id;
          stack.push_back(n);
        }
      }
    }
  }
  return comps;
}

int applySeeds(const Cdt& cdt, std::vector<Component>& comps, const MeshInput& in)
{
  ComponentLocator locate(cdt, comps);
  for (const MeshInput::Point& h : in.holes) {
    const int c = locate.at(Point(h.x, h.y));
    if (c >= 0 && !comps[c].exterior)
      comps[c].hole = true;
  }
  int ignored = 0;
  for (std::size_t r = 0; r < in.regions.size(); ++r) {
    const MeshInput::Region& region = in.regions[r];
    const int c = locate.at(Point(region.x, region.y));
    if (c >= 0 && comps[c].inDomain())
      comps[c].region = static_cast<int>(r);
    else
      ++ignored;
  }
  return ignored;
}

void markDomain(Cdt& cdt, const std::vector<Component>& comps)
{
  for (auto f = cdt.all_faces_begin(); f != cdt.all_faces_end(); ++f)
    f->set_in_domain(faceInDomain(cdt, comps, f));
}

FaceHandle ComponentLocator::face(const Point& p, Cdt::Locate_type& lt, int& li) const
{
  const FaceHandle f = cdt_.locate(p, lt, li, hint_);
  if (f != nullptr && !cdt_.is_infinite(f))
    hint_ = f;
  if (lt == Cdt::OUTSIDE_CONVEX_HULL || lt == Cdt::OUTSIDE_AFFINE_HULL)
    return nullptr;
  return f;
}

int ComponentLocator::at(const Point& p) const
{
  Cdt::Locate_type lt;
  int li = 0;
  const FaceHandle f = face(p, lt, li);
  return componentAt(cdt_, comps_, f, lt, li);
}

std::vector<Component> transferComponents(Cdt& refined, const ComponentLocator& original)
{
  std::vector<Component> comps = labelComponents(refined);
  // The largest face of every component: its centroid lies safely inside it.
  std::vector<FaceHandle> largest(comps.size());
  std::vector<double> largestArea(comps.size(), -1.0);
  for (auto f = refined.finite_faces_begin(); f != refined.finite_faces_end(); ++f) {
    const int c = f->info().component;
    const double area = std::abs(CGAL::area(f->vertex(0)->point(), f->vertex(1)->point(), f->vertex(2)->point()));
    if (area > largestArea[c]) {
      largestArea[c] = area;
      largest[c] = f;
    }
  }
  for (std::size_t c = 0; c < comps.size(); ++c) {
    if (comps[c].exterior)
      continue;
    const FaceHandle f = largest[c];
    const Point centroid = CGAL::centroid(f->vertex(0)->point(), f->vertex(1)->point(), f->vertex(2)->point());
    const int oc = original.at(centroid);
    if (oc < 0 || original.components()[oc].exterior)
      throw Error("internal error: a part of the refined mesh lies outside the domain");
    comps[c].hole = original.components()[oc].hole;
    comps[c].region = original.components()[oc].region;
  }
  return comps;
}

}  // namespace tri
