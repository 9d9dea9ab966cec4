// Teachers' data-group tables: a CSV file with one header row naming the
// main window's boxes (hs_h, hs_d, ... sd_k) and a "方案" column with each
// group's name, then one group per row. UTF-8 with or without a byte-order
// mark, or GBK, as spreadsheet programs save it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vm::io {

inline constexpr std::string_view kGroupNameColumn = "方案";

struct DataGroup {
    std::string name;                          // the group's name (also its export folder's name)
    std::array<std::string, 11> parameters;    // hs_h .. sd_k as written in the table
    int line = 0;                              // line of the file where the row starts
};

struct GroupProblem {
    int line = 0;        // line of the file where the bad row starts
    std::string reason;  // in Chinese, naming the column
};

struct GroupTable {
    std::vector<DataGroup> groups;       // the good rows, in file order
    std::vector<GroupProblem> problems;  // the bad rows; good rows stay usable
    std::string error;                   // set when the table as a whole cannot be read
};

// Decodes and parses a whole table.
GroupTable parse_group_table(std::string_view bytes);
GroupTable read_group_table(const std::string& path);

// One line per problem ("第 3 行：hs_d 的值“abc”不是数字"), for messages.
std::string problems_text(const GroupTable& table, std::size_t max_lines = 10);

}  // namespace vm::io
