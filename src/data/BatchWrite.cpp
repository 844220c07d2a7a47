#include "BatchWrite.h"

#include "Database.h"

namespace BatchWrite {

bool run(Database &db, int count, const std::function<void(int row)> &writeRow, const Progress &progress)
{
    constexpr int kReportEvery = 250;
    Transaction transaction(db);
    for (int row = 0; row < count; ++row) {
        if (progress && row % kReportEvery == 0 && !progress(row, count))
            return false;
        writeRow(row);
    }
    if (progress && !progress(count, count))
        return false;
    transaction.commit();
    return true;
}

} // namespace BatchWrite
