#include "console/PortCatalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tavrin {
namespace {

EnvLookup Env(std::map<std::string, std::string> vars) {
    return [vars](const std::string& name) -> std::optional<std::string> {
        if (const auto it = vars.find(name); it != vars.end()) {
            return it->second;
        }
        return std::nullopt;
    };
}

const std::string kFtdiById = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A9XK1-if00-port0";

SystemPort Ftdi(const std::string& tty) {
    return {tty, "/dev/" + tty, kFtdiById, "FT232R USB UART", "FTDI", "A9XK1", 0x0403, 0x6001};
}
SystemPort Acm() {
    return {"ttyACM0", "/dev/ttyACM0", "", "", "Arduino", "", 0x2341, 0x0043};
}
SystemPort OnBoard(int n) {
    return {"ttyS" + std::to_string(n), "/dev/ttyS" + std::to_string(n), "", "", "", "", {}, {}};
}

TEST(PortCatalogueTest, ComEntriesStayFirstThenAdaptersThenOtherPort) {
    const auto entries = BuildPortCatalogue({OnBoard(0), Ftdi("ttyUSB0"), OnBoard(20), Acm()},
                                            Env({{"TAVRIN_COM3", "/dev/ttyACM0"}}));
    ASSERT_EQ(entries.size(), 16u + 2u + 1u);
    for (int n = 1; n <= 16; ++n) {
        const PortEntry& com = entries[n - 1];
        EXPECT_EQ(com.label, "COM " + std::to_string(n));
        EXPECT_EQ(com.comNumber, n);
        EXPECT_EQ(com.device, n == 3 ? "/dev/ttyACM0" : "/dev/ttyS" + std::to_string(n - 1));
    }
    // ttyS0 is COM 1 and ttyACM0 is bound to COM 3: neither is listed twice.
    EXPECT_EQ(entries[16].label, "ttyUSB0 - FT232R USB UART (A9XK1)");
    EXPECT_EQ(entries[16].device, kFtdiById) << "an adapter opens through its by-id name";
    EXPECT_EQ(entries[16].Choice().number, 0);
    EXPECT_EQ(entries[17].label, "ttyS20");
    EXPECT_EQ(entries[17].device, "/dev/ttyS20");
    EXPECT_EQ(entries[18].kind, PortEntry::Kind::Other);
    EXPECT_EQ(entries[18].label, "Other port...");
}

TEST(PortCatalogueTest, AdapterLabelsSayWhatTheAdapterSaysOfItself) {
    EXPECT_EQ(AdapterLabel(Ftdi("ttyUSB3")), "ttyUSB3 - FT232R USB UART (A9XK1)");
    EXPECT_EQ(AdapterLabel(Acm()), "ttyACM0 - Arduino");
    EXPECT_EQ(AdapterLabel({"", "/dev/ttyX", "", "", "", "S1", {}, {}}), "/dev/ttyX (S1)");
}

TEST(PortCatalogueTest, RememberedPortIsFoundByTheDeviceItOpens) {
    const auto entries = BuildPortCatalogue({Ftdi("ttyUSB1"), Acm()}, Env({}));
    EXPECT_EQ(FindPortEntry(entries, kFtdiById), 16u);
    EXPECT_EQ(FindPortEntry(entries, "/dev/ttyACM0"), 17u);
    EXPECT_EQ(FindPortEntry(entries, "/dev/ttyS4"), 4u);
    EXPECT_EQ(FindPortEntry(entries, "/dev/ttyUSB7"), std::nullopt);
    EXPECT_EQ(FindPortEntry(entries, ""), std::nullopt) << "not \"Other port...\"";
}

struct RefreshCase {
    std::string name;
    std::vector<SystemPort> before;
    std::size_t selected;
    std::vector<SystemPort> after;
    std::optional<std::string> selectedLabel;  // none: nothing selected
    std::optional<std::string> vanished;
};

void PrintTo(const RefreshCase& c, std::ostream* os) {
    *os << c.name;
}

class PortRefreshTest : public testing::TestWithParam<RefreshCase> {};

TEST_P(PortRefreshTest, KeepsTheChosenPortOrReportsItGone) {
    const RefreshCase& c = GetParam();
    const auto before = BuildPortCatalogue(c.before, Env({}));
    const PortRefresh r =
        RefreshPortCatalogue(before, c.selected, BuildPortCatalogue(c.after, Env({})));
    if (c.selectedLabel) {
        ASSERT_TRUE(r.selected.has_value());
        EXPECT_EQ(r.entries[*r.selected].label, *c.selectedLabel);
    } else {
        EXPECT_EQ(r.selected, std::nullopt);
    }
    EXPECT_EQ(r.vanished, c.vanished);
}

INSTANTIATE_TEST_SUITE_P(
    Ports, PortRefreshTest,
    testing::Values(RefreshCase{"ComEntryStays", {Ftdi("ttyUSB0")}, 4, {}, "COM 5", std::nullopt},
                    RefreshCase{"AdapterStaysWhenAnotherComesBeforeIt",
                                {Acm()},
                                16,
                                {OnBoard(30), Acm()},
                                "ttyACM0 - Arduino",
                                std::nullopt},
                    // Plugged in again it becomes ttyUSB1, but its by-id name is the same.
                    RefreshCase{"ReplugedAdapterKeepsItsEntry",
                                {Ftdi("ttyUSB0")},
                                16,
                                {Ftdi("ttyUSB1")},
                                "ttyUSB1 - FT232R USB UART (A9XK1)",
                                std::nullopt},
                    RefreshCase{"UnpluggedAdapterLeavesNothingSelected",
                                {Ftdi("ttyUSB0"), Acm()},
                                16,
                                {Acm()},
                                std::nullopt,
                                "ttyUSB0 - FT232R USB UART (A9XK1)"},
                    RefreshCase{"OtherPortStays", {Acm()}, 17, {}, "Other port...", std::nullopt}),
    [](const testing::TestParamInfo<RefreshCase>& info) { return info.param.name; });

}  // namespace
}  // namespace tavrin
