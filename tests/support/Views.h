#pragma once

#include <QAbstractItemView>

namespace sorvane::test {

// The middle of a row of a list, where a click on that row lands.
inline QPoint RowCentre(const QAbstractItemView* view, int row) {
    return view->visualRect(view->model()->index(row, 0)).center();
}

} // namespace sorvane::test
