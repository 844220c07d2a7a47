#pragma once

#include <array>

/// The thirteen window flags kept in tblAppPreferences, read once at start-up and
/// written once when the main window closes.
struct AppPreferences
{
    enum Flag {
        FrmMainMaximized,
        FrmInvoiceMaximized,
        PlannerShow,
        FrmPrintPreviewMaximized,
        FrmMainRibbonMinimized,
        FrmCompanyInfoRibbonMinimized,
        FrmCustomerRibbonMinimized,
        FrmPriceRibbonMinimized,
        FrmInvoiceRibbonMinimized,
        FrmInvMaintRibbonMinimized,
        FrmReportRibbonMinimized,
        FrmTextWriterRibbonMinimized,
        FrmPrntPreviewRibbonMinimized,
        FlagCount
    };

    std::array<bool, FlagCount> flags{true, true, true, true};

    [[nodiscard]] bool operator[](Flag flag) const { return flags[flag]; }
    bool &operator[](Flag flag) { return flags[flag]; }
};
