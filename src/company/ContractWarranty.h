#pragma once

#include <QString>

class Database;

/// The company's one contract and one warranty, each with a title (row 1 of
/// tblContractWarranty). The writer mode picks one: 1 contract, 0 warranty.
namespace ContractWarranty {

enum WriterMode { Warranty = 0, Contract = 1 };

struct Text
{
    QString title;
    /// Lines separated by CR LF, as stored.
    QString body;
};

/// "Contract" or "Warranty".
[[nodiscard]] QString GetWriterWord(int writerMode);

[[nodiscard]] Text load(Database &db, int writerMode);
/// Writes the title and text of \a writerMode; the other text is left alone.
void save(Database &db, int writerMode, const Text &text);

} // namespace ContractWarranty
