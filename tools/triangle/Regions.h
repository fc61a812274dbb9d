#pragma once

#include "Cdt.h"
#include "InputFiles.h"

#include <vector>

namespace tri {

// A connected part of the triangulation bounded by constrained edges (segments):
// flood fill across unconstrained edges. CGAL 5.5 has no helper for regions.
struct Component {
  bool exterior = false;  // connected to the outside of the triangulation
  bool hole = false;      // holds a hole seed
  int region = -1;        // index of the last region seed in it, -1 without seed

  bool inDomain() const { return !exterior && !hole; }
};

// Numbers the components: every finite face gets info().component, infinite faces -1.
std::vector<Component> labelComponents(Cdt& cdt);

// Marks the components that hold a hole seed, then gives each region seed's
// component that region (a later seed overrides an earlier one; seeds outside the
// domain are ignored). Returns the number of region seeds that were ignored.
int applySeeds(const Cdt& cdt, std::vector<Component>& comps, const MeshInput& in);

// Sets the mesher's in-domain flag of every face from its component.
void markDomain(Cdt& cdt, const std::vector<Component>& comps);

// True when the face is finite and its component belongs to the domain.
inline bool faceInDomain(const Cdt& cdt, const std::vector<Component>& comps, FaceHandle f)
{
  const int c = f->info().component;
  return !cdt.is_infinite(f) && c >= 0 && comps[static_cast<std::size_t>(c)].inDomain();
}

// Finds components by position in a fixed triangulation (the unrefined one).
class ComponentLocator {
public:
  ComponentLocator(const Cdt& cdt, const std::vector<Component>& comps) : cdt_(cdt), comps_(comps) {}

  // Component of the point, -1 outside the triangulation. A point on an edge or a
  // vertex gets the lowest-numbered in-domain component around it.
  int at(const Point& p) const;

  // The face the point lies in (or on), nullptr outside; hint for repeated calls.
  FaceHandle face(const Point& p, Cdt::Locate_type& lt, int& li) const;

  const std::vector<Component>& components() const { return comps_; }
  const Cdt& triangulation() const { return cdt_; }

private:
  const Cdt& cdt_;
  const std::vector<Component>& comps_;
  mutable FaceHandle hint_;
};

// Labels the components of the refined triangulation and takes over holes and
// regions from the unrefined one (each refined component matches one unrefined
// component: refinement only splits constrained edges).
std::vector<Component> transferComponents(Cdt& refined, const ComponentLocator& original);

}  // namespace tri
