#pragma once

#include <QString>

/// Starter texts for a new database; the user is expected to replace them with their own.
namespace SeedTexts {

QString sampleContract();
QString sampleWarranty();

} // namespace SeedTexts
