#include "ContractWarranty.h"

#include "data/Database.h"

namespace ContractWarranty {

QString GetWriterWord(int writerMode)
{
    return writerMode == Contract ? QStringLiteral("Contract") : QStringLiteral("Warranty");
}

Text load(Database &db, int writerMode)
{
    Statement q = db.prepare(QStringLiteral("SELECT intContractWarrantyID,strContractName,strWarrantyName,"
                                            "strContract,strWarranty FROM tblContractWarranty "
                                            "WHERE intContractWarrantyID = 1"));
    q.step();
    if (writerMode == Contract)
        return {q.textAt(1), q.textAt(3)};
    return {q.textAt(2), q.textAt(4)};
}

void save(Database &db, int writerMode, const Text &text)
{
    const QString sql = writerMode == Contract
        ? QStringLiteral("UPDATE tblContractWarranty SET strContractName = ?,strContract = ? "
                         "WHERE intContractWarrantyID = 1")
        : QStringLiteral("UPDATE tblContractWarranty SET strWarrantyName = ?,strWarranty = ? "
                         "WHERE intContractWarrantyID = 1");
    Transaction transaction(db);
    // A database without the row would otherwise take the update silently and keep nothing.
    db.exec(QStringLiteral("INSERT INTO tblContractWarranty(intContractWarrantyID,strContractName,strWarrantyName,"
                           "strContract,strWarranty) SELECT 1,'','','','' WHERE NOT EXISTS "
                           "(SELECT 1 FROM tblContractWarranty WHERE intContractWarrantyID = 1)"));
    db.prepare(sql).bindAll(text.title, text.body).run();
    transaction.commit();
}

} // namespace ContractWarranty
