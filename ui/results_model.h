// The results list as the window's list box shows it: a read-only view of
// the calculator's lines, without copies. After each operation the window
// calls Follow(), which announces the lines appended since the last call as
// new rows, or starts the rows again when the list was emptied, so one new
// result costs one new row, however long the list.
#pragma once

#include <QAbstractListModel>

#include <cstdint>

#include "divisor_calculator.h"

namespace kestrami::ui {

class ResultsModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit ResultsModel(const ResultsList& results, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void Follow();

private:
    const ResultsList& results_;
    // The rows announced so far, and the list generation they belong to.
    int rows_ = 0;
    std::uint64_t generation_;
};

}  // namespace kestrami::ui
