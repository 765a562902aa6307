#pragma once
#include <string>
#include <vector>

namespace dba {

// Rows of a selection, each with one cell per requested output field (a
// multi-valued field keeps its VM marks). Rows and columns count from 1;
// reading past the end gives empty text.
class ResultList {
public:
    ResultList() = default;
    explicit ResultList(std::vector<std::vector<std::string>> rows) : rows_(std::move(rows)) {}

    // Cell (r, c).
    std::string Item(int row, int column) const;
    // Row r: its cells joined by FM (the key alone when only "0" was asked).
    std::string Item(int row) const;
    // Every row joined by FM; empty when nothing was selected.
    std::string Item() const;
    int DCount() const { return static_cast<int>(rows_.size()); }
    bool empty() const { return rows_.empty(); }
    // Overwrites a cell in memory; padding as needed.
    void SetItem(int row, int column, const std::string& value);
    // Removes row r; later rows move up.
    void Delete(int row);

    const std::vector<std::vector<std::string>>& rows() const { return rows_; }

private:
    std::vector<std::vector<std::string>> rows_;
};

// A query as the classic component builds it: Item 1 the criteria text,
// Item 2 the table name, Item 3 the output field list ("0 7 8 4").
class SelectQuery {
public:
    std::string Item(int index) const;
    void SetItem(int index, const std::string& value);
    std::string criteria, table, fields = "0";
};

} // namespace dba
