#pragma once

// The CGAL triangulation the generator works on: exact predicates (robust with
// georeferenced coordinates), inexact constructions, constrained Delaunay, with the
// mesher's in-domain flag on faces.

#include <CGAL/Constrained_Delaunay_triangulation_2.h>
#include <CGAL/Delaunay_mesh_face_base_2.h>
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/Triangulation_face_base_with_info_2.h>
#include <CGAL/Triangulation_vertex_base_with_info_2.h>

namespace tri {

using K = CGAL::Exact_predicates_inexact_constructions_kernel;
using Point = K::Point_2;

struct VertexInfo {
  int id = -1;   // index of the input vertex, -1 for a point added by refinement
  int out = -1;  // zero-based line of the vertex in the output .node file, -1 if not written
};

struct FaceInfo {
  int component = -1;  // flood-fill component (see Regions.h), -1 for infinite faces
};

using Vb = CGAL::Triangulation_vertex_base_with_info_2<VertexInfo, K>;
using FbInfo = CGAL::Triangulation_face_base_with_info_2<FaceInfo, K, CGAL::Constrained_Delaunay_triangulation_face_base_2<K>>;
using Fb = CGAL::Delaunay_mesh_face_base_2<K, FbInfo>;
using Tds = CGAL::Triangulation_data_structure_2<Vb, Fb>;
using Cdt = CGAL::Constrained_Delaunay_triangulation_2<K, Tds, CGAL::No_constraint_intersection_requiring_constructions_tag>;

using VertexHandle = Cdt::Vertex_handle;
using FaceHandle = Cdt::Face_handle;

}  // namespace tri
