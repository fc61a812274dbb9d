#include "MeshNumbering.h"

#include "Errors.h"
#include "Resident.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

namespace tri {

namespace {

// The smallest angle of a mesh, found without an arc tangent per triangle: the
// sharpest corner of a triangle has the largest cotangent (dot product over the
// cross product's magnitude), so only the winner's angle is computed.
class SharpestCorner
{
public:
    void add(const Point& a, const Point& b, const Point& c)
    {
        corner(a, b, c);
        corner(b, c, a);
        corner(c, a, b);
    }
    double degrees() const { return found_ ? std::atan2(cross_, dot_) * 180.0 / std::numbers::pi : 180.0; }

private:
    void corner(const Point& p, const Point& q, const Point& r)
    {
        const double ux = q.x() - p.x(), uy = q.y() - p.y(), vx = r.x() - p.x(), vy = r.y() - p.y();
        const double cross = std::abs(ux * vy - uy * vx), dot = ux * vx + uy * vy;
        // dot/cross > dot_/cross_, without dividing (both crosses are positive in a valid triangle).
        if (!found_ || dot * cross_ > dot_ * cross) {
            found_ = true;
            cross_ = cross;
            dot_ = dot;
        }
    }
    bool found_ = false;
    double cross_ = 0.0, dot_ = 0.0;
};

// One pass over the faces. Vertices are numbered when first met: input vertices by
// their input index, added points provisionally after them in the order met. The
// triangles keep those numbers until the added points are sorted.
class FaceScan
{
public:
    FaceScan(const Cdt& mesh, const std::vector<Component>& comps, const MeshInput& in,
             const AreaBounds* bounds)
        : mesh_(mesh), comps_(comps), bounds_(bounds), n_(in.vertices.size())
    {
        reserveResident(triangles, mesh.number_of_faces());
        // Added points: at most every vertex of the mesh that is not an input vertex.
        const std::size_t vertices = mesh.number_of_vertices();
        const std::size_t most = vertices > n_ ? vertices - n_ : 0;
        reserveResident(keys, most);
        reserveResident(added, most);
        for (auto f = mesh.finite_faces_begin(); f != mesh.finite_faces_end(); ++f) visit(f);
    }

    // Coordinates of an added point with its provisional index less n: sorting these
    // copies keeps the comparisons off the scattered vertices.
    struct AddedKey {
        double x, y;
        int index;
    };

    std::vector<MeshOutput::Triangle> triangles;
    std::vector<VertexHandle> added; // in provisional order
    std::vector<AddedKey> keys;
    std::vector<VertexHandle> boundaryEnds, constraintEnds; // in any order, repeated
    SharpestCorner sharpest;

private:
    void visit(FaceHandle f)
    {
        for (int i = 0; i < 3; ++i)
            if (f->is_constrained(i)) addEdge(constraintEnds, f, i);
        if (!faceInDomain(mesh_, comps_, f)) return;
        const Point& a = f->vertex(0)->point();
        const Point& b = f->vertex(1)->point();
        const Point& c = f->vertex(2)->point();
        if (CGAL::orientation(a, b, c) != CGAL::COUNTERCLOCKWISE)
            throw Error("internal error: a triangle of the mesh is degenerate");
        const Component& comp = comps_[static_cast<std::size_t>(f->info().component)];
        if (bounds_ != nullptr && CGAL::area(a, b, c) > bounds_->forComponent(comp))
            throw Error("internal error: a triangle exceeds the maximum area of its region");
        sharpest.add(a, b, c);
        // The domain ends only at constrained edges: an unconstrained one joins faces of
        // one component.
        for (int i = 0; i < 3; ++i)
            if (f->is_constrained(i) && !faceInDomain(mesh_, comps_, f->neighbor(i)))
                addEdge(boundaryEnds, f, i);
        triangles.push_back(
            {{number(f->vertex(0)), number(f->vertex(1)), number(f->vertex(2))}, comp.region});
    }

    static void addEdge(std::vector<VertexHandle>& ends, FaceHandle f, int i)
    {
        ends.push_back(f->vertex(Cdt::cw(i)));
        ends.push_back(f->vertex(Cdt::ccw(i)));
    }

    int number(VertexHandle v)
    {
        int& out = v->info().out;
        if (out < 0) {
            if (v->info().id >= 0) {
                out = v->info().id;
            } else {
                out = static_cast<int>(n_ + added.size());
                keys.push_back({v->point().x(), v->point().y(), static_cast<int>(added.size())});
                added.push_back(v);
            }
        }
        return out;
    }

    const Cdt& mesh_;
    const std::vector<Component>& comps_;
    const AreaBounds* bounds_;
    std::size_t n_;
};

// Input vertices by input index; each must have been met in a triangle.
std::vector<VertexHandle> inputVertices(const Cdt& mesh, const MeshInput& in)
{
    std::vector<VertexHandle> written(in.vertices.size());
    for (auto v = mesh.finite_vertices_begin(); v != mesh.finite_vertices_end(); ++v) {
        v->info().out = -1;
        if (v->info().id >= 0) written[static_cast<std::size_t>(v->info().id)] = v;
    }
    return written;
}

void checkInputVerticesUsed(const std::vector<VertexHandle>& written, const MeshInput& in)
{
    for (std::size_t i = 0; i < written.size(); ++i)
        if (written[i] == nullptr || written[i]->info().out != static_cast<int>(i))
            throw Error("internal error: input vertex " +
                        std::to_string(i + static_cast<std::size_t>(in.firstIndex)) +
                        " is not part of the mesh");
}

// Sorts the added points by coordinates and appends them to written; returns the
// output position of each by its provisional number (less the count of input vertices).
std::vector<int> sortAddedPoints(FaceScan& scan, std::vector<VertexHandle>& written)
{
    using Key = FaceScan::AddedKey;
    std::sort(scan.keys.begin(), scan.keys.end(),
              [](const Key& a, const Key& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    std::vector<int> position;
    reserveResident(position, scan.keys.size());
    position.resize(scan.keys.size());
    reserveResident(written, written.size() + scan.keys.size());
    for (const Key& k : scan.keys) {
        const VertexHandle v = scan.added[static_cast<std::size_t>(k.index)];
        position[static_cast<std::size_t>(k.index)] = static_cast<int>(written.size());
        v->info().out = static_cast<int>(written.size());
        written.push_back(v);
    }
    return position;
}

// Gives the triangles their output vertex numbers, turns each to start at its lowest
// vertex and returns where the triangles starting at each vertex begin when sorted
// (one more entry: the end).
std::vector<int> renumberTriangles(std::vector<MeshOutput::Triangle>& triangles,
                                   const std::vector<int>& position, std::size_t n, std::size_t vertices)
{
    std::vector<int> start;
    reserveResident(start, vertices + 1);
    start.assign(vertices + 1, 0);
    for (MeshOutput::Triangle& t : triangles) {
        for (int& v : t.v)
            if (static_cast<std::size_t>(v) >= n) v = position[static_cast<std::size_t>(v) - n];
        std::rotate(t.v.begin(), std::min_element(t.v.begin(), t.v.end()), t.v.end());
        ++start[static_cast<std::size_t>(t.v[0]) + 1];
    }
    for (std::size_t k = 1; k < start.size(); ++k) start[k] += start[k - 1];
    return start;
}

// Counting sort in place by the first vertex: every triangle is moved once, straight
// into the range of its first vertex.
void moveToFirstVertexRanges(std::vector<MeshOutput::Triangle>& triangles, const std::vector<int>& start)
{
    std::vector<int> next;
    reserveResident(next, start.size() - 1);
    next.assign(start.begin(), start.end() - 1);
    for (std::size_t b = 0; b < next.size(); ++b) {
        for (int i = next[b]; i < start[b + 1]; i = next[b]) {
            // Follow the cycle of displaced triangles until one belongs at i.
            MeshOutput::Triangle t = triangles[static_cast<std::size_t>(i)];
            while (static_cast<std::size_t>(t.v[0]) != b)
                std::swap(t, triangles[static_cast<std::size_t>(next[static_cast<std::size_t>(t.v[0])]++)]);
            triangles[static_cast<std::size_t>(i)] = t;
            ++next[b];
        }
    }
}

// Insertion sort of each range: a vertex starts about two triangles.
void sortWithinRanges(std::vector<MeshOutput::Triangle>& triangles, const std::vector<int>& start)
{
    for (std::size_t k = 0; k + 1 < start.size(); ++k) {
        const auto first = triangles.begin() + start[k], last = triangles.begin() + start[k + 1];
        if (last - first < 2) continue;
        for (auto i = first + 1; i != last; ++i)
            for (auto j = i; j != first && j->v < (j - 1)->v; --j) std::iter_swap(j, j - 1);
    }
}

std::vector<char> flagsByPosition(const std::vector<VertexHandle>& ends, std::size_t vertices)
{
    std::vector<char> flags(vertices, 0);
    for (const VertexHandle& v : ends)
        if (v->info().out >= 0) flags[static_cast<std::size_t>(v->info().out)] = 1;
    return flags;
}

} // namespace

NumberedMesh numberMesh(const Cdt& mesh, const std::vector<Component>& comps, const MeshInput& in,
                        const AreaBounds* bounds)
{
    NumberedMesh result;
    result.written = inputVertices(mesh, in);
    FaceScan scan(mesh, comps, in, bounds);
    checkInputVerticesUsed(result.written, in);
    const std::vector<int> position = sortAddedPoints(scan, result.written);
    const std::size_t vertices = result.written.size();
    const std::vector<int> start = renumberTriangles(scan.triangles, position, in.vertices.size(), vertices);
    moveToFirstVertexRanges(scan.triangles, start);
    sortWithinRanges(scan.triangles, start);
    result.triangles = std::move(scan.triangles);
    result.onBoundary = flagsByPosition(scan.boundaryEnds, vertices);
    result.onConstraint = flagsByPosition(scan.constraintEnds, vertices);
    result.added = scan.added.size();
    result.minAngle = scan.sharpest.degrees();
    return result;
}

} // namespace tri
