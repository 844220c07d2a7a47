#pragma once

#include "CurrentDocument.h"
#include "company/CompanyContext.h"

/// The company slice plus the one document being written, edited or printed: what
/// the document store, the recurring run and the document printout work on.
class DocumentContext : public CompanyContext
{
public:
    DocumentContext(const Edition &edition, Prompts &prompts, SavingIndicator &saving)
        : CompanyContext(edition, prompts, saving)
        , document(edition)
    {
    }

    CurrentDocument document;

protected:
    ~DocumentContext() = default;
};
