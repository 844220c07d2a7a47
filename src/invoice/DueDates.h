#pragma once

#include "core/DueDateTerms.h"

struct TrecInvHeader;

/// When a document is due.
namespace DueDates {

/// The due date the user set, otherwise the one the date and terms give.
[[nodiscard]] QDate dueDate(const TrecInvHeader &header);

} // namespace DueDates
