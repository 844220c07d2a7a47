#pragma once

#include <functional>

class DocumentContext;
class Database;
struct CurrentDocument;
struct TrecSavedData;

/// Storage and numbering of the current document (DocumentContext::document).
class DocumentStore
{
public:
    explicit DocumentStore(DocumentContext &context);
    /// Works on \a document instead of the current one, to read saved documents
    /// without disturbing the one being edited.
    DocumentStore(DocumentContext &context, CurrentDocument &document);

    /// A blank new document when header.blnNewInvoice is set (numbered with the
    /// stored next number, which is not consumed), otherwise the saved document
    /// numbered header.intInvNumber. Throws DbError ("... was not found") for a number
    /// with no saved document.
    void pLoadInvoice();
    /// The same, read on \a db (inside the caller's transaction).
    void pLoadInvoice(Database &db) { loadFrom(db); }

    /// Saves the document as one act: its posting to the monthly report, header,
    /// lines, payments, saved prices and, for a new document, the number. The paid
    /// amount is settled with the payments first (PaymentRules::settle). Either all of it is
    /// stored or none of it (DbError is thrown and the document stays as it was).
    /// A new document whose number was taken meanwhile by another copy of the program
    /// is saved under the next free number, and the user is told. A saved document
    /// changed meanwhile by another copy is written only when all that copy did was
    /// add payments (they are kept beside this copy's); otherwise, or when it was
    /// deleted meanwhile, nothing is written and RowConflict is thrown. Returns
    /// the number.
    int pSaveInvoice();
    /// The same, with \a alsoWrite run inside the save's transaction once the number
    /// is known, so what it writes lands together with the document or not at all.
    int pSaveInvoice(const std::function<void(Database &, int number)> &alsoWrite);

    /// Deletes the saved header, lines and payments of header.intInvNumber. Postings and
    /// work-sheet saved prices stay.
    void pDeleteInvoice();
    /// Deletes the saved lines of header.intInvNumber.
    void pDeleteInvoiceData();

    /// The number the next new document will get.
    [[nodiscard]] int GetInvoiceNumber();
    /// Consumes the stored next number and returns it, in one write transaction, so
    /// two copies of the program printing at once never get the same number (the
    /// Lunvard edition, which numbers documents by printing them).
    [[nodiscard]] int pTakeInvoiceNumber();
    /// Gives back \a number, taken for a print that failed, unless a later number was
    /// taken meanwhile. Returns whether it was given back.
    bool pGiveBackInvoiceNumber(int number);

    /// Makes the snapshot describe the document as it is now (as saved).
    void pUpdateSavedData();

    /// The next save of a document deleted meanwhile by another copy stores it again
    /// under its number instead of reporting RowConflict.
    void storeAgainIfDeleted() { m_storeAgainIfDeleted = true; }

private:
    void loadFrom(Database &db);
    /// Checks the stored row against the version the document was loaded at, combining
    /// payments stored meanwhile where it can. Returns what the posting must undo.
    TrecSavedData checkStoredVersion(Database &db);
    int allocateNumber(Database &db, int wanted);
    void writeHeader(Database &db, bool isNew);
    void writeLines(Database &db);
    void loadLines(Database &db, int number);
    void pLoadSavedPrices(Database &db, bool fromPriceList);
    void pSaveSavedPrices(Database &db, int number);

    DocumentContext &m_context;
    CurrentDocument &m_document;
    bool m_storeAgainIfDeleted = false;
};
