#include "ui/main/CompareWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavrin {

QWidget* NewCompareWindow(const std::vector<FieldDifference>& differences,
                          const std::string& fileName, QWidget* parent) {
    auto* window = new QWidget(parent, Qt::Window);
    window->setObjectName(QStringLiteral("CompareForm"));
    window->setWindowTitle(QString::fromLatin1(kCompareTitle));
    window->setAttribute(Qt::WA_DeleteOnClose);

    auto* summary = new QLabel(window);
    summary->setObjectName(QStringLiteral("CompareSummary"));
    summary->setText(differences.empty() ? QString::fromLatin1(kNoDifferences)
                                         : QStringLiteral("Gateway as read at Connect, and %1")
                                               .arg(QString::fromStdString(fileName)));

    auto* table = new QTableWidget(static_cast<int>(differences.size()), 3, window);
    table->setObjectName(QStringLiteral("CompareTable"));
    table->setHorizontalHeaderLabels(
        {QStringLiteral("field"), QStringLiteral("gateway"), QStringLiteral("file")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < static_cast<int>(differences.size()); ++row) {
        const FieldDifference& d = differences[row];
        int column = 0;
        for (const std::string* text : {&d.field, &d.a, &d.b}) {
            table->setItem(row, column++, new QTableWidgetItem(QString::fromStdString(*text)));
        }
    }
    table->resizeColumnsToContents();

    auto* layout = new QVBoxLayout(window);
    layout->addWidget(summary);
    layout->addWidget(table);
    window->resize(640, 360);
    return window;
}

}  // namespace tavrin
