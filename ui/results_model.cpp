#include "results_model.h"

#include <limits>

#include "line_text.h"

namespace kestrami::ui {

namespace {

// A view counts rows in int; a list longer than that shows its first rows.
int Rows(const ResultsList& results)
{
    constexpr auto kMost = static_cast<std::size_t>(std::numeric_limits<int>::max());
    return static_cast<int>(results.Count() < kMost ? results.Count() : kMost);
}

}  // namespace

ResultsModel::ResultsModel(const ResultsList& results, QObject* parent)
    : QAbstractListModel(parent), results_(results), rows_(Rows(results)), generation_(results.Generation())
{
}

int ResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const
{
    if ((role != Qt::DisplayRole && role != Qt::AccessibleTextRole) ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const std::string& line = results_.Line(static_cast<std::size_t>(index.row()));
    // Drawn strictly left to right, whatever right-to-left letters a typed
    // cell brought into the row; a screen reader reads the row's own text,
    // without the override that keeps it in order on the screen.
    return QString::fromStdString(role == Qt::DisplayRole ? LeftToRightText(line) : SingleLineText(line));
}

void ResultsModel::Follow()
{
    const int rows = Rows(results_);
    if (results_.Generation() != generation_) {
        beginResetModel();
        rows_ = rows;
        generation_ = results_.Generation();
        endResetModel();
    } else if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    }
}

}  // namespace kestrami::ui
