// Formatting and printing of the result table.
#include "ResultTable.h"

#include <cmath>
#include <cstdio>

namespace {

std::string Number(double value, const std::string& unit)
{
    if (std::isnan(value))
        return "no result";
    char text[64];
    const int decimals = value < 10.0 ? 2 : 1;
    std::snprintf(text, sizeof(text), "%.*f %s", decimals, value, unit.c_str());
    return text;
}

std::string Limit(double value, const std::string& unit)
{
    char text[64];
    std::snprintf(text, sizeof(text), "< %g %s", value, unit.c_str());
    return text;
}

// A measure's name in a Markdown cell: a bar would end the cell.
std::string CellText(const std::string& text)
{
    std::string cell;
    for (char c : text)
        cell += c == '|' ? std::string("\\|") : std::string(1, c);
    return cell;
}

} // namespace

void ResultTable::Add(std::string measure, double median, std::string unit, std::optional<double> limit)
{
    m_rows.push_back({std::move(measure), median, std::move(unit), limit});
}

void ResultTable::Print() const
{
    std::printf("| measure | median | goal | met? |\n|---|---:|---:|:---:|\n");
    for (const Row& row : m_rows) {
        const std::string goal = row.limit ? Limit(*row.limit, row.unit) : "-";
        const char* met = !row.limit ? "-" : row.median < *row.limit ? "yes" : "NO"; // NaN compares false
        std::printf("| %s | %s | %s | %s |\n", CellText(row.measure).c_str(), Number(row.median, row.unit).c_str(),
                    goal.c_str(), met);
    }
    std::fflush(stdout);
}
