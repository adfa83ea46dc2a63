#pragma once

#include <string>
#include <vector>

#include "data/network_table.h"

namespace heatnet {

// A problem of one cell of the table editor, with the message shown on the cell
// and in the problem list. Problems never block editing.
struct TableProblem {
    TableRefusal::Grid grid = TableRefusal::Grid::kBasic;
    int row = 0;     // 0-based row of the grid; 0 for the basic values
    int column = 0;  // 0-based column of the grid
    std::string message;
    // Whether the calculation would refuse the file for it (saving then asks first).
    bool refusedByCalculation = false;

    bool operator==(const TableProblem&) const = default;
};

// Every problem of the table, in grid, row and column order:
// - a text that is not a number;
// - a value out of range (the reader's rules: temperatures, pressures, lengths,
//   coefficients, node numbers, loads);
// - a segment from a node to itself, a segment between the same two nodes as an earlier one;
// - a segment end that is not 0 and has no load record; a load on a node no segment reaches;
// - nodes not connected to node 0 (named on every segment that reaches them);
// - more than 1400 segments, or more than 1400 load records (1401 nodes);
// - equal supply and return temperatures, and a node count (load records + 1)
//   other than the number of nodes the segments name: the calculation refuses both.
// A problem of a whole segment (same ends, the same two nodes again, not connected)
// stands on its start node; a count on the first row beyond 1400; the node count
// on the last load record (the first segment when there is none). Messages use
// the words the entry boxes, the reader and the calculation use for the same
// fault, without a file name or line.
// Runs in time linear in the rows (hash maps), well under 20 ms for 1400 segments.
std::vector<TableProblem> CheckNetworkTable(const NetworkTable& table);

}  // namespace heatnet
