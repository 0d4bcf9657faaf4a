#pragma once

#include <cstdint>

namespace korvanta {

// Columns of the correlation graph: the first and the last column in which a delay lies inside
// the pipe, or the whole graph.
struct ColumnWindow {
    int left = 0;
    int right = 0;

    friend bool operator==(const ColumnWindow&, const ColumnWindow&) = default;
};

// The delay span the whole graph covers for a correlation range (0, 1, 2); 0 for any other.
float GraphTimeSpan(uint32_t range);

// How the graph's columns map to delays: `width` columns cover the range's span, the centre
// column is zero delay. At zoom 1 one column is span / width seconds.
class GraphScale {
public:
    GraphScale(int width, uint32_t range);

    int Width() const { return width_; }
    int CentreColumn() const { return width_ / 2; }
    float ColumnSeconds() const { return columnSeconds_; }

    // The whole graph: column 0 to width - 1.
    ColumnWindow WholeGraph() const { return {0, width_ - 1}; }
    // The columns whose delays lie inside a pipe of this travel time, cut to the graph.
    ColumnWindow PipeWindow(float travelTime) const;
    // The column of a delay at zoom 1, rounded to the nearest; may lie outside the graph.
    int ColumnForDelay(float delay) const;
    bool Contains(int column) const { return column >= 0 && column < width_; }

private:
    int width_;
    float columnSeconds_;
};

}  // namespace korvanta
