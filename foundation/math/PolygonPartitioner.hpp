#pragma once

#include "foundation/math/PartitionPoly.hpp"

#include <list>
#include <set>
#include <vector>

/// Cuts simple polygons, optionally with holes, into triangles, convex pieces
/// or y-monotone pieces. Every entry point returns 1 on success and 0 on
/// failure and appends its pieces to a list owned by the caller; pieces
/// appended before a failure stay there. Nothing is logged, nothing is kept
/// between calls, and bad geometry (wrong orientation, crossing edges, NaN or
/// infinite coordinates) yields 0 or a partial result, never a crash.
class PolygonPartitioner {
public:
    /// Working record of ear clipping and of the convex partitions.
    struct PartitionVertex {
        bool isActive = false;
        bool isConvex = false;
        bool isEar = false;
        PartitionPoint p;
        double angle = 0.0; ///< cosine of the corner angle; larger is sharper
        PartitionVertex* previous = nullptr;
        PartitionVertex* next = nullptr;
    };

    // Predicates shared by the algorithms. The cross term
    // c(a, b, q) = (q.y - a.y)(b.x - a.x) - (q.x - a.x)(b.y - a.y)
    // is positive when q lies left of a->b.
    static bool IsConvex(const PartitionPoint& a, const PartitionPoint& b, const PartitionPoint& q);
    static bool IsReflex(const PartitionPoint& a, const PartitionPoint& b, const PartitionPoint& q);
    /// q inside or on the counter-clockwise triangle a, b, c.
    static bool IsInside(const PartitionPoint& a, const PartitionPoint& b, const PartitionPoint& c,
                         const PartitionPoint& q);
    /// q inside the cone of the corner at b between the edges to a and to c.
    static bool InCone(const PartitionPoint& a, const PartitionPoint& b, const PartitionPoint& c,
                       const PartitionPoint& q);
    static bool InCone(const PartitionVertex* v, const PartitionPoint& q);
    /// Whether two segments cross or touch; segments sharing an end point
    /// never do, and segments on one line only where they overlap.
    static bool Intersects(const PartitionPoint& p11, const PartitionPoint& p12, const PartitionPoint& p21,
                           const PartitionPoint& p22);
    /// v divided by its length; (0, 0) for the zero vector.
    static PartitionPoint Normalize(const PartitionPoint& v);
    static double Distance(const PartitionPoint& a, const PartitionPoint& b);

    /// Ear clipping of one counter-clockwise polygon without holes: n - 2 triangles.
    int Triangulate_EC(const PartitionPoly* poly, PartitionPolyList* triangles);
    /// Ear clipping of outer polygons and their holes (holes removed first).
    int Triangulate_EC(const PartitionPolyList* inpolys, PartitionPolyList* triangles);
    /// Triangulation of minimum total diagonal length (dynamic programming).
    int Triangulate_OPT(const PartitionPoly* poly, PartitionPolyList* triangles);
    /// Triangulation through y-monotone pieces.
    int Triangulate_MONO(const PartitionPoly* poly, PartitionPolyList* triangles);
    int Triangulate_MONO(const PartitionPolyList* inpolys, PartitionPolyList* triangles);
    /// Hertel-Mehlhorn convex partition: ear clipping, then removal of the
    /// diagonals that are not needed for convexity.
    int ConvexPartition_HM(const PartitionPoly* poly, PartitionPolyList* parts);
    int ConvexPartition_HM(const PartitionPolyList* inpolys, PartitionPolyList* parts);
    /// Convex partition with the fewest pieces (dynamic programming) among
    /// the partitions by diagonals between vertices. Pieces may have
    /// straight corners, also at reflex vertices of the polygon (a plus sign
    /// becomes a bar and two arms), and vertices that lie straight between
    /// their neighbours may end diagonals.
    int ConvexPartition_OPT(const PartitionPoly* poly, PartitionPolyList* parts);
    /// Partition into y-monotone polygons by a top-to-bottom sweep; outer
    /// polygons counter-clockwise, holes clockwise.
    int MonotonePartition(const PartitionPolyList* inpolys, PartitionPolyList* monotonePolys);
    /// Triangulation of one y-monotone polygon.
    int TriangulateMonotone(const PartitionPoly* poly, PartitionPolyList* triangles);
    /// Joins every hole to an outer polygon through a bridge of two edges.
    int RemoveHoles(const PartitionPolyList* inpolys, PartitionPolyList* outpolys);

private:
    struct MonotoneVertex {
        PartitionPoint p;
        long previous = -1;
        long next = -1;
    };

    /// Orders vertex indices by falling y, then by falling x.
    class VertexSorter {
    public:
        explicit VertexSorter(const std::vector<MonotoneVertex>& v) : vertices(&v) {}
        bool operator()(long index1, long index2) const;

    private:
        const std::vector<MonotoneVertex>* vertices;
    };

    /// Edge crossing the sweep line, ordered left to right along it.
    struct ScanLineEdge {
        mutable long index = -1;
        PartitionPoint p1;
        PartitionPoint p2;
        bool operator<(const ScanLineEdge& other) const;
    };

    struct Diagonal {
        long index1 = -1;
        long index2 = -1;
    };

    /// State of one vertex pair in the optimal convex partition.
    struct DPState2 {
        bool visible = false;      ///< the pair closes a sub-polygon whose partition is searched
        int weight = 0;            ///< number of diagonals; max int: no partition yet
        std::list<Diagonal> pairs; ///< narrowest neighbour pairs, best first
    };

    enum VertexType { TYPE_REGULAR, TYPE_START, TYPE_END, TYPE_SPLIT, TYPE_MERGE };

    static void UpdateVertexReflexity(PartitionVertex* v);
    static void UpdateVertex(PartitionVertex* v, PartitionVertex* vertices, long numvertices);
    static bool Below(const PartitionPoint& a, const PartitionPoint& b);

    static long AddDiagonal(std::vector<MonotoneVertex>& vertices, std::vector<VertexType>& types, long index1,
                            long index2);

    static void UpdateState(long a, long b, int w, long i, long j, std::vector<DPState2>& dpstates, long n);
    /// Offers (i, j) the piece of P(i, k) grown across k; closing counts the
    /// diagonals of P(k, j).
    static void TypeA(long i, long k, long j, int closing, const std::vector<PartitionVertex>& vertices,
                      std::vector<DPState2>& dpstates, long n);
    /// Offers (i, j) the triangle (i, k, j) as its piece, a being the vertex
    /// after i; side and closing count the diagonals behind (i, k) and (k, j).
    static void TypeB(long i, long a, long k, long j, int side, int closing, std::vector<DPState2>& dpstates, long n);
};
