#pragma once

#include "CompanyRecord.h"

#include <QImage>

class CompanyContext;
class Database;
class Edition;

/// Storing the company settings edited in the company information window.
namespace CompanySettings {

/// What saving does to the logo file.
struct LogoChange
{
    enum Kind { Keep, Replace, Remove };
    Kind kind = Keep;
    /// The new picture, for Replace.
    QImage picture;
};

/// The first tax option (1 to 3) with a rate above zero and an empty name, or 0
/// when every used option is named.
[[nodiscard]] int GetTaxOptionWithoutName(const TrecCmpnyInvData &data);

/// Writes the four settings rows (identity, invoice settings, document colours,
/// planner settings) from \a record in one transaction. The next document number is
/// left alone, and so are the fields the edition does not offer, which keep their
/// stored values. Throws DbError; nothing is written then.
void save(Database &db, const CompanyRecord &record, const Edition &edition);

/// The company window's save: writes the database and, only once that committed,
/// puts \a edited into the context's company record and applies the logo change.
/// The new logo is written to a temporary file first and renamed into place after
/// the commit, so a failed save leaves database, record and logo as they were.
/// Throws DbError, or FileError when the logo cannot be written.
void pSaveCompanyData(CompanyContext &context, const CompanyRecord &edited, const LogoChange &logo);

/// Restores the company database from a backup the user picks (a file whose company
/// settings do not read is refused) and reloads the context's company record from
/// it. True when the database was replaced.
bool pRestoreCompanyData(CompanyContext &context);
/// The same from \a copy, which is not asked for (the safety copy offered for a
/// damaged company database).
bool pRestoreCompanyDataFrom(CompanyContext &context, const QString &copy);

} // namespace CompanySettings
