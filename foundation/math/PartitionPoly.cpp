#include "foundation/math/PartitionPoly.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

void PartitionPoly::Clear()
{
    points.clear();
    points.shrink_to_fit();
    numpoints = 0;
    hole = false;
}

void PartitionPoly::Init(long n)
{
    Clear();
    if (n <= 0)
        return;
    if (static_cast<unsigned long>(n) > points.max_size())
        throw std::bad_alloc();
    points.assign(static_cast<std::size_t>(n), PartitionPoint());
    numpoints = n;
}

void PartitionPoly::Triangle(const PartitionPoint& p1, const PartitionPoint& p2, const PartitionPoint& p3)
{
    Init(3);
    points[0] = p1;
    points[1] = p2;
    points[2] = p3;
}

double PartitionPoly::DoubleArea() const
{
    double area = 0.0;
    for (long i = 0; i < numpoints; ++i) {
        const PartitionPoint& a = points[static_cast<std::size_t>(i)];
        const PartitionPoint& b = points[static_cast<std::size_t>((i + 1) % numpoints)];
        area += a.x * b.y - a.y * b.x;
    }
    return area;
}

int PartitionPoly::GetOrientation() const
{
    const double area = DoubleArea();
    if (area > 0.0)
        return 1;
    if (area < 0.0)
        return -1;
    return 0;
}

void PartitionPoly::SetOrientation(int orientation)
{
    const int current = GetOrientation();
    if (current != 0 && current != orientation)
        Invert();
}

void PartitionPoly::Invert()
{
    std::reverse(points.begin(), points.end());
}

bool PartitionPoly::IsFinite() const
{
    return std::all_of(points.begin(), points.end(),
                       [](const PartitionPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); });
}
