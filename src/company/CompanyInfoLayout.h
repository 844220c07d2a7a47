#pragma once

#include "core/Edition.h"

/// What the company information window shows in an edition: the editions differ
/// only by this table.
struct CompanyInfoLayout
{
    bool logoGroup = true;
    bool logoSizeChoice = true;
    bool taxOnGroup = true;
    bool extraPhones = true;
    bool invoicePage = true;
    bool invoiceDescriptionPage = true;
    bool generalInformationPage = true;
    bool plannerPage = true;
    /// Heddrin's work-sheet description page instead of the price-item one.
    bool workSheetDescription = false;
    bool workOrderColor = true;
    bool changeOrderColor = true;
    bool creditAndPastDueColors = true;
    int licenseLines = 3;
    bool signatureGroup = true;
    bool emailWebGroup = true;
    /// Estimates only, no change orders: the validity and deposit texts say so.
    bool estimateOnlyTexts = false;

    static CompanyInfoLayout forEdition(const Edition &edition)
    {
        CompanyInfoLayout layout;
        switch (edition.GetEditionNumber()) {
        case Edition::Heddrin:
            layout.workSheetDescription = true;
            break;
        case Edition::Ostrev:
            layout.logoSizeChoice = false;
            layout.taxOnGroup = false;
            layout.extraPhones = false;
            layout.plannerPage = false;
            layout.changeOrderColor = false;
            layout.emailWebGroup = false;
            layout.licenseLines = 1;
            layout.signatureGroup = false;
            layout.estimateOnlyTexts = true;
            break;
        case Edition::Lunvard:
            layout.logoGroup = false;
            layout.taxOnGroup = false;
            layout.extraPhones = false;
            layout.invoicePage = false;
            layout.generalInformationPage = false;
            layout.plannerPage = false;
            layout.invoiceDescriptionPage = false;
            layout.workOrderColor = false;
            layout.changeOrderColor = false;
            layout.creditAndPastDueColors = false;
            break;
        default:
            break;
        }
        return layout;
    }
};
