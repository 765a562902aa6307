#include "dba/result_list.h"

#include "dba/dynarray.h"

namespace dba {

std::string ResultList::Item(int row, int column) const {
    if (row < 1 || row > DCount())
        return {};
    const auto& cells = rows_[static_cast<std::size_t>(row - 1)];
    if (column < 1 || column > static_cast<int>(cells.size()))
        return {};
    return cells[static_cast<std::size_t>(column - 1)];
}

std::string ResultList::Item(int row) const {
    if (row < 1 || row > DCount())
        return {};
    return Join(rows_[static_cast<std::size_t>(row - 1)], FM);
}

std::string ResultList::Item() const {
    std::string out;
    for (int r = 1; r <= DCount(); ++r) {
        if (r > 1)
            out += FM;
        out += Item(r);
    }
    return out;
}

void ResultList::SetItem(int row, int column, const std::string& value) {
    if (row < 1 || column < 1)
        return;
    if (row > DCount())
        rows_.resize(static_cast<std::size_t>(row));
    auto& cells = rows_[static_cast<std::size_t>(row - 1)];
    if (column > static_cast<int>(cells.size()))
        cells.resize(static_cast<std::size_t>(column));
    cells[static_cast<std::size_t>(column - 1)] = value;
}

void ResultList::Delete(int row) {
    if (row >= 1 && row <= DCount())
        rows_.erase(rows_.begin() + (row - 1));
}

std::string SelectQuery::Item(int index) const {
    switch (index) {
    case 1:
        return criteria;
    case 2:
        return table;
    case 3:
        return fields;
    default:
        return criteria;
    }
}

void SelectQuery::SetItem(int index, const std::string& value) {
    switch (index) {
    case 1:
        criteria = value;
        break;
    case 2:
        table = value;
        break;
    case 3:
        fields = value;
        break;
    default:
        criteria = value;
    }
}

} // namespace dba
