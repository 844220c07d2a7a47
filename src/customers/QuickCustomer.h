#pragma once

#include <QString>

struct TrecInvHeader;

/// A customer typed once for one document (the Lunvard edition keeps no customer
/// list): what the quick customer entry collects and how it becomes the header's
/// customer block.
struct QuickCustomer
{
    QString companyName;
    QString firstName;
    QString lastName;
    QString address;
    QString city;
    QString state;
    QString zipCode;
    QString mainPhone;

    /// A customer needs at least a first, last or company name.
    [[nodiscard]] bool canUse() const;

    /// Replaces the whole customer block of \a header: the typed fields, and every
    /// other customer field (extra phones, terms, discount, notes, tax exemption)
    /// cleared. The purchase order number is the document's, not the customer's, and stays.
    void applyTo(TrecInvHeader &header) const;
};
