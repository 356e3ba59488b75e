#include "assembly/ui/AssemblyView.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "widgets/CentreOnScreen.h"
#include "widgets/TextGrid.h"
#include "widgets/Twips.h"

namespace tavrin {

namespace {

// The grids are as wide as a single tab across the whole frame.
constexpr int kGridWidthTwips = 8465;

// Every tab exactly as wide as the plan says, whatever its caption needs.
class FixedWidthTabBar final : public QTabBar {
public:
    using QTabBar::QTabBar;
    void SetTabWidth(int pixels) {
        m_width = pixels;
        updateGeometry();
    }

protected:
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        if (m_width > 0) {
            size.setWidth(m_width);
        }
        return size;
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

private:
    int m_width = 0;
};

QTableWidget* NewGrid(QWidget* owner, const char* name) {
    auto* grid = new QTableWidget(kAssemblyGridRows, 0, owner);
    grid->setObjectName(QString::fromLatin1(name));
    SetUpTextGrid(*grid);
    // Five rows always fit; the mapping columns scroll sideways.
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    const int frame = 2 * grid->frameWidth();
    grid->setFixedSize(TwipsToPixels(*grid, kGridWidthTwips) + frame,
                       kAssemblyGridRows * grid->verticalHeader()->defaultSectionSize() + frame +
                           grid->horizontalScrollBar()->sizeHint().height());
    return grid;
}

}  // namespace

AssemblyView::AssemblyView(const AppObjectList& working, AssemblyTables& shared, QWidget* parent)
    : QWidget(parent, Qt::Window), m_tables(DeriveAssemblies(working)) {
    setObjectName(QStringLiteral("ShowAssObj"));
    setWindowTitle(QStringLiteral("Assembly Object Information"));
    setAttribute(Qt::WA_DeleteOnClose);
    shared = m_tables;

    auto* frame = new QGroupBox(QStringLiteral("Assembly Object"), this);
    frame->setObjectName(QStringLiteral("Frame1"));

    auto* tabs = new FixedWidthTabBar(frame);
    m_tabs = tabs;
    m_tabs->setObjectName(QStringLiteral("AssObjParaTableTag"));
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(false);
    const AssemblyTabPlan plan = PlanAssemblyTabs(working.IOTotals);
    tabs->SetTabWidth(TwipsToPixels(*tabs, plan.tabWidthTwips));
    for (const AssemblyTab& tab : plan.tabs) {
        const int index = m_tabs->addTab(QString::fromLatin1(tab.caption));
        m_tabs->setTabData(index, QString::fromLatin1(tab.key));
    }

    m_output = NewGrid(frame, "AssConsParaRecord");
    m_input = NewGrid(frame, "AssProdParaRecord");
    m_input->hide();

    // The two grids lie on top of each other; the tab decides which one shows.
    auto* grids = new QGridLayout;
    grids->addWidget(m_output, 0, 0);
    grids->addWidget(m_input, 0, 0);

    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->setSpacing(0);
    frameLayout->addWidget(m_tabs, 0, Qt::AlignLeft);
    frameLayout->addLayout(grids);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(frame);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ShowTab(m_tabs->currentIndex());
    connect(m_tabs, &QTabBar::currentChanged, this, &AssemblyView::ShowTab);
    CentreOnScreen(*this);
}

QTableWidget* AssemblyView::Grid(AssemblyDirection direction) const {
    return direction == AssemblyDirection::Output ? m_output : m_input;
}

void AssemblyView::ShowTab(int index) {
    if (index < 0) {
        return;
    }
    const QString caption = m_tabs->tabText(index);
    AssemblyDirection direction;
    if (caption == QLatin1String(kOutputTab.caption)) {
        direction = AssemblyDirection::Output;
    } else if (caption == QLatin1String(kInputTab.caption)) {
        direction = AssemblyDirection::Input;
    } else {
        return;
    }
    QTableWidget* shown = Grid(direction);
    Grid(direction == AssemblyDirection::Output ? AssemblyDirection::Input
                                                : AssemblyDirection::Output)
        ->hide();
    shown->show();

    const AssemblyGrid grid = BuildAssemblyGrid(m_tables, direction);
    // Dropping every column first gives all new columns the mapping width in one go; sizing up to
    // 1025 mapping columns one by one would be slow.
    shown->setColumnCount(0);
    shown->horizontalHeader()->setDefaultSectionSize(
        TwipsToPixels(*shown, kAssemblyMappingColumnTwips));
    shown->setColumnCount(grid.columnCount);
    const int fixedWidth = TwipsToPixels(*shown, kAssemblyFixedColumnTwips);
    for (int c = 0; c < kAssemblyFixedColumns && c < grid.columnCount; ++c) {
        shown->setColumnWidth(c, fixedWidth);
    }
    FillTextGrid(*shown, grid.cells);
    shown->horizontalScrollBar()->setValue(0);
}

}  // namespace tavrin
