#include "appobj/views/AppObjectView.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "appobj/AppObjectRows.h"
#include "widgets/CentreOnScreen.h"
#include "widgets/TextGrid.h"
#include "widgets/Twips.h"

namespace tavrin {

namespace {

struct ViewLook {
    const char* name;
    const char* title;
    const char* frame;
    const char* grid;
    std::array<const char*, kAppObjectViewColumns> headings;
    std::array<double, kAppObjectViewColumns> widths;  // multiples of kAppObjectColumnTwips
};

constexpr ViewLook kDevicesLook{"ShowModule",
                                "Device Information",
                                "Modbus devices Information",
                                "ModuleInfoRecord",
                                {"No.", "Device ID", "IO_Type", "Start_Addr", "Comm_Len"},
                                {1, 1, 1.3, 1, 1}};

constexpr ViewLook kApplicationObjectsLook{
    "ShowAppObj",
    "Application Object Information",
    "Application Object Information",
    "AppObjParaRecord",
    {"Instance No.", "Device_ID(Att.1)", "IO_Type(Att.2)", "Start_Addr(Att.3)", "Comm_Len(Att.4)"},
    {1.2, 1.5, 1.3, 1.5, 1.4}};

const ViewLook& LookOf(AppObjectViewKind kind) {
    return kind == AppObjectViewKind::Devices ? kDevicesLook : kApplicationObjectsLook;
}

}  // namespace

int AppObjectColumnTwips(AppObjectViewKind kind, int column) {
    const auto& widths = LookOf(kind).widths;
    if (column < 0 || column >= static_cast<int>(widths.size())) {
        return kAppObjectColumnTwips;
    }
    return static_cast<int>(
        std::lround(kAppObjectColumnTwips * widths[static_cast<std::size_t>(column)]));
}

AppObjectView::AppObjectView(AppObjectViewKind kind, const AppObjectList& working, QWidget* parent)
    : QWidget(parent, Qt::Window), m_kind(kind) {
    const ViewLook& look = LookOf(kind);
    setObjectName(QString::fromLatin1(look.name));
    setWindowTitle(QString::fromLatin1(look.title));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* frame = new QGroupBox(QString::fromLatin1(look.frame), this);
    frame->setObjectName(QStringLiteral("Frame1"));

    m_grid = new QTableWidget(kAppObjectViewRows, kAppObjectViewGridColumns, frame);
    m_grid->setObjectName(QString::fromLatin1(look.grid));
    SetUpTextGrid(*m_grid);
    for (int c = 0; c < kAppObjectViewGridColumns; ++c) {
        m_grid->setColumnWidth(c, TwipsToPixels(*m_grid, AppObjectColumnTwips(kind, c)));
    }

    std::vector<std::vector<std::string>> cells(1);
    cells[0].assign(look.headings.begin(), look.headings.end());
    const int count = std::min<int>(working.AppCount, kMaxAppObjects);
    for (int i = 1; i <= count; ++i) {
        const auto row = AppObjectRow(i, working.AppObjects[static_cast<std::size_t>(i - 1)]);
        cells.emplace_back(row.begin(), row.end());
    }
    FillTextGrid(*m_grid, cells);

    // The grid is exactly as large as its cells: all ten objects show without scrolling.
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frameWidth = 2 * m_grid->frameWidth();
    m_grid->setFixedSize(m_grid->horizontalHeader()->length() + frameWidth,
                         m_grid->verticalHeader()->length() + frameWidth);

    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_grid);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(frame);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    CentreOnScreen(*this);
}

}  // namespace tavrin
