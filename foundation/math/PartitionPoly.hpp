#pragma once

#include <list>
#include <vector>

/// A point of the polygon partitioner, in double precision.
struct PartitionPoint {
    double x = 0.0;
    double y = 0.0;

    PartitionPoint() = default;
    PartitionPoint(double x_, double y_) : x(x_), y(y_) {}

    PartitionPoint operator+(const PartitionPoint& o) const { return {x + o.x, y + o.y}; }
    PartitionPoint operator-(const PartitionPoint& o) const { return {x - o.x, y - o.y}; }
    PartitionPoint operator*(double f) const { return {x * f, y * f}; }
    PartitionPoint operator/(double f) const { return {x / f, y / f}; }
    /// Exact equality of both coordinates.
    bool operator==(const PartitionPoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const PartitionPoint& o) const { return !(*this == o); }
};

/// Polygon of the partitioner: vertices in order, the last joined back to the
/// first. Outer polygons run counter-clockwise (y up), holes clockwise.
class PartitionPoly {
public:
    PartitionPoly() = default;

    /// Frees the points: count 0, not a hole.
    void Clear();
    /// Replaces the points by n default points (none for n <= 0); not a hole.
    void Init(long n);
    /// Becomes the triangle p1, p2, p3 in that order; not a hole.
    void Triangle(const PartitionPoint& p1, const PartitionPoint& p2, const PartitionPoint& p3);

    long GetNumPoints() const { return numpoints; }
    bool IsHole() const { return hole; }
    void SetHole(bool isHole) { hole = isHole; }
    PartitionPoint& GetPoint(long i) { return points[static_cast<std::size_t>(i)]; }
    const PartitionPoint& GetPoint(long i) const { return points[static_cast<std::size_t>(i)]; }
    PartitionPoint& operator[](long i) { return GetPoint(i); }
    const PartitionPoint& operator[](long i) const { return GetPoint(i); }

    /// 1 for counter-clockwise (positive area with y up), -1 for clockwise,
    /// 0 for zero area or no points.
    int GetOrientation() const;
    /// Reverses the points when the orientation is not 0 and differs from o.
    void SetOrientation(int orientation);
    /// Reverses the order of the points.
    void Invert();

    /// Twice the signed area (positive for counter-clockwise).
    double DoubleArea() const;
    /// True when every coordinate is a finite number.
    bool IsFinite() const;

private:
    std::vector<PartitionPoint> points;
    long numpoints = 0;
    bool hole = false;
};

using PartitionPolyList = std::list<PartitionPoly>;
