// The bench's output: one row per measure with its median and goal, printed as one Markdown table
// so a run can be pasted into the README as it is.
#pragma once

#include <optional>
#include <string>
#include <vector>

class ResultTable {
public:
    // A measure with a goal of "below limit" in the same unit; rows without a goal explain where
    // the time of another row goes.
    void Add(std::string measure, double median, std::string unit, std::optional<double> limit = std::nullopt);
    void Print() const;

private:
    struct Row {
        std::string measure;
        double median;
        std::string unit;
        std::optional<double> limit;
    };
    std::vector<Row> m_rows;
};
