#include "ui/common/TextGrid.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QPalette>
#include <QTableWidget>
#include <QTableWidgetItem>

namespace tavrin {

void SetUpTextGrid(QTableWidget& grid) {
    grid.horizontalHeader()->hide();
    grid.verticalHeader()->hide();
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    grid.setWordWrap(false);
    grid.setSortingEnabled(false);
}

void FillTextGrid(QTableWidget& grid, const std::vector<std::vector<std::string>>& cells) {
    // An assembly grid can hold more than five thousand cells: repaint once, at the end.
    const bool updates = grid.updatesEnabled();
    grid.setUpdatesEnabled(false);
    grid.clearContents();

    QTableWidgetItem data;
    data.setTextAlignment(Qt::AlignCenter);
    data.setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    QTableWidgetItem heading(data);
    heading.setFlags(Qt::ItemIsEnabled);
    QFont bold = grid.font();
    bold.setBold(true);
    heading.setFont(bold);
    heading.setBackground(grid.palette().brush(QPalette::Button));

    const int rows = grid.rowCount();
    const int columns = grid.columnCount();
    for (int r = 0; r < rows; ++r) {
        const std::vector<std::string>* texts =
            r < static_cast<int>(cells.size()) ? &cells[static_cast<std::size_t>(r)] : nullptr;
        for (int c = 0; c < columns; ++c) {
            auto* item = (r == 0 ? heading : data).clone();
            if (texts && c < static_cast<int>(texts->size())) {
                const QString text = QString::fromStdString((*texts)[static_cast<std::size_t>(c)]);
                item->setText(text);
                // The column widths are fixed; a text too wide for its cell can still be read.
                if (!text.isEmpty()) {
                    item->setToolTip(text);
                }
            }
            grid.setItem(r, c, item);
        }
    }
    grid.setUpdatesEnabled(updates);
}

}  // namespace tavrin
