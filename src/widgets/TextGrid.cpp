#include "widgets/TextGrid.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPalette>
#include <QTableWidget>
#include <QTableWidgetItem>
#include <algorithm>

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
                if (!text.isEmpty()) {
                    item->setToolTip(text);
                }
            }
            grid.setItem(r, c, item);
        }
    }
    WidenColumnsToText(grid, cells);
    grid.setUpdatesEnabled(updates);
}

void WidenColumnsToText(QTableWidget& grid, const std::vector<std::vector<std::string>>& cells) {
    QFont bold = grid.font();
    bold.setBold(true);
    const QFontMetrics headingMetrics(bold);
    const QFontMetrics dataMetrics(grid.font());
    constexpr int kPadding = 12;
    const int columns = grid.columnCount();
    std::vector<int> needed(static_cast<std::size_t>(std::max(columns, 0)), 0);
    for (std::size_t r = 0; r < cells.size(); ++r) {
        const QFontMetrics& metrics = r == 0 ? headingMetrics : dataMetrics;
        for (std::size_t c = 0; c < cells[r].size() && c < needed.size(); ++c) {
            if (cells[r][c].empty())
                continue;
            const int width =
                metrics.horizontalAdvance(QString::fromStdString(cells[r][c])) + kPadding;
            needed[c] = std::max(needed[c], width);
        }
    }
    for (int c = 0; c < columns; ++c) {
        if (needed[static_cast<std::size_t>(c)] > grid.columnWidth(c)) {
            grid.setColumnWidth(c, needed[static_cast<std::size_t>(c)]);
        }
    }
}

}  // namespace tavrin
