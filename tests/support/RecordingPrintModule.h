#pragma once

#include "context/AppContext.h"
#include "core/PrintModule.h"

#include <QList>
#include <QStringList>
#include <functional>

/// A PrintModule for tests: records what was asked, with the print kind asked for,
/// and succeeds or fails as planned.
class RecordingPrintModule final : public PrintModule
{
public:
    explicit RecordingPrintModule(AppContext &context)
        : m_context(context)
    {
        context.printModule = this;
    }
    ~RecordingPrintModule() override { m_context.printModule = nullptr; }

    bool succeeds = true;
    QStringList calls; // "print 1", "preview 5", "pdf 1 <file>"
    /// The current document's number at each call.
    QList<int> documentNumbers;
    /// The foot note the document carried at each print.
    QStringList footNotes;
    /// Every print and preview request, in order.
    QList<PrintRequest> requests;
    /// Runs while a print job is being sent.
    std::function<void()> whilePrinting;

    bool pPrint(const PrintRequest &request) override
    {
        calls << QStringLiteral("print %1").arg(request.kind);
        requests << request;
        documentNumbers << m_context.document.header.intInvNumber;
        footNotes << m_context.document.print.strInvFootNotes;
        if (whilePrinting)
            whilePrinting();
        return succeeds;
    }
    void pPrintPreview(const PrintRequest &request) override
    {
        calls << QStringLiteral("preview %1").arg(request.kind);
        requests << request;
    }
    bool pCreatePDFFile(const QString &fileName) override
    {
        calls << QStringLiteral("pdf %1 %2").arg(PrintKind::CurrentDocument).arg(fileName);
        return succeeds;
    }
    bool pSaveAsPDF() override
    {
        calls << QStringLiteral("pdf %1").arg(PrintKind::CurrentDocument);
        return succeeds;
    }
    bool pSaveAsPDF(const PrintRequest &request) override
    {
        calls << QStringLiteral("pdf %1").arg(request.kind);
        requests << request;
        return succeeds;
    }

private:
    AppContext &m_context;
};
